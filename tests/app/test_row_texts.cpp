#include <QtTest>

#include "ops/row_texts.h"
#include "platform/directory_reader.h"

using namespace tv;

namespace {

constexpr qint64 MiB = 1024 * 1024;
constexpr qint64 GiB = MiB * 1024;

qint64 LocalSeconds(int year, int month, int day, int hour, int minute, int second)
{
  return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::LocalTime).toSecsSinceEpoch();
}

} // namespace

class TestRowTexts : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void formatsSizes_data();
  void formatsSizes();
  void writesSizeKeys_data();
  void writesSizeKeys();
  void writesTimeKeysAsOleDates_data();
  void writesTimeKeysAsOleDates();
  void dropsTheTimeZoneFromLongTimes_data();
  void dropsTheTimeZoneFromLongTimes();
  void choosesImagesByExtension_data();
  void choosesImagesByExtension();
  void writesTimesInTheLocalesFormats_data();
  void writesTimesInTheLocalesFormats();
  void writesFreeSpace_data();
  void writesFreeSpace();
};

void TestRowTexts::initTestCase() { qputenv("TZ", "Europe/Amsterdam"); }

void TestRowTexts::formatsSizes_data()
{
  QTest::addColumn<qint64>("bytes");
  QTest::addColumn<QString>("decimalPoint");
  QTest::addColumn<QString>("text");

  const QString dot = QStringLiteral(".");
  QTest::newRow("0") << qint64(0) << dot << "0 bytes";
  QTest::newRow("1023") << qint64(1023) << dot << "1023 bytes";
  QTest::newRow("-1") << qint64(-1) << dot << "-1 bytes";
  QTest::newRow("-5000 stays in bytes") << qint64(-5000) << dot << "-5000 bytes";
  QTest::newRow("1024") << qint64(1024) << dot << "1 KB";
  QTest::newRow("1536") << qint64(1536) << dot << "1 KB";
  QTest::newRow("1048575") << qint64(1048575) << dot << "1023 KB";
  QTest::newRow("1048576") << MiB << dot << "1 MB";
  QTest::newRow("1153433 truncates") << qint64(1153433) << dot << "1 MB";
  QTest::newRow("1153434") << qint64(1153434) << dot << "1.1 MB";
  QTest::newRow("1572864") << qint64(1572864) << dot << "1.5 MB";
  QTest::newRow("1.5 MB, comma") << qint64(1572864) << QStringLiteral(",") << "1,5 MB";
  QTest::newRow("2097152") << 2 * MiB << dot << "2 MB";
  QTest::newRow("1023.9 MB") << GiB - 1 << dot << "1023.9 MB";
  QTest::newRow("1 GiB") << GiB << dot << "1 GB";
  QTest::newRow("1610612736") << qint64(1610612736) << dot << "1.5 GB";
  QTest::newRow("3 GiB, not negative") << 3 * GiB << dot << "3 GB";
  QTest::newRow("5 GiB + 1") << 5 * GiB + 1 << dot << "5 GB";
  QTest::newRow("1.05 GB keeps its zero") << GiB + GiB / 20 + 1 << dot << "1.05 GB";
  QTest::newRow("2 TB") << 2048 * GiB << dot << "2048 GB";
}

void TestRowTexts::formatsSizes()
{
  QFETCH(qint64, bytes);
  QFETCH(QString, decimalPoint);
  QFETCH(QString, text);
  QCOMPARE(FormatSize(bytes, decimalPoint), text);
}

