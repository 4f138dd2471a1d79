#pragma once

#include <QFont>

namespace tv::ui {

// The program's text face at a character height in pixels.
inline QFont TahomaFont(int pixelSize, bool bold = false)
{
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

// The height of one line of text in the font as the windows were designed for: the face's
// Windows ascent plus descent, each scaled and rounded. Qt measures many faces, Tahoma
// among them, a few pixels shorter (19 instead of 23 at 19 pixels), and the drag strips are
// laid out by the designed height. Falls back to Qt's height for a face without those values.
int DesignedLineHeight(const QFont &font);

} // namespace tv::ui
