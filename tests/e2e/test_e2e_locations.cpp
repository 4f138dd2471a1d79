// The real program shown a folder or a file by its command line, by xdg-open and by the
// desktop's file-manager interface on the session bus.
#include <QDir>
#include <QtTest>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

#include "tests/e2e/tarnview_run.h"
#include "tests/e2e/x_desktop.h"

using namespace tv::e2e;

namespace {

constexpr int kTimeoutMs = 10000;
const QString kRenamed = QStringLiteral("renamed.txt");
constexpr QPoint kOptionsButton{811, 579};
constexpr QPoint kOptionsCancel{195, 316};

bool Exists(const QByteArray &path) { return ::access(path.constData(), F_OK) == 0; }

// Removes a name QTemporaryDir cannot remove, one that is not UTF-8.
struct RemovedAtEnd {
  QByteArray path;
  ~RemovedAtEnd() { ::unlink(path.constData()); }
};

// In the folder "@" stands for: box/ with "aaa.txt" (its first row), enough files before
// "zz chosen.txt" that it is listed below the visible rows, and latin/ with a name that is not
// UTF-8. Names are raw bytes.
QByteArray MakeFolders(const QString &root)
{
  const QByteArray at = root.toUtf8();
  QDir().mkpath(root + QStringLiteral("box"));
  QDir().mkpath(root + QStringLiteral("latin"));
  QByteArrayList names{"box/aaa.txt", "box/zz chosen.txt", "latin/caf\xe9.txt"};
  for (int number = 10; number < 50; ++number)
    names << "box/m" + QByteArray::number(number) + ".txt";
  for (const QByteArray &name : names)
    ::close(::open((at + name).constData(), O_CREAT | O_WRONLY, 0644));
  return at;
}

// Renames the selected row by the keyboard, as a person would: the file that takes the new
// name tells which row was selected, and so which folder was shown.
void RenameSelectedRow(TarnviewRun &run, bool clickFirstRow)
{
  if (clickFirstRow)
    run.click(place::FirstRow);
  run.keys({QStringLiteral("F2"), QStringLiteral("ctrl+a")});
  run.type(kRenamed);
  run.keys({QStringLiteral("Return")});
}

// Tarnview chosen for folders in the test's own mimeapps.list, its entry starting the copy.
void ChooseForFolders(const TarnviewRun &run)
{
  QDir().mkpath(run.home() + QStringLiteral(".local/share/applications"));
  QFile entry(run.home() + QStringLiteral(".local/share/applications/tarnview-e2e.desktop"));
  QFile choice(run.home() + QStringLiteral(".config/mimeapps.list"));
  QVERIFY(entry.open(QIODevice::WriteOnly) && choice.open(QIODevice::WriteOnly));
  entry.write("[Desktop Entry]\nType=Application\nName=Tarnview\nMimeType=inode/directory;\nExec=" +
              run.executable().toUtf8() + " %U\n");
  choice.write("[Default Applications]\ninode/directory=tarnview-e2e.desktop\n");
}

bool CallOverTheBus(const TarnviewRun &run, const QString &method, const QByteArray &uri)
{
  QProcess send;
  send.setProcessEnvironment(run.environment());
  send.start(QStringLiteral("dbus-send"),
             {QStringLiteral("--session"), QStringLiteral("--print-reply"),
              QStringLiteral("--dest=org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
              QStringLiteral("org.freedesktop.FileManager1.") + method,
              QStringLiteral("array:string:") + QString::fromLatin1(uri), QStringLiteral("string:")});
  return send.waitForFinished() && send.exitCode() == 0;
}

} // namespace

class TestE2eLocations : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void showsTheLocationGiven_data();
  void showsTheLocationGiven();

private:
  std::unique_ptr<XDesktop> desktop_;
};

void TestE2eLocations::initTestCase()
{
  desktop_ = std::make_unique<XDesktop>();
  if (!desktop_->serverStarted())
    QSKIP(qPrintable(QStringLiteral("no X server could be started: ") + desktop_->failure()));
  QVERIFY2(desktop_->isRunning(), qPrintable(desktop_->failure()));
}