void TestRowTexts::writesSizeKeys_data()
{
  QTest::addColumn<qint64>("bytes");
  QTest::addColumn<QString>("key");
  QTest::newRow("0") << qint64(0) << "000000000000";
  QTest::newRow("1536") << qint64(1536) << "000000001536";
  QTest::newRow("-1") << qint64(-1) << "-000000000001";
  QTest::newRow("500 GB") << qint64(500'000'000'000) << "500000000000";
  QTest::newRow("2 TB has more digits") << qint64(2'000'000'000'000) << "2000000000000";
}

void TestRowTexts::writesSizeKeys()
{
  QFETCH(qint64, bytes);
  QFETCH(QString, key);
  QCOMPARE(SizeKey(bytes), key);
}

void TestRowTexts::writesTimeKeysAsOleDates_data()
{
  QTest::addColumn<QDateTime>("local");
  QTest::addColumn<QString>("decimalPoint");
  QTest::addColumn<QString>("key");

  const auto at = [](int y, int mo, int d, int h, int mi, int s) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::LocalTime);
  };
  const QString dot = QStringLiteral(".");
  QTest::newRow("2008-01-01 13:00") << at(2008, 1, 1, 13, 0, 0) << dot << "000000039448.54166667";
  QTest::newRow("comma") << at(2008, 1, 1, 13, 0, 0) << QStringLiteral(",") << "000000039448,54166667";
  QTest::newRow("the zero date") << at(1899, 12, 30, 0, 0, 0) << dot << "000000000000.00000000";
  QTest::newRow("a second before midnight") << at(2020, 2, 29, 23, 59, 58) << dot << "000000043890.99997685";
  QTest::newRow("before the zero date") << at(1899, 12, 29, 6, 0, 0) << dot << "-000000000001.25000000";
}

void TestRowTexts::writesTimeKeysAsOleDates()
{
  QFETCH(QDateTime, local);
  QFETCH(QString, decimalPoint);
  QFETCH(QString, key);
  QCOMPARE(OleDateKey(local, decimalPoint), key);
}

void TestRowTexts::dropsTheTimeZoneFromLongTimes_data()
{
  QTest::addColumn<QString>("format");
  QTest::addColumn<QString>("stripped");
  QTest::newRow("after a blank") << "HH:mm:ss t"
                                 << "HH:mm:ss";
  QTest::newRow("with AM/PM") << "h:mm:ss AP t"
                              << "h:mm:ss AP";
  QTest::newRow("in front") << "t HH:mm:ss"
                            << "HH:mm:ss";
  QTest::newRow("in parentheses") << "H:mm:ss (t)"
                                  << "H:mm:ss";
  QTest::newRow("in brackets") << "APh:mm:ss [t]"
                               << "APh:mm:ss";
  QTest::newRow("after a comma") << "h:mm:ss AP, t"
                                 << "h:mm:ss AP";
  QTest::newRow("quoted t stays") << "'kl'. HH:mm:ss t"
                                  << "'kl'. HH:mm:ss";
  QTest::newRow("quoted text with t stays") << "H 'at' mm tt"
                                            << "H 'at' mm";
  QTest::newRow("no zone") << "HH:mm:ss"
                           << "HH:mm:ss";
}

void TestRowTexts::dropsTheTimeZoneFromLongTimes()
{
  QFETCH(QString, format);
  QFETCH(QString, stripped);
  QCOMPARE(LongTimeWithoutZone(format), stripped);
}

void TestRowTexts::choosesImagesByExtension_data()
{
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<ops::ListImage>("image");
  QTest::newRow("Report.DOCX") << QByteArray("Report.DOCX") << ops::ListImage::Word;
  QTest::newRow("letter.doc") << QByteArray("letter.doc") << ops::ListImage::Word;
  QTest::newRow("budget.xls") << QByteArray("budget.xls") << ops::ListImage::Excel;
  QTest::newRow("sums.XlSx") << QByteArray("sums.XlSx") << ops::ListImage::Excel;
  QTest::newRow("slides.Ppt") << QByteArray("slides.Ppt") << ops::ListImage::PowerPoint;
  QTest::newRow("deck.pptx") << QByteArray("deck.pptx") << ops::ListImage::PowerPoint;
  QTest::newRow("notes.txt") << QByteArray("notes.txt") << ops::ListImage::File;
  QTest::newRow("archive") << QByteArray("archive") << ops::ListImage::File;
  QTest::newRow("last dot counts") << QByteArray("old.doc.bak") << ops::ListImage::File;
  QTest::newRow("only the extension") << QByteArray(".docx") << ops::ListImage::Word;
  QTest::newRow("longer extension") << QByteArray("x.docxx") << ops::ListImage::File;
  QTest::newRow("not UTF-8") << QByteArray("\xe9t\xe9.xls") << ops::ListImage::Excel;
  QTest::newRow("only a to z change case") << QByteArray("x.D\xd3\x43") << ops::ListImage::File; // .DÓC
}

