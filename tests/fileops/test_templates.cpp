#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QtTest>

#include "ops/new_document.h"
#include "tests/fileops/office_containers.h"
#include "tests/support/test_environment.h"

using namespace tv;

class TestTemplates : public QObject {
  Q_OBJECT
private slots:
  void olderFormatsAreCompoundFilesWithTheirMainStream_data();
  void olderFormatsAreCompoundFilesWithTheirMainStream();
  void newerFormatsArePackagesWithTheirMainPart_data();
  void newerFormatsArePackagesWithTheirMainPart();
  void writtenDocumentsOpenInTheOfficeSuite();
};

void TestTemplates::olderFormatsAreCompoundFilesWithTheirMainStream_data()
{
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<QStringList>("mainStreams"); // any one of them
  QTest::newRow("Word 97-2003") << QByteArray("W3") << QStringList{"WordDocument"};
  QTest::newRow("Excel 97-2003") << QByteArray("E3") << QStringList{"Workbook", "Book"};
  QTest::newRow("PowerPoint 97-2003") << QByteArray("P3") << QStringList{"PowerPoint Document", "PP40"};
}

void TestTemplates::olderFormatsAreCompoundFilesWithTheirMainStream()
{
  QFETCH(QByteArray, name);
  QFETCH(QStringList, mainStreams);
  const QStringList entries = test::CompoundFileEntryNames(ops::TemplateBytes(name.constData()));
  QVERIFY2(!entries.isEmpty(), "not a compound file");
  QVERIFY2(std::any_of(mainStreams.begin(), mainStreams.end(), [&](const QString &s) { return entries.contains(s); }),
           qPrintable(entries.join(", ")));
}

void TestTemplates::newerFormatsArePackagesWithTheirMainPart_data()
{
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<QString>("mainPart");
  QTest::addColumn<QByteArray>("element");
  QTest::addColumn<int>("count");
  QTest::newRow("Word 2007, one empty paragraph")
      << QByteArray("W7") << "word/document.xml" << QByteArray("<w:p>") << 1;
  QTest::newRow("Excel 2007, three sheets") << QByteArray("E7") << "xl/workbook.xml" << QByteArray("<sheet ") << 3;
  QTest::newRow("PowerPoint 2007, no slides")
      << QByteArray("P7") << "ppt/presentation.xml" << QByteArray("<p:sldId ") << 0;
}

void TestTemplates::newerFormatsArePackagesWithTheirMainPart()
{
  QFETCH(QByteArray, name);
  QFETCH(QString, mainPart);
  QFETCH(QByteArray, element);
  QFETCH(int, count);
  const QMap<QString, QByteArray> parts = test::ZipPackageParts(ops::TemplateBytes(name.constData()));
  QVERIFY2(parts.value("[Content_Types].xml").contains(("\"/" + mainPart + '"').toUtf8()), "main part not declared");
  QVERIFY2(parts.contains(mainPart), qPrintable(parts.keys().join(", ")));
  QCOMPARE(parts.value(mainPart).count(element), count);
  for (const QString &part : parts.keys())
    QVERIFY2(!part.contains("/slides/") && !part.contains("/worksheets/sheet4"), qPrintable(part));
}

void TestTemplates::writtenDocumentsOpenInTheOfficeSuite()
{
  const QString office = QStandardPaths::findExecutable("soffice");
  if (office.isEmpty())
    QSKIP("LibreOffice (soffice) is not installed");
  test::TestEnvironment environment;
  const QString folder = QFile::decodeName(environment.makeFolder("documents"));
  const QList<std::pair<const char *, const char *>> documents{{"W3", ".doc"},  {"W7", ".docx"}, {"E3", ".xls"},
                                                               {"E7", ".xlsx"}, {"P3", ".ppt"},  {"P7", ".pptx"}};
  QStringList paths;
  for (const auto &[name, extension] : documents) {
    paths.append(folder + name + extension);
    QVERIFY(ops::SaveTemplateToFile(name, QFile::encodeName(paths.last())).Ok());
  }

  QProcess conversion;
  conversion.setProcessChannelMode(QProcess::MergedChannels);
  conversion.start(office, QStringList{"-env:UserInstallation=" + QUrl::fromLocalFile(folder + "profile").toString(),
                                       "--headless", "--convert-to", "pdf", "--outdir", folder + "pdf"} +
                               paths);
  QVERIFY2(conversion.waitForFinished(10 * 60 * 1000), "the office suite did not finish");
  const QByteArray output = conversion.readAll();
  QVERIFY2(conversion.exitStatus() == QProcess::NormalExit && conversion.exitCode() == 0, output.constData());
  for (const auto &[name, extension] : documents) {
    QFile pdf(folder + "pdf/" + name + ".pdf");
    QVERIFY2(pdf.open(QIODevice::ReadOnly), qPrintable(name + (": no PDF\n" + output)));
    QVERIFY2(pdf.read(5) == "%PDF-", name);
  }
}

QTEST_GUILESS_MAIN(TestTemplates)
#include "test_templates.moc"
