#include <QtTest>
#include <algorithm>
#include <numeric>

#include "ops/listing.h"

using namespace tv;
using Names = QList<QByteArray>;

namespace {

// Names that collators treat in many ways: case, accents, composed and decomposed forms
// (also marks in an order that needs normalising), ligatures, digits, punctuation, scripts beyond Latin, bytes that are
// not UTF-8, and names that collate equal but differ in bytes.
const Names TrickyNames = {
    "a",
    "A",
    "b",
    "B",
    "z",
    "Z",
    "\xc3\xa4",
    "\xc3\x84",
    "\xc3\xa1",
    "e",
    "E",
    "\xc3\xa9",
    "e\xcc\x81",
    "\xc3\x89",
    "r\xc3\xa9sum\xc3\xa9",
    "Resume",
    "resume",
    "RESUME",
    "file10",
    "file2",
    "file 2",
    "file-2",
    "file_2",
    "file.2",
    "File2.TXT",
    "file2.txt",
    "_x",
    "~x",
    ".hidden",
    "-dash",
    "#hash",
    "(1)",
    "[1]",
    "\xc3\x9f",
    "ss",
    "SS",
    "\xef\xac\x81",
    "fi",
    "\xc4\xb0",
    "\xc4\xb1",
    "i",
    "I",
    "\xc3\xa6",
    "ae",
    "AE",
    "\xc3\x86",
    "\xc3\xb8",
    "o",
    "\xc3\x85",
    "\xc3\xa5ngstr\xc3\xb6m",
    "angstrom",
    "\xe6\x97\xa5\xe6\x9c\xac",
    "\xe4\xb8\xad\xe6\x96\x87",
    "\xed\x95\x9c",
    "\xce\xa9",
    "\xcf\x89",
    "\xd9\xa3",
    "3",
    "03",
    "123",
    "0123",
    "a b",
    "a  b",
    "a\tb",
    "\xf0\x9f\x98\x80",
    "\xff\xfe",
    "a\xff"
    "b",
    "a\xef\xbf\xbd"
    "b",
    "\xc3",
    "z\xc3",
    "abcdefgh",
    "abcdefghi",
    "abcdefgH",
    "abcdefg",
    "abcdefgh.txt",
    "ABCDEFGH.TXT",
    "Meeting minutes 1.docx",
    "meeting minutes 1.DOCX",
    "Meeting Minutes 10.docx",
    "IMG_0001.jpg",
    "img_0001.JPG",
    "IMG_0001 (2).jpg",
    "a\xcc\x81\xcc\xa3",
    "a\xcc\xa3\xcc\x81",
    "\xe1\xba\xa1\xcc\x81",
    "\xe1\xba\xa5",
    "a\xcc\x82\xcc\x81",
};

platform::DirectoryContents FilesNamed(const Names &names)
{
  platform::DirectoryContents contents;
  contents.state = platform::FolderState::Listed;
  for (const QByteArray &name : names) {
    contents.entries.push_back({quint32(contents.names.size()), quint16(name.size()), platform::EntryKind::File, 0, 0});
    contents.names.append(name);
  }
  return contents;
}

// The order QCollator's own keys give, with ties kept in the given order or put in the
// order of their bytes.
Names ReferenceOrder(Names names, const QCollator &collator, bool equalByBytes)
{
  const auto key = [&](const QByteArray &name) {
    const QString text = QString::fromUtf8(name);
    const bool foldFirst =
        collator.locale().language() == QLocale::C && collator.caseSensitivity() == Qt::CaseInsensitive;
    return collator.sortKey(foldFirst ? text.toCaseFolded() : text);
  };
  std::stable_sort(names.begin(), names.end(), [&](const QByteArray &a, const QByteArray &b) {
    if (const int order = key(a).compare(key(b)))
      return order < 0;
    return equalByBytes && a < b;
  });
  return names;
}

Names NamesOf(const RowTable &rows, const std::vector<int> &order)
{
  Names names;
  for (const int row : order)
    names.append(rows.Name(row).toByteArray());
  return names;
}

} // namespace

class TestNameKeys : public QObject {
  Q_OBJECT
private slots:
  void ordersNamesAsTheCollatorsOwnKeys_data();
  void ordersNamesAsTheCollatorsOwnKeys();
};

void TestNameKeys::ordersNamesAsTheCollatorsOwnKeys_data()
{
  QTest::addColumn<QString>("locale");
  for (const char *locale : {"C", "en_US", "de_DE", "sv_SE", "tr_TR", "da_DK", "zh_CN", "ja_JP"})
    QTest::newRow(locale) << QString::fromLatin1(locale);
}

void TestNameKeys::ordersNamesAsTheCollatorsOwnKeys()
{
  QFETCH(QString, locale);
  const QCollator collator = NameCollator(QLocale(locale));
  Names shuffled = TrickyNames;
  std::reverse(shuffled.begin(), shuffled.end());
  std::rotate(shuffled.begin(), shuffled.begin() + shuffled.size() / 3, shuffled.end());

  // The listing: names the collator finds equal in the order of their bytes.
  const RowTable rows = BuildFolderRows(FilesNamed(shuffled), true, true, collator);
  std::vector<int> listed(static_cast<size_t>(rows.Count()));
  std::iota(listed.begin(), listed.end(), 0);
  QCOMPARE(NamesOf(rows, listed), ReferenceOrder(shuffled, collator, true));

  // A click on the title: equal names keep the order they had.
  RowTable table;
  for (const QByteArray &name : shuffled)
    table.Append(name, Row{});
  QCOMPARE(NamesOf(table, SortOrder(table, SortKey::Name, collator)), ReferenceOrder(shuffled, collator, false));
}

QTEST_GUILESS_MAIN(TestNameKeys)
#include "test_name_keys.moc"