void TestRowTexts::choosesImagesByExtension()
{
  QFETCH(QByteArray, name);
  QFETCH(ops::ListImage, image);
  QCOMPARE(RowImageOf(ops::RowKind::File, name), image);
}

void TestRowTexts::writesTimesInTheLocalesFormats_data()
{
  QTest::addColumn<QString>("locale");
  QTest::addColumn<qint64>("modified");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("key");

  QTest::newRow("en_US") << "en_US" << LocalSeconds(2008, 1, 1, 13, 0, 0) << "1/1/08 1:00:00 PM"
                         << "000000039448.54166667";
  QTest::newRow("de_DE") << "de_DE" << LocalSeconds(2008, 1, 1, 13, 0, 0) << "01.01.08 13:00:00"
                         << "000000039448,54166667";
  QTest::newRow("odd seconds truncate") << "de_DE" << LocalSeconds(2008, 1, 1, 13, 0, 7) << "01.01.08 13:00:06"
                                        << "000000039448,54173611";
  QTest::newRow("midnight shows the date") << "de_DE" << LocalSeconds(2010, 5, 17, 0, 0, 1) << "17.05.10"
                                           << "000000040315,00000000";
  QTest::newRow("1975 is listed") << "de_DE" << LocalSeconds(1975, 6, 1, 12, 30, 0) << "01.06.75 12:30:00"
                                  << "000000027546,52083333";
  QTest::newRow("2200 is listed") << "de_DE" << LocalSeconds(2200, 1, 1, 10, 0, 0) << "01.01.00 10:00:00"
                                  << "000000109575,41666667";
  QTest::newRow("unknown: no text") << "de_DE" << platform::UnknownTime << ""
                                    << "000000000000,00000000";
}

void TestRowTexts::writesTimesInTheLocalesFormats()
{
  QFETCH(QString, locale);
  QFETCH(qint64, modified);
  QFETCH(QString, text);
  QFETCH(QString, key);
  const RowTextFormat format(QLocale(locale), true);
  QCOMPARE(format.TimeText(modified), text);
  QCOMPARE(OleDateKey(ListedTime(modified), QLocale(locale).decimalPoint()), key);
}

void TestRowTexts::writesFreeSpace_data()
{
  QTest::addColumn<bool>("english");
  QTest::addColumn<qint64>("available");
  QTest::addColumn<qint64>("total");
  QTest::addColumn<QString>("text");
  QTest::newRow("English") << true << qint64(59914793780) << qint64(149786984448) << "55.8 GB free (40%)";
  QTest::newRow("second language") << false << qint64(59914793780) << qint64(149786984448) << "55.8 GB vrij (40%)";
  QTest::newRow("percent truncates") << true << qint64(999) << qint64(1000) << "999 bytes free (99%)";
  QTest::newRow("full") << true << qint64(0) << qint64(1000) << "0 bytes free (0%)";
  QTest::newRow("no total, no division") << true << qint64(0) << qint64(0) << "0 bytes free (0%)";
}

void TestRowTexts::writesFreeSpace()
{
  QFETCH(bool, english);
  QFETCH(qint64, available);
  QFETCH(qint64, total);
  QFETCH(QString, text);
  QCOMPARE(RowTextFormat(QLocale(QStringLiteral("en_US")), english).FreeSpaceText(available, total), text);
}

QTEST_GUILESS_MAIN(TestRowTexts)
#include "test_row_texts.moc"
