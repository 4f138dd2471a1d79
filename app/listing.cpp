#include "app/listing.h"

#include <algorithm>
#include <numeric>

#include "app/row_texts.h"
#include "platform/file_queries.h"
#include "settings/texts.h"

namespace tv {

namespace {

// The collator's key of a name, made once per name. Qt's keys for the C locale ignore the
// collator's case setting, so the name is folded first there.
QCollatorSortKey NameSortKey(const QCollator &collator, QByteArrayView name)
{
  const QString text = platform::displayName(QByteArray::fromRawData(name.data(), name.size()));
  const bool foldFirst =
      collator.locale().language() == QLocale::C && collator.caseSensitivity() == Qt::CaseInsensitive;
  return collator.sortKey(foldFirst ? text.toCaseFolded() : text);
}

// Puts items in the collator's order of their names, computing each name's key once.
// Names it finds equal go in the order of their bytes when asked, else keep their order.
template <typename NameOf>
void SortByName(std::vector<int> &items, NameOf nameOf, const QCollator &collator, bool equalByBytes)
{
  std::vector<QCollatorSortKey> keys;
  keys.reserve(items.size());
  for (const int item : items)
    keys.push_back(NameSortKey(collator, nameOf(item)));
  std::vector<int> positions(items.size());
  std::iota(positions.begin(), positions.end(), 0);
  std::sort(positions.begin(), positions.end(), [&](int a, int b) {
    if (const int order = keys[static_cast<size_t>(a)].compare(keys[static_cast<size_t>(b)]))
      return order < 0;
    if (equalByBytes) {
      const QByteArrayView nameA = nameOf(items[static_cast<size_t>(a)]), nameB = nameOf(items[static_cast<size_t>(b)]);
      if (nameA != nameB)
        return nameA < nameB;
    }
    return a < b;
  });
  std::vector<int> sorted;
  sorted.reserve(items.size());
  for (const int position : positions)
    sorted.push_back(items[static_cast<size_t>(position)]);
  items = std::move(sorted);
}

bool HasKey(const Row &row, SortKey key)
{
  return IsFileImage(row.image) || (row.image == DriveImage && key != SortKey::Time);
}

} // namespace

QCollator NameCollator(const QLocale &locale)
{
  QCollator collator(locale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  return collator;
}

RowTable BuildFolderRows(platform::DirectoryContents contents, bool showHidden, bool english, const QCollator &collator)
{
  if (contents.state == platform::FolderState::Missing) {
    RowTable rows;
    Row message;
    message.image = MessageImage;
    rows.append(TextIn(texts::FolderMissing, english).toUtf8(), message);
    return rows;
  }
  std::vector<int> folders, files;
  for (size_t i = 0; i < contents.entries.size(); ++i) {
    const platform::DirectoryEntry &entry = contents.entries[i];
    const bool hidden = contents.name(entry).startsWith('.');
    if (entry.kind == platform::EntryKind::Folder && !hidden)
      folders.push_back(static_cast<int>(i));
    else if (entry.kind == platform::EntryKind::File && (!hidden || showHidden))
      files.push_back(static_cast<int>(i));
  }
  const auto nameOf = [&](int item) { return contents.name(contents.entries[static_cast<size_t>(item)]); };
  SortByName(folders, nameOf, collator, true);
  SortByName(files, nameOf, collator, true);

  std::vector<Row> rows;
  rows.reserve(folders.size() + files.size());
  for (const int folder : folders) {
    const platform::DirectoryEntry &entry = contents.entries[static_cast<size_t>(folder)];
    rows.push_back({entry.nameOffset, entry.nameLength, FolderImage});
  }
  for (const int file : files) {
    const platform::DirectoryEntry &entry = contents.entries[static_cast<size_t>(file)];
    rows.push_back({entry.nameOffset, entry.nameLength, ImageIndexOf(nameOf(file)), entry.size, entry.modified});
  }
  return RowTable(std::move(contents.names), std::move(rows));
}

RowTable BuildDriveRows(const std::vector<platform::Volume> &volumes)
{
  RowTable rows;
  for (const platform::Volume &volume : volumes) {
    const QByteArray caption = volume.mountPoint.endsWith('/') ? volume.mountPoint : volume.mountPoint + '/';
    Row drive;
    drive.image = DriveImage;
    drive.size = volume.space.answered ? volume.space.total : -1;
    drive.available = volume.space.answered ? volume.space.available : -1;
    rows.append(caption, drive);
  }
  return rows;
}

std::vector<int> SortOrder(const RowTable &rows, SortKey key, const QCollator &collator)
{
  std::vector<int> order(static_cast<size_t>(rows.count()));
  std::iota(order.begin(), order.end(), 0);
  const auto keyed =
      std::stable_partition(order.begin(), order.end(), [&](int row) { return !HasKey(rows.at(row), key); });
  const auto byValue = [&](auto value) {
    std::stable_sort(keyed, order.end(), [&](int a, int b) { return value(rows.at(a)) < value(rows.at(b)); });
  };
  switch (key) {
  case SortKey::Size:
    byValue([](const Row &row) { return row.size; });
    break;
  case SortKey::Time:
    byValue([](const Row &row) { return row.modified; });
    break;
  case SortKey::Name: {
    std::vector<int> named(keyed, order.end());
    SortByName(
        named, [&](int row) { return rows.name(row); }, collator, false);
    std::copy(named.begin(), named.end(), keyed);
    break;
  }
  }
  return order;
}

} // namespace tv
