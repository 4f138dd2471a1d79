#include "ui/program_font.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QRawFont>
#include <QtEndian>

namespace tv::ui {

namespace {

// Offsets of usWinAscent and usWinDescent in the OpenType "OS/2" table.
constexpr int WinAscentOffset = 74;
constexpr int WinDescentOffset = 76;

} // namespace

int DesignedLineHeight(const QFont &font)
{
  const QRawFont raw = QRawFont::fromFont(font);
  const QByteArray table = raw.fontTable("OS/2");
  if (table.size() < WinDescentOffset + 2 || raw.unitsPerEm() <= 0)
    return QFontMetrics(font).height();
  const auto *bytes = reinterpret_cast<const uchar *>(table.constData());
  const qreal scale = QFontInfo(font).pixelSize() / raw.unitsPerEm();
  return qRound(qFromBigEndian<quint16>(bytes + WinAscentOffset) * scale) +
         qRound(qFromBigEndian<quint16>(bytes + WinDescentOffset) * scale);
}

} // namespace tv::ui
