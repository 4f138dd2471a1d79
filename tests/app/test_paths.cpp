#include <QtTest>

#include "ops/paths.h"

using namespace tv;

class TestPaths : public QObject {
  Q_OBJECT
private slots:
  void normalisesFolderPaths_data();
  void normalisesFolderPaths();
  void findsParentsByText_data();
  void findsParentsByText();
};

void TestPaths::normalisesFolderPaths_data()
{
  QTest::addColumn<QByteArray>("path");
  QTest::addColumn<QByteArray>("normalised");
  QTest::newRow("empty stays empty") << QByteArray() << QByteArray();
  QTest::newRow("trailing / added") << QByteArray("/home/ann") << QByteArray("/home/ann/");
  QTest::newRow("child of a folder") << QByteArray("/home/ann//docs") << QByteArray("/home/ann/docs/");
  QTest::newRow("three become two") << QByteArray("/a///b/") << QByteArray("/a//b/");
  QTest::newRow("four become two") << QByteArray("/a////b") << QByteArray("/a//b/");
  QTest::newRow("leading pair") << QByteArray("//srv/share") << QByteArray("/srv/share/");
  QTest::newRow("case kept") << QByteArray("/Data/x") << QByteArray("/Data/x/");
  QTest::newRow("root") << QByteArray("/") << QByteArray("/");
  QTest::newRow("not UTF-8") << QByteArray("/caf\xe9") << QByteArray("/caf\xe9/");
}

void TestPaths::normalisesFolderPaths()
{
  QFETCH(QByteArray, path);
  QFETCH(QByteArray, normalised);
  QCOMPARE(NormaliseFolderPath(path), normalised);
}

void TestPaths::findsParentsByText_data()
{
  QTest::addColumn<QByteArray>("folder");
  QTest::addColumn<QByteArray>("parent");
  QTest::newRow("nested") << QByteArray("/data/reports/") << QByteArray("/data");
  QTest::newRow("one level") << QByteArray("/data/") << QByteArray("/");
  QTest::newRow("root is its own parent") << QByteArray("/") << QByteArray("/");
  QTest::newRow("dots resolved") << QByteArray("/a/./b/../c/") << QByteArray("/a");
  QTest::newRow("doubled separators") << QByteArray("/a//b//") << QByteArray("/a");
  QTest::newRow("above the root") << QByteArray("/../../x/") << QByteArray("/");
  QTest::newRow("blanks kept") << QByteArray("/my files/ x /") << QByteArray("/my files");
  QTest::newRow("relative") << QByteArray("a/b/") << QByteArray("a");
  QTest::newRow("relative top") << QByteArray("a/") << QByteArray(".");
  QTest::newRow("relative climbs") << QByteArray("../") << QByteArray("../..");
}

void TestPaths::findsParentsByText()
{
  QFETCH(QByteArray, folder);
  QFETCH(QByteArray, parent);
  QCOMPARE(ParentFolderOf(folder), parent);
}

QTEST_GUILESS_MAIN(TestPaths)
#include "test_paths.moc"
