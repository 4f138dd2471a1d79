// The texts and sort keys of the list's rows, derived from what the listing read.
#include "ops/row_texts.h"

#include <algorithm>

#include "platform/directory_reader.h"
#include "platform/file_queries.h"
#include "texts/texts.h"

namespace tv {

namespace {

constexpr qint64 KiB = 1024;
constexpr qint64 MiB = KiB * 1024;
constexpr qint64 GiB = MiB * 1024;

// A count of hundredths or tenths written as a general decimal number: no trailing
// zeros, no decimal point when whole.
QString GeneralDecimal(qint64 scaled, int decimals, const QString &decimalPoint)
{
  const qint64 scale = decimals == 1 ? 10 : 100;
  QString fraction = QString::number(scaled % scale).rightJustified(decimals, QLatin1Char('0'));
  while (fraction.endsWith(QLatin1Char('0')))
    fraction.chop(1);
  const QString whole = QString::number(scaled / scale);
  return fraction.isEmpty() ? whole : whole + decimalPoint + fraction;
}

QString ZeroPadded(qint64 value, int digits)
{
  const quint64 magnitude = value < 0 ? 0 - static_cast<quint64>(value) : static_cast<quint64>(value);
  const QString text = QString::number(magnitude).rightJustified(digits, QLatin1Char('0'));
  return value < 0 ? QLatin1Char('-') + text : text;
}

bool IsSeparator(QChar c) { return c.isSpace() || c == QLatin1Char(','); }

QString TrimSeparators(QString text)
{
  while (!text.isEmpty() && IsSeparator(text.back()))
    text.chop(1);
  while (!text.isEmpty() && IsSeparator(text.front()))
    text.remove(0, 1);
  return text;
}

// Whether text becomes upper once its letters a to z are made capitals.
bool IsUpperCaseOf(QByteArrayView upper, QByteArrayView text)
{
  return upper.size() == text.size() && std::equal(text.begin(), text.end(), upper.begin(), [](char c, char u) {
           return (c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) == u;
         });
}

bool SizeKnown(const Row &row) { return row.size >= 0; }

bool IsFileOrDrive(const Row &row) { return row.kind == ops::RowKind::File || row.kind == ops::RowKind::Drive; }

bool TimeKnown(const Row &row) { return row.modified != platform::UnknownTime; }

} // namespace

QString FormatSize(qint64 bytes, const QString &decimalPoint)
{
  if (bytes >= GiB)
    return GeneralDecimal(static_cast<qint64>(static_cast<double>(bytes) / GiB * 100), 2, decimalPoint) +
           QString::fromUtf8(texts::GigabyteUnit);
  if (bytes >= MiB)
    return GeneralDecimal(static_cast<qint64>(static_cast<double>(bytes) / MiB * 10), 1, decimalPoint) +
           QString::fromUtf8(texts::MegabyteUnit);
  if (bytes >= KiB)
    return QString::number(bytes / KiB) + QString::fromUtf8(texts::KilobyteUnit);
  return QString::number(bytes) + QString::fromUtf8(texts::ByteUnit);
}

QString SizeKey(qint64 bytes) { return ZeroPadded(bytes, 12); }

QString OleDateKey(const QDateTime &local, const QString &decimalPoint)
{
  static const qint64 epochDay = QDate(1899, 12, 30).toJulianDay();
  const qint64 day = local.date().toJulianDay() - epochDay;
  const qint64 seconds = local.time().msecsSinceStartOfDay() / 1000;
  const qint64 fraction = (seconds * 100'000'000 + 43'200) / 86'400; // rounded to 8 decimals
  // Before the epoch the fraction follows the sign of the day: 1899-12-29 06:00 is -1.25.
  return ZeroPadded(day, 12) + decimalPoint + QString::number(fraction).rightJustified(8, QLatin1Char('0'));
}

QString LongTimeWithoutZone(const QString &format)
{
  QString result;
  bool quoted = false;
  bool removed = false;
  for (qsizetype i = 0; i < format.size(); ++i) {
    const QChar c = format[i];
    if (c == QLatin1Char('\''))
      quoted = !quoted;
    if (quoted || c != QLatin1Char('t')) {
      result += c;
      continue;
    }
    while (i + 1 < format.size() && format[i + 1] == QLatin1Char('t'))
      ++i;
    removed = true;
    const bool opened = result.endsWith(QLatin1Char('(')) || result.endsWith(QLatin1Char('['));
    const bool closed =
        i + 1 < format.size() && (format[i + 1] == QLatin1Char(')') || format[i + 1] == QLatin1Char(']'));
    if (opened && closed) {
      result.chop(1);
      ++i;
    }
  }
  return removed ? TrimSeparators(result) : format;
}

ops::ListImage RowImageOf(ops::RowKind kind, QByteArrayView name)
{
  switch (kind) {
  case ops::RowKind::Folder:
    return ops::ListImage::Folder;
  case ops::RowKind::Drive:
    return ops::ListImage::Drive;
  case ops::RowKind::Message:
    return ops::ListImage::None;
  case ops::RowKind::File:
    break;
  }
  const auto dot = std::find(name.rbegin(), name.rend(), '.');
  if (dot == name.rend())
    return ops::ListImage::File;
  const QByteArrayView extension(&*dot, dot - name.rbegin() + 1);
  static constexpr std::pair<QByteArrayView, ops::ListImage> Images[] = {
      {".DOC", ops::ListImage::Word},   {".DOCX", ops::ListImage::Word},      {".XLS", ops::ListImage::Excel},
      {".XLSX", ops::ListImage::Excel}, {".PPT", ops::ListImage::PowerPoint}, {".PPTX", ops::ListImage::PowerPoint},
  };
  for (const auto &[upper, image] : Images)
    if (IsUpperCaseOf(upper, extension))
      return image;
  return ops::ListImage::File;
}

QDateTime ListedTime(qint64 modified)
{
  const QDateTime local =
      modified == platform::UnknownTime ? QDateTime() : QDateTime::fromSecsSinceEpoch(modified, Qt::LocalTime);
  if (!local.isValid())
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::LocalTime);
  return local.addSecs(-(local.time().second() % 2));
}

RowTextFormat::RowTextFormat(const QLocale &locale, bool english)
    : locale_(locale), dateFormat_(locale.dateFormat(QLocale::ShortFormat)),
      timeFormat_(LongTimeWithoutZone(locale.timeFormat(QLocale::LongFormat))), decimalPoint_(locale.decimalPoint()),
      english_(english)
{
}

QString RowTextFormat::Caption(const RowTable &rows, int row) const
{
  const QByteArrayView name = rows.Name(row);
  if (rows.At(row).kind == ops::RowKind::Message)
    return QString::fromUtf8(name);
  return platform::DisplayName(QByteArray::fromRawData(name.data(), name.size()));
}

QString RowTextFormat::SizeText(const RowTable &rows, int row) const
{
  const Row &entry = rows.At(row);
  if (IsFileOrDrive(entry) && SizeKnown(entry))
    return FormatSize(entry.size, decimalPoint_);
  return {};
}

QString RowTextFormat::DetailText(const RowTable &rows, int row) const
{
  const Row &entry = rows.At(row);
  if (entry.kind == ops::RowKind::File)
    return TimeText(entry.modified);
  if (entry.kind == ops::RowKind::Drive && SizeKnown(entry))
    return FreeSpaceText(entry.available, entry.size);
  return {};
}

QString RowTextFormat::SizeKey(const RowTable &rows, int row) const
{
  const Row &entry = rows.At(row);
  // A drive whose query failed keeps the key of -1 bytes, so that it sorts first.
  const bool keyed = entry.kind == ops::RowKind::Drive || (entry.kind == ops::RowKind::File && SizeKnown(entry));
  return keyed ? tv::SizeKey(entry.size) : QString();
}

QString RowTextFormat::NameKey(const RowTable &rows, int row) const
{
  const Row &entry = rows.At(row);
  return IsFileOrDrive(entry) ? Caption(rows, row) : QString();
}

QString RowTextFormat::TimeKey(const RowTable &rows, int row) const
{
  const Row &entry = rows.At(row);
  return entry.kind == ops::RowKind::File && TimeKnown(entry) ? OleDateKey(ListedTime(entry.modified), decimalPoint_)
                                                              : QString();
}

QString RowTextFormat::TimeText(qint64 modified) const
{
  if (modified == platform::UnknownTime)
    return {};
  const QDateTime local = ListedTime(modified);
  const QString date = locale_.toString(local.date(), dateFormat_);
  if (local.time() == QTime(0, 0))
    return date;
  return date + QLatin1Char(' ') + locale_.toString(local.time(), timeFormat_);
}

QString RowTextFormat::FreeSpaceText(qint64 available, qint64 total) const
{
  // A volume that reports no size has no share to show; 0 keeps the text's shape.
  const qint64 percent = total > 0 ? static_cast<qint64>(static_cast<double>(available) / total * 100) : 0;
  return FormatSize(available, decimalPoint_) + Text(texts::FreeSpaceOpen, LanguageOf(english_)) +
         QString::number(percent) + QString::fromUtf8(texts::FreeSpaceClose);
}

} // namespace tv
