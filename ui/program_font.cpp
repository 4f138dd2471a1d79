// The program's text face, and which texts are drawn with or without shaping.
#include "ui/program_font.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QHash>
#include <QRawFont>
#include <QtEndian>
#include <algorithm>

namespace tv::ui {

namespace {

// Offsets of usWinAscent and usWinDescent in the OpenType "OS/2" table.
constexpr int WinAscentOffset = 74;
constexpr int WinDescentOffset = 76;

bool InRange(char16_t c, char16_t first, char16_t last) { return c >= first && c <= last; }

bool DrawableAlone(char16_t c)
{
  return c < 0x0300 || InRange(c, 0x3000, 0x3098) || InRange(c, 0x309B, 0x30FF) || InRange(c, 0x3400, 0x4DBF) ||
         InRange(c, 0x4E00, 0x9FFF) || InRange(c, 0xFF00, 0xFFEF);
}

struct DesignedMetrics {
  int ascent = 0;
  int lineHeight = 0;
};

DesignedMetrics DesignedMetricsOf(const QFont &font)
{
  // Read once per face and size: labels ask for them each time they paint. The face found
  // is part of the key, as a face registered later may take the family's place.
  static QHash<QString, DesignedMetrics> known;
  const QString key = font.key() + QFontInfo(font).family();
  if (const auto found = known.constFind(key); found != known.constEnd())
    return *found;
  const QRawFont raw = QRawFont::fromFont(font);
  const QByteArray table = raw.fontTable("OS/2");
  DesignedMetrics metrics;
  if (table.size() < WinDescentOffset + 2 || raw.unitsPerEm() <= 0) {
    const QFontMetrics qtMetrics(font);
    metrics = {qtMetrics.ascent(), qtMetrics.height()};
  } else {
    const auto *bytes = reinterpret_cast<const uchar *>(table.constData());
    const qreal scale = QFontInfo(font).pixelSize() / raw.unitsPerEm();
    const int ascent = qRound(qFromBigEndian<quint16>(bytes + WinAscentOffset) * scale);
    metrics = {ascent, ascent + qRound(qFromBigEndian<quint16>(bytes + WinDescentOffset) * scale)};
  }
  known.insert(key, metrics);
  return metrics;
}

} // namespace

QFont ShapedFont(QFont font)
{
  font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() & ~QFont::PreferNoShaping));
  return font;
}

bool DrawableWithoutShaping(QStringView text)
{
  return std::all_of(text.begin(), text.end(), [](QChar c) { return DrawableAlone(c.unicode()); });
}

QFont FontForText(const QFont &font, QStringView text)
{
  return DrawableWithoutShaping(text) ? font : ShapedFont(font);
}

int DesignedLineHeight(const QFont &font) { return DesignedMetricsOf(font).lineHeight; }

int DesignedAscent(const QFont &font) { return DesignedMetricsOf(font).ascent; }

} // namespace tv::ui
