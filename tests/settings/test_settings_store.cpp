#include <QDir>
#include <QFile>
#include <QtTest>
#include <sys/stat.h>

#include "ops/setting_values.h"
#include "settings/app_settings.h"
#include "settings/settings_store.h"
#include "tests/support/files.h"
#include "tests/support/restricted_run.h"
#include "tests/support/settings_sandbox.h"

using namespace tv;
using test::ReadFile;

namespace {

// Stands for a folder where Settings.ini should be.
const QByteArray kFolderInsteadOfFile = "<folder>";

void PlaceSettingsFile(const test::SettingsSandbox &sandbox, const QByteArray &content)
{
  if (content == kFolderInsteadOfFile)
    QVERIFY(QDir().mkpath(QFile::decodeName(sandbox.settingsFile())));
  else if (!content.isNull())
    test::WriteFile(sandbox.settingsFile(), content);
}

} // namespace

class TestSettingsStore : public QObject {
  Q_OBJECT
private slots:
  void startUpPrecedence_data();
  void startUpPrecedence();
  void executablePathIsRecordedAtEveryStart();
  void unusableUserStoreLeavesFileValues_data();
  void unusableUserStoreLeavesFileValues();
  void storeRefusingWritesEndsTheStepEvenWithThePathStored();
  void savedUserSettingsWinAtNextStart();
  void writeDefaultsCreatesOneSection();
  void writeDefaultsKeepsTheRestOfTheFile();
  void writeDefaultsReportsRefusal();
  void readDefaults_data();
  void readDefaults();
  void integers_data();
  void integers();

private:
  Settings settings;
};

void TestSettingsStore::startUpPrecedence_data()
{
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QVariantMap>("store");
  QTest::addColumn<bool>("english");
  QTest::addColumn<bool>("showHidden");
  QTest::addColumn<int>("homeFolder");
  QTest::addColumn<bool>("shellFoldersRead");

  const QVariantMap none;
  QTest::newRow("no file, empty store: second language") << QByteArray() << none << false << false << 0 << true;
  QTest::newRow("file without Language: English")
      << QByteArray("[TV]\nShowHidden=0\n") << none << true << false << 0 << true;
  QTest::newRow("empty file: English") << QByteArray("") << none << true << false << 0 << true;
  QTest::newRow("file nl") << QByteArray("[TV]\nLanguage=nl\n") << none << false << false << 0 << true;
  QTest::newRow("file NL") << QByteArray("[TV]\nLanguage=NL\n") << none << false << false << 0 << true;
  QTest::newRow("file Nl") << QByteArray("[TV]\nLanguage=Nl\n") << none << false << false << 0 << true;
  QTest::newRow("file en") << QByteArray("[TV]\nLanguage=en\n") << none << true << false << 0 << true;
  QTest::newRow("store NL is English") << QByteArray("[TV]\nLanguage=nl\n") << QVariantMap{{"Language", "NL"}} << true
                                       << false << 0 << true;
  QTest::newRow("store nl beats file en")
      << QByteArray("[TV]\nLanguage=en\n") << QVariantMap{{"Language", "nl"}} << false << false << 0 << true;
  QTest::newRow("file ShowHidden 1") << QByteArray("[TV]\nShowHidden=1\n") << none << true << true << 0 << true;
  QTest::newRow("store ShowHidden 0 beats file")
      << QByteArray("[TV]\nShowHidden=1\n") << QVariantMap{{"ShowHidden", 0}} << true << false << 0 << true;
  QTest::newRow("file ShowHidden true is no number")
      << QByteArray("[TV]\nShowHidden=true\n") << none << true << false << 0 << true;
  QTest::newRow("file HomeFolder 0x2") << QByteArray("[TV]\nHomeFolder=0x2\n") << none << true << false << 2 << true;
  QTest::newRow("file HomeFolder 258") << QByteArray("[TV]\nHomeFolder=258\n") << none << true << false << 2 << true;
  QTest::newRow("file HomeFolder -1") << QByteArray("[TV]\nHomeFolder=-1\n") << none << true << false << 255 << true;
  QTest::newRow("store HomeFolder 258") << QByteArray() << QVariantMap{{"HomeFolder", 258}} << false << false << 2
                                        << true;
  QTest::newRow("store ShowHidden yes ends the store step")
      << QByteArray("[TV]\nLanguage=nl\nHomeFolder=1\n")
      << QVariantMap{{"Language", "en"}, {"ShowHidden", "yes"}, {"HomeFolder", 3}} << true << false << 1 << false;
  QTest::newRow("store Language of the wrong type ends the store step")
      << QByteArray("[TV]\nLanguage=nl\nShowHidden=1\n")
      << QVariantMap{{"Language", QStringList{"en", "x"}}, {"ShowHidden", 0}} << false << true << 0 << false;
  QTest::newRow("folder named Settings.ini is no file") << kFolderInsteadOfFile << none << false << false << 0 << true;
  QTest::newRow("binary junk file: English")
      << QByteArrayLiteral("\x00\xff\x01[\n=\x7f\r\r\n]]") << none << true << false << 0 << true;
}