void TestE2eLocations::showsTheLocationGiven_data()
{
  // How the location reaches the program: its argument, xdg-open or a method on the bus.
  QTest::addColumn<QString>("how");
  QTest::addColumn<QByteArray>("location");
  QTest::addColumn<QByteArray>("renamed"); // the file whose row was selected; empty: a message
  const QString argument = QStringLiteral("argument");
  QTest::newRow("folder") << argument << QByteArray("@box") << QByteArray("box/aaa.txt");
  QTest::newRow("file") << argument << QByteArray("@box/zz chosen.txt") << QByteArray("box/zz chosen.txt");
  QTest::newRow("file URI") << argument << QByteArray("file://@box/zz%20chosen.txt") << QByteArray("box/zz chosen.txt");
  QTest::newRow("not UTF-8") << argument << QByteArray("@latin/caf\xe9.txt") << QByteArray("latin/caf\xe9.txt");
  QTest::newRow("missing") << argument << QByteArray("@nothing") << QByteArray();
  QTest::newRow("xdg-open") << QStringLiteral("xdg-open") << QByteArray("@box") << QByteArray("box/aaa.txt");
  QTest::newRow("ShowFolders") << QStringLiteral("ShowFolders") << QByteArray("file://@box/")
                               << QByteArray("box/aaa.txt");
  QTest::newRow("ShowItems") << QStringLiteral("ShowItems") << QByteArray("file://@box/zz%20chosen.txt")
                             << QByteArray("box/zz chosen.txt");
  // While the Options dialog is open the call waits; it is carried out once the dialog closes.
  QTest::newRow("ShowItems behind a box")
      << QStringLiteral("ShowItems behind a box") << QByteArray("file://@box/zz%20chosen.txt")
      << QByteArray("box/zz chosen.txt");
  QTest::newRow("ShowItemProperties") << QStringLiteral("ShowItemProperties") << QByteArray("file://@latin/caf%E9.txt")
                                      << QByteArray("latin/caf\xe9.txt");
}

void TestE2eLocations::showsTheLocationGiven()
{
  QFETCH(QString, how);
  QFETCH(QByteArray, location);
  QFETCH(QByteArray, renamed);
  const bool overTheBus = how.startsWith(QStringLiteral("Show"));
  if (overTheBus && desktop_->environment().value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")) == "disabled:")
    QSKIP("no session bus of the test's own (dbus-daemon missing)");
  TarnviewRun run(*desktop_);
  const QByteArray root = MakeFolders(run.elsewhere());
  const RemovedAtEnd notUtf8{root + "latin/caf\xe9.txt"};
  location.replace('@', root);
  if (how == QStringLiteral("xdg-open")) {
    ChooseForFolders(run);
    QVERIFY2(run.startThrough(how, {QString::fromUtf8(location)}), qPrintable(run.error()));
  } else {
    QVERIFY2(run.start(overTheBus ? QByteArray() : location), qPrintable(run.error()));
  }
  const bool behindABox = how.endsWith(QStringLiteral("behind a box"));
  if (behindABox) {
    run.click(kOptionsButton);
    QVERIFY(run.waitForWindow(QStringLiteral("Options")).isValid());
  }
  // The program asks for the name as it starts; a call is answered once it holds it.
  const QString method = how.section(QLatin1Char(' '), 0, 0);
  QVERIFY(!overTheBus || QTest::qWaitFor([&] { return CallOverTheBus(run, method, location); }, kTimeoutMs));
  if (behindABox)
    run.clickIn(QStringLiteral("Options"), kOptionsCancel);
  if (renamed.isEmpty()) {
    QVERIFY(run.waitForWindow(QStringLiteral("Message")).isValid());
    return;
  }
  RenameSelectedRow(run, renamed.endsWith("aaa.txt"));
  const QByteArray folder = root + renamed.left(renamed.lastIndexOf('/') + 1);
  QTRY_VERIFY_WITH_TIMEOUT(Exists(folder + kRenamed.toUtf8()), kTimeoutMs);
  QVERIFY(!Exists(root + renamed));
}

QTEST_GUILESS_MAIN(TestE2eLocations)
#include "test_e2e_locations.moc"
