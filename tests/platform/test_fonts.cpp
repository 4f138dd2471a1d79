#include <QFile>
#include <QFontDatabase>
#include <QRawFont>
#include <QtTest>

#include "platform/fonts.h"

namespace {

const QString RegularFile = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");

QRawFont Face(bool bold)
{
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(16);
  font.setBold(bold);
  return QRawFont::fromFont(font);
}

} // namespace

class TestFonts : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void cleanup();
  void bothFacesAreTahomasOwn_data();
  void bothFacesAreTahomasOwn();
};

void TestFonts::initTestCase()
{
  if (!QFile::exists(RegularFile))
    QSKIP("the Tahoma font (fonts-wine) is not installed");
  if (QFontDatabase::families().contains(QStringLiteral("Tahoma")))
    QSKIP("Tahoma is installed on this system already");
}

void TestFonts::cleanup() { QFontDatabase::removeAllApplicationFonts(); }

void TestFonts::bothFacesAreTahomasOwn_data()
{
  QTest::addColumn<bool>("regularInstalled");
  QTest::newRow("neither face installed") << false;
  QTest::newRow("only the regular face installed") << true;
}

// Bold text is drawn with the bold face, never with the regular one thickened.
void TestFonts::bothFacesAreTahomasOwn()
{
  QFETCH(bool, regularInstalled);
  if (regularInstalled)
    QVERIFY(QFontDatabase::addApplicationFont(RegularFile) >= 0);

  tv::platform::RegisterProgramFonts();
  tv::platform::RegisterProgramFonts();

  for (bool bold : {false, true}) {
    const QRawFont face = Face(bold);
    QCOMPARE(face.familyName(), QStringLiteral("Tahoma"));
    QCOMPARE(face.styleName(), bold ? QStringLiteral("Bold") : QStringLiteral("Regular"));
  }
  QCOMPARE(QFontDatabase::styles(QStringLiteral("Tahoma")).size(), 2);
}

QTEST_MAIN(TestFonts)
#include "test_fonts.moc"