void TestSettingsStore::startUpPrecedence()
{
  QFETCH(QByteArray, file);
  QFETCH(QVariantMap, store);
  QFETCH(bool, english);
  QFETCH(bool, showHidden);
  QFETCH(int, homeFolder);
  QFETCH(bool, shellFoldersRead);
  test::SettingsSandbox sandbox;
  PlaceSettingsFile(sandbox, file);
  for (auto value = store.cbegin(); value != store.cend(); ++value)
    sandbox.storeValue(value.key(), value.value());

  LoadSettingsFor(settings, sandbox.executable());

  QCOMPARE(settings.IsEnglish, english);
  QCOMPARE(settings.StartupIsEnglish, english);
  QCOMPARE(settings.ShowHidden, showHidden);
  QCOMPARE(int{settings.HomeFolder}, homeFolder);
  QCOMPARE(settings.HomeLocations[ApplicationFolder], sandbox.appFolder());
  QCOMPARE(settings.HomeLocations[DriveListHome], QByteArray());
  QCOMPARE(settings.HomeLocations[DocumentsFolder], shellFoldersRead ? sandbox.documents() : QByteArray());
  QCOMPARE(settings.HomeLocations[DesktopFolder], shellFoldersRead ? sandbox.desktop() : QByteArray());
}

void TestSettingsStore::executablePathIsRecordedAtEveryStart()
{
  test::SettingsSandbox sandbox;
  sandbox.storeValue(QStringLiteral("ShowHidden"), QStringLiteral("not a number"));
  LoadSettingsFor(settings, sandbox.executable());
  QCOMPARE(sandbox.storedValue(QStringLiteral("Default")).toString(), QFile::decodeName(sandbox.executable()));

  const QByteArray moved = sandbox.environment().makeFolder("elsewhere") + "tarnview";
  LoadSettingsFor(settings, moved);
  QCOMPARE(sandbox.storedValue(QStringLiteral("Default")).toString(), QFile::decodeName(moved));
  QCOMPARE(settings.HomeLocations[ApplicationFolder], sandbox.environment().home() + "/elsewhere/");
}

void TestSettingsStore::unusableUserStoreLeavesFileValues_data()
{
  QTest::addColumn<bool>("storeFolderIsAFile");
  QTest::newRow("corrupt store") << false;
  QTest::newRow("store folder cannot be created") << true;
}

void TestSettingsStore::unusableUserStoreLeavesFileValues()
{
  QFETCH(bool, storeFolderIsAFile);
  test::SettingsSandbox sandbox;
  test::WriteFile(sandbox.settingsFile(), "[TV]\nLanguage=nl\nShowHidden=1\nHomeFolder=3\n");
  const QByteArray storeFolder = sandbox.configFolder() + "/Corvane";
  if (storeFolderIsAFile) {
    test::WriteFile(storeFolder, "in the way");
  } else {
    QVERIFY(QDir().mkpath(QFile::decodeName(storeFolder)));
    test::WriteFile(storeFolder + "/Tarnview.conf", QByteArrayLiteral("\xff\xfe\x00[General\n\x01=\"\\"));
  }

  LoadSettingsFor(settings, sandbox.executable());

  QCOMPARE(settings.IsEnglish, false);
  QCOMPARE(settings.ShowHidden, true);
  QCOMPARE(int{settings.HomeFolder}, 3);
  QCOMPARE(settings.HomeLocations[DesktopFolder], QByteArray());
}

