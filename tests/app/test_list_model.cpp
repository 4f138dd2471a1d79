#include <QItemSelectionModel>
#include <QtTest>

#include "app/list_model.h"

using namespace tv;

namespace {

platform::DirectoryContents Files(const QList<QByteArray> &names)
{
  platform::DirectoryContents contents;
  contents.state = platform::FolderState::Listed;
  qint64 size = 100;
  for (const QByteArray &name : names) {
    contents.entries.push_back(
        {quint32(contents.names.size()), quint16(name.size()), platform::EntryKind::File, size--, 0});
    contents.names.append(name);
  }
  return contents;
}

QCollator English() { return NameCollator(QLocale(QStringLiteral("en_US"))); }

RowTextFormat EnglishTexts() { return RowTextFormat(QLocale(QStringLiteral("en_US")), true); }

} // namespace

class TestListModel : public QObject {
  Q_OBJECT
private slots:
  void aRenamedRowShowsItsNewName();
  void theMessageRowCannotBeEdited();
  void aSortKeepsTheSelectionOnItsRow();
};

void TestListModel::aRenamedRowShowsItsNewName()
{
  ListModel model;
  model.SetRows(BuildFolderRows(Files({"a.txt", "b.txt", "c.txt"}), false, true, English()), EnglishTexts());

  model.RenameRow(0, "Zulu \xc3\xa9.doc");
  QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("Zulu é.doc"));
  QCOMPARE(model.Rows().Name(0), QByteArrayView("Zulu \xc3\xa9.doc"));
  QCOMPARE(model.Format().NameKey(model.Rows(), 0), QStringLiteral("Zulu é.doc"));
  QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("100 bytes")); // same row
  model.SortBy(SortKey::Name, English());
  QCOMPARE(model.Rows().Name(2), QByteArrayView("Zulu \xc3\xa9.doc"));
}

void TestListModel::theMessageRowCannotBeEdited()
{
  ListModel model;
  platform::DirectoryContents missing;
  model.SetRows(BuildFolderRows(missing, false, true, English()), EnglishTexts());
  QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
  QVERIFY(model.data(model.index(0, 0), ListModel::RowImageRole).isNull());
}

void TestListModel::aSortKeepsTheSelectionOnItsRow()
{
  ListModel model;
  model.SetRows(BuildFolderRows(Files({"a.txt", "b.txt", "c.txt"}), false, true, English()), EnglishTexts());
  QItemSelectionModel selection(&model);
  selection.select(model.index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);

  model.SortBy(SortKey::Size, English()); // sizes 100, 99, 98: reversed
  const QModelIndexList selected = selection.selectedRows();
  QCOMPARE(selected.size(), 1);
  QCOMPARE(selected.first().row(), 2);
  QCOMPARE(model.Rows().Name(2), QByteArrayView("a.txt"));
}

QTEST_GUILESS_MAIN(TestListModel)
#include "test_list_model.moc"
