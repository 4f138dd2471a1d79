// What `cmake --install` puts on a machine: the program in a folder of its own with its
// packaged defaults, a link that puts it on PATH, the menu entry and its icons.
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kAppDir = QStringLiteral(APP_DIR);
const QString kDesktopEntry = QStringLiteral("/usr/share/applications/tarnview.desktop");

// The keys of a desktop entry's main group.
QMap<QString, QString> ReadDesktopEntry(const QString &path)
{
  QFile file(path);
  QMap<QString, QString> keys;
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
    return keys;
  const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
  bool inMainGroup = false;
  for (const QString &line : lines) {
    if (line.startsWith(QLatin1Char('[')))
      inMainGroup = line == QStringLiteral("[Desktop Entry]");
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (inMainGroup && equals > 0)
      keys.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
  }
  return keys;
}

} // namespace

class TestInstallLayout : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void programFolderHoldsTheProgramAndItsDefaults();
  void linkOnPathLeadsToTheProgramFolder();
  void desktopEntry_data();
  void desktopEntry();
  void desktopEntryIsDescribed();
  void desktopEntryPassesTheValidator();
  void iconHasEverySizeOfTheWindowIcon_data();
  void iconHasEverySizeOfTheWindowIcon();

private:
  QString staged(const QString &path) const { return stage_.path() + path; }

  QTemporaryDir stage_;
  QMap<QString, QString> entry_;
};

void TestInstallLayout::initTestCase()
{
  QProcess install;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("DESTDIR"), stage_.path());
  install.setProcessEnvironment(environment);
  install.start(QStringLiteral(CMAKE_COMMAND), {QStringLiteral("--install"), QStringLiteral(BUILD_DIR),
                                                QStringLiteral("--prefix"), QStringLiteral("/usr")});
  QVERIFY(install.waitForFinished(120000));
  QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
  entry_ = ReadDesktopEntry(staged(kDesktopEntry));
}

void TestInstallLayout::programFolderHoldsTheProgramAndItsDefaults()
{
  const QFileInfo program(staged(kAppDir + QStringLiteral("/tarnview")));
  QVERIFY(program.isFile());
  QVERIFY(program.isExecutable());

  // A packaged program starts in English with the documents folder and no hidden files.
  const QString defaults = staged(kAppDir + QStringLiteral("/Settings.ini"));
  QVERIFY(QFileInfo(defaults).isFile());
  QSettings settings(defaults, QSettings::IniFormat);
  settings.beginGroup(QStringLiteral("TV"));
  QCOMPARE(settings.childKeys().size(), 3);
  QCOMPARE(settings.value(QStringLiteral("Language")).toString(), QStringLiteral("en"));
  QCOMPARE(settings.value(QStringLiteral("ShowHidden")).toString(), QStringLiteral("0"));
  QCOMPARE(settings.value(QStringLiteral("HomeFolder")).toString(), QStringLiteral("2"));
}

void TestInstallLayout::linkOnPathLeadsToTheProgramFolder()
{
  const QFileInfo link(staged(QStringLiteral("/usr/bin/tarnview")));
  QVERIFY(link.isSymLink());
  // Absolute, so that the kernel's /proc/self/exe names the program folder, not /usr/bin.
  QCOMPARE(link.symLinkTarget(), kAppDir + QStringLiteral("/tarnview"));
}

void TestInstallLayout::desktopEntry_data()
{
  QTest::addColumn<QString>("key");
  QTest::addColumn<QString>("value");
  QTest::newRow("type") << QStringLiteral("Type") << QStringLiteral("Application");
  QTest::newRow("name") << QStringLiteral("Name") << QStringLiteral("Tarnview");
  QTest::newRow("started by the link on PATH") << QStringLiteral("Exec") << QStringLiteral("tarnview %U");
  QTest::newRow("icon of the theme") << QStringLiteral("Icon") << QStringLiteral("tarnview");
  QTest::newRow("no terminal") << QStringLiteral("Terminal") << QStringLiteral("false");
  QTest::newRow("menu") << QStringLiteral("Categories") << QStringLiteral("System;FileTools;FileManager;");
  QTest::newRow("window class") << QStringLiteral("StartupWMClass") << QStringLiteral("Tarnview");
  QTest::newRow("can be chosen for folders") << QStringLiteral("MimeType") << QStringLiteral("inode/directory;");
}

void TestInstallLayout::desktopEntry()
{
  QFETCH(QString, key);
  QFETCH(QString, value);
  QCOMPARE(entry_.value(key), value);
}

void TestInstallLayout::desktopEntryIsDescribed()
{
  QVERIFY(!entry_.value(QStringLiteral("Comment")).isEmpty());
  QVERIFY(!entry_.value(QStringLiteral("Comment[zh_CN]")).isEmpty());
}

void TestInstallLayout::desktopEntryPassesTheValidator()
{
  if (QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty())
    QSKIP("desktop-file-validate is not installed");
  QProcess validator;
  validator.start(QStringLiteral("desktop-file-validate"), {staged(kDesktopEntry)});
  QVERIFY(validator.waitForFinished());
  QVERIFY2(validator.exitCode() == 0, validator.readAllStandardOutput().constData());
}

void TestInstallLayout::iconHasEverySizeOfTheWindowIcon_data()
{
  QTest::addColumn<int>("size");
  for (int size : {16, 24, 32, 48})
    QTest::addRow("%dx%d", size, size) << size;
}

void TestInstallLayout::iconHasEverySizeOfTheWindowIcon()
{
  QFETCH(int, size);
  const QString path = staged(QStringLiteral("/usr/share/icons/hicolor/%1x%1/apps/tarnview.png").arg(size));
  const QImage icon(path);
  QVERIFY2(!icon.isNull(), qPrintable(path));
  QCOMPARE(icon.size(), QSize(size, size));
}

QTEST_GUILESS_MAIN(TestInstallLayout)
#include "test_install_layout.moc"