// The path is not written again when it is already stored; a store that would refuse the
// write must still end the step, as if it had been tried.
void TestSettingsStore::storeRefusingWritesEndsTheStepEvenWithThePathStored()
{
  test::SettingsSandbox sandbox;
  sandbox.storeValue(QStringLiteral("Default"), QFile::decodeName(sandbox.executable()));
  sandbox.storeValue(QStringLiteral("ShowHidden"), 1);
  const QByteArray storeFolder = sandbox.configFolder() + "/Corvane";
  const QByteArray reachable[] = {sandbox.environment().home(), sandbox.configFolder()};
  for (const QByteArray &folder : reachable)
    QVERIFY(::chmod(folder.constData(), 0755) == 0);
  QVERIFY(::chmod((storeFolder + "/Tarnview.conf").constData(), 0444) == 0);
  QVERIFY(::chmod(storeFolder.constData(), 0555) == 0);

  const int shownHidden = test::RunRestricted([&] {
    LoadSettingsFor(settings, sandbox.executable());
    return settings.ShowHidden ? 1 : 0;
  });
  QVERIFY(::chmod(storeFolder.constData(), 0755) == 0);
  if (shownHidden < 0)
    QSKIP("running as root and unable to switch to the user nobody, who must not be able to write the store");
  QCOMPARE(shownHidden, 0);
}

void TestSettingsStore::savedUserSettingsWinAtNextStart()
{
  test::SettingsSandbox sandbox;
  test::WriteFile(sandbox.settingsFile(), "[TV]\nLanguage=en\nShowHidden=0\nHomeFolder=0\n");
  LoadSettingsFor(settings, sandbox.executable());
  settings.StartupIsEnglish = false;
  settings.ShowHidden = true;
  settings.HomeFolder = DesktopFolder;
  SaveUserSettings(settings);

  QCOMPARE(sandbox.storedValue(QStringLiteral("Language")).toString(), QStringLiteral("nl"));
  QCOMPARE(sandbox.storedValue(QStringLiteral("ShowHidden")).toInt(), 1);
  QCOMPARE(sandbox.storedValue(QStringLiteral("HomeFolder")).toInt(), 3);
  LoadSettingsFor(settings, sandbox.executable());
  QCOMPARE(settings.IsEnglish, false);
  QCOMPARE(settings.ShowHidden, true);
  QCOMPARE(int{settings.HomeFolder}, 3);
  QCOMPARE(settings.HomeLocations[DocumentsFolder], sandbox.documents());
}

void TestSettingsStore::writeDefaultsCreatesOneSection()
{
  test::SettingsSandbox sandbox;
  LoadSettingsFor(settings, sandbox.executable());
  QVERIFY(WriteDefaultSettings(settings, 1, true, 3));
  QCOMPARE(ReadFile(sandbox.settingsFile()), QByteArray("[TV]\nLanguage=nl\nShowHidden=1\nHomeFolder=3\n"));
  QVERIFY(WriteDefaultSettings(settings, 0, false, 1));
  QCOMPARE(ReadFile(sandbox.settingsFile()), QByteArray("[TV]\nLanguage=en\nShowHidden=0\nHomeFolder=1\n"));
}

void TestSettingsStore::writeDefaultsKeepsTheRestOfTheFile()
{
  test::SettingsSandbox sandbox;
  test::WriteFile(sandbox.settingsFile(), "; defaults of the lab machines\r\n[Other]\r\nLanguage=fr\r\n\r\n"
                                          "[tv]\r\nhomefolder = 2 ; desktop\r\nExtra=\"kept\"\r\n");
  LoadSettingsFor(settings, sandbox.executable());
  QVERIFY(WriteDefaultSettings(settings, 1, false, 0));
  QCOMPARE(ReadFile(sandbox.settingsFile()),
           QByteArray("; defaults of the lab machines\r\n[Other]\r\nLanguage=fr\r\n\r\n"
                      "[tv]\r\nhomefolder = 0\r\nExtra=\"kept\"\r\nLanguage=nl\r\nShowHidden=0\r\n"));
}

