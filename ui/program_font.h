// The program's text face, and which texts are drawn with or without shaping.
#pragma once

#include <QFont>
#include <QStringView>

namespace tv::ui {

// The program's text face at a character height in pixels. Its own texts are drawn glyph by
// glyph, without shaping, as Windows draws them: shaping each text (kerning, ligatures)
// costs the first screen of the program a few milliseconds. Names and typed text, in scripts
// that cannot be drawn unshaped, are shown by the widgets of ui/user_text.h.
inline QFont TahomaFont(int pixelSize, bool bold = false)
{
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

// The font with shaping, for text in any script.
QFont ShapedFont(QFont font);

// True when the text may be drawn without shaping: Latin, Chinese and Japanese characters
// and their punctuation, without combining marks.
bool DrawableWithoutShaping(QStringView text);

// The font for showing the text: shaped only when the text needs it.
QFont FontForText(const QFont &font, QStringView text);

// The height of one line of text in the font as the windows were designed for: the face's
// Windows ascent plus descent, each scaled and rounded. Qt measures many faces, Tahoma
// among them, a few pixels shorter (19 instead of 23 at 19 pixels), and the drag strips are
// laid out by the designed height. Falls back to Qt's height for a face without those values.
int DesignedLineHeight(const QFont &font);

// How far below the top of its line a text's baseline lies in the windows' design: the face's
// Windows ascent, scaled and rounded (19 for 19-pixel Tahoma, where Qt's ascent is 15). Falls
// back to Qt's ascent like DesignedLineHeight.
int DesignedAscent(const QFont &font);

} // namespace tv::ui
