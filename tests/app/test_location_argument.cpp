// Locations handed to the program: paths and file URIs to local paths, and how each is shown.
#include <QtTest>

#include "app/location_argument.h"

using namespace tv;
using platform::LocationKind;

class TestLocationArgument : public QObject {
  Q_OBJECT
private slots:
  void readsLocations_data();
  void readsLocations();
  void plansHowToShow_data();
  void plansHowToShow();
};

void TestLocationArgument::readsLocations_data()
{
  QTest::addColumn<QByteArray>("location");
  QTest::addColumn<QByteArray>("path");
  QTest::newRow("relative") << QByteArray("docs/x") << QByteArray("/home/ann/docs/x");
  QTest::newRow("dot") << QByteArray(".") << QByteArray("/home/ann");
  QTest::newRow("dot dot past root") << QByteArray("../../../..//etc") << QByteArray("/etc");
  QTest::newRow("not UTF-8") << QByteArray("caf\xe9") << QByteArray("/home/ann/caf\xe9");
  QTest::newRow("colon in a name") << QByteArray("notes:a") << QByteArray("/home/ann/notes:a");
  QTest::newRow("URI") << QByteArray("file:///tmp/two%20words") << QByteArray("/tmp/two words");
  QTest::newRow("URI of localhost") << QByteArray("FILE://LocalHost/tmp/") << QByteArray("/tmp");
  QTest::newRow("URI without host") << QByteArray("file:/tmp/a") << QByteArray("/tmp/a");
  QTest::newRow("URI not UTF-8") << QByteArray("file:///caf%E9%2f") << QByteArray("/caf\xe9");
  QTest::newRow("URI query and fragment cut") << QByteArray("file:///a%23b#c?d") << QByteArray("/a#b");
  QTest::newRow("URI of another host") << QByteArray("file://nas/share") << QByteArray();
  QTest::newRow("URI holding a zero byte") << QByteArray("file:///a%00b") << QByteArray();
  QTest::newRow("relative URI") << QByteArray("file:tmp") << QByteArray();
  QTest::newRow("other scheme") << QByteArray("smb://nas/share") << QByteArray();
}

void TestLocationArgument::readsLocations()
{
  QFETCH(QByteArray, location);
  QFETCH(QByteArray, path);
  QCOMPARE(MeaningOfArgument(location), ArgumentMeaning::Location);
  QCOMPARE(RequestForLocation(location, "/home/ann").path, path);
}

void TestLocationArgument::plansHowToShow_data()
{
  QTest::addColumn<QByteArray>("path");
  QTest::addColumn<bool>("selectItem");
  QTest::addColumn<LocationKind>("kind");
  QTest::addColumn<QByteArray>("folder"); // empty: a message, the window stays
  QTest::addColumn<QByteArray>("selected");
  QTest::newRow("folder") << QByteArray("/a/b") << false << LocationKind::Folder << QByteArray("/a/b") << QByteArray();
  QTest::newRow("folder as item") << QByteArray("/a/b") << true << LocationKind::Folder << QByteArray("/a")
                                  << QByteArray("b");
  QTest::newRow("file at the root") << QByteArray("/b") << false << LocationKind::File << QByteArray("/")
                                    << QByteArray("b");
  QTest::newRow("root as item") << QByteArray("/") << true << LocationKind::Folder << QByteArray("/") << QByteArray();
  QTest::newRow("unreadable") << QByteArray("/a") << false << LocationKind::Unreadable << QByteArray() << QByteArray();
  QTest::newRow("not local") << QByteArray() << false << LocationKind::Folder << QByteArray() << QByteArray();
}

void TestLocationArgument::plansHowToShow()
{
  QFETCH(QByteArray, path);
  QFETCH(bool, selectItem);
  QFETCH(LocationKind, kind);
  const LocationPlan plan = PlanForLocation({path, QString(), selectItem}, kind);
  QTEST(plan.folder, "folder");
  QTEST(plan.selectedName, "selected");
  QCOMPARE(plan.message != nullptr, plan.folder.isEmpty());
}

QTEST_GUILESS_MAIN(TestLocationArgument)
#include "test_location_argument.moc"