void TestSettingsStore::writeDefaultsReportsRefusal()
{
  test::SettingsSandbox sandbox;
  LoadSettingsFor(settings, sandbox.executable());
  QVERIFY(QDir().mkpath(QFile::decodeName(sandbox.settingsFile())));
  QVERIFY(!WriteDefaultSettings(settings, 1, true, 3));
  QVERIFY(QFileInfo(QFile::decodeName(sandbox.settingsFile())).isDir());

  settings.HomeLocations[ApplicationFolder].clear();
  QVERIFY2(!WriteDefaultSettings(settings, 1, true, 3),
           "an unknown application folder must not mean the working folder");
}

void TestSettingsStore::readDefaults_data()
{
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<bool>("found");
  QTest::addColumn<bool>("english");
  QTest::addColumn<bool>("showHidden");
  QTest::addColumn<int>("homeFolder");

  QTest::newRow("no file") << QByteArray() << false << true << false << 0;
  QTest::newRow("folder instead of file") << kFolderInsteadOfFile << false << true << false << 0;
  QTest::newRow("all three") << QByteArray("[TV]\nLanguage=nl\nShowHidden=1\nHomeFolder=3\n") << true << false << true
                             << 3;
  QTest::newRow("malformed values give defaults")
      << QByteArray("[TV]\nLanguage=\nShowHidden=yes\nHomeFolder=three\n") << true << true << false << 0;
  QTest::newRow("home index kept as written") << QByteArray("[TV]\nHomeFolder=7\n") << true << true << false << 7;
  QTest::newRow("negative home index") << QByteArray("[TV]\nHomeFolder=-1\n") << true << true << false << -1;
}

void TestSettingsStore::readDefaults()
{
  QFETCH(QByteArray, file);
  QFETCH(bool, found);
  QFETCH(bool, english);
  QFETCH(bool, showHidden);
  QFETCH(int, homeFolder);
  test::SettingsSandbox sandbox;
  LoadSettingsFor(settings, sandbox.executable());
  PlaceSettingsFile(sandbox, file);

  const std::optional<DefaultSettings> defaults = ReadDefaultSettings(settings);
  QCOMPARE(defaults.has_value(), found);
  if (!defaults)
    return;
  QCOMPARE(defaults->english, english);
  QCOMPARE(defaults->showHidden, showHidden);
  QCOMPARE(defaults->homeFolder, homeFolder);
}

void TestSettingsStore::integers_data()
{
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<bool>("isNumber");
  QTest::addColumn<int>("value");

  QTest::newRow("decimal") << QByteArray("258") << true << 258;
  QTest::newRow("plus sign") << QByteArray("+7") << true << 7;
  QTest::newRow("minus sign") << QByteArray("-3") << true << -3;
  QTest::newRow("hex 0x") << QByteArray("0x2") << true << 2;
  QTest::newRow("hex 0X mixed case") << QByteArray("0X1fA") << true << 0x1fa;
  QTest::newRow("hex wraps at 32 bits") << QByteArray("0xFFFFFFFF") << true << -1;
  QTest::newRow("largest int") << QByteArray("2147483647") << true << 2147483647;
  QTest::newRow("beyond 32 bits") << QByteArray("2147483648") << false << 0;
  QTest::newRow("hex beyond 32 bits") << QByteArray("0x100000000") << false << 0;
  QTest::newRow("empty") << QByteArray("") << false << 0;
  QTest::newRow("word") << QByteArray("true") << false << 0;
  QTest::newRow("bare 0x") << QByteArray("0x") << false << 0;
  QTest::newRow("signed hex") << QByteArray("-0x2") << false << 0;
  QTest::newRow("trailing text") << QByteArray("12abc") << false << 0;
  QTest::newRow("decimal point") << QByteArray("1.0") << false << 0;
  QTest::newRow("inner blank") << QByteArray("1 2") << false << 0;
  QTest::newRow("sign only") << QByteArray("-") << false << 0;
}

void TestSettingsStore::integers()
{
  QFETCH(QByteArray, text);
  QFETCH(bool, isNumber);
  QFETCH(int, value);
  const std::optional<int> number = ParseSettingInteger(text);
  QCOMPARE(number.has_value(), isNumber);
  if (number)
    QCOMPARE(*number, value);
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settings_store.moc"
