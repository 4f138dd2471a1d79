// The texts and sort keys of the list's rows, derived from what the listing read.
#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QLocale>
#include <QString>

#include "ops/row_table.h"

namespace tv {

// A byte count as the size column shows it: bytes, then whole KB, then MB with one and GB
// with two decimals, truncated and never rounded ("1023 KB", "1.1 MB", "5 GB").
QString FormatSize(qint64 bytes, const QString &decimalPoint);

// A byte count with at least 12 digits: "000000001536", "-000000000001".
QString SizeKey(qint64 bytes);

// A local date and time as an OLE Automation date with at least 12 digits before and
// exactly 8 after the decimal point: "000000039448.54166667".
QString OleDateKey(const QDateTime &local, const QString &decimalPoint);

// A long time format without its time-zone field.
QString LongTimeWithoutZone(const QString &format);

// The picture of a row by its kind; a file's by the extension of its name (from the last "."
// on, letters compared without case): Word, Excel, PowerPoint or any other file.
ops::ListImage RowImageOf(ops::RowKind kind, QByteArrayView name);

// A modification time as the list shows it: local time, truncated to even seconds. A time
// that is unknown or beyond what dates can hold shows as 1899-12-30 00:00:00.
QDateTime ListedTime(qint64 modified);

// Formats the texts of rows for one locale and language. The locale's formats are read
// once, so rows can be formatted when first shown. A file known by name alone (in a folder
// that may be read but not searched) has empty size and time texts and keys.
class RowTextFormat {
public:
  RowTextFormat(const QLocale &locale, bool english);

  // The first column: the name as shown, or the message row's text.
  QString Caption(const RowTable &rows, int row) const;
  // The second column: the size text.
  QString SizeText(const RowTable &rows, int row) const;
  // The third column: the time text of a file, the free-space text of a drive.
  QString DetailText(const RowTable &rows, int row) const;

  // The sort keys as texts; empty for folders and, except the name key, for drives' times.
  QString SizeKey(const RowTable &rows, int row) const;
  QString NameKey(const RowTable &rows, int row) const;
  QString TimeKey(const RowTable &rows, int row) const;

  // Empty for a time that is not known.
  QString TimeText(qint64 modified) const;
  QString FreeSpaceText(qint64 available, qint64 total) const;

private:
  QLocale locale_;
  QString dateFormat_;
  QString timeFormat_;
  QString decimalPoint_;
  bool english_;
};

} // namespace tv
