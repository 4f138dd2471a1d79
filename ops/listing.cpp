// Building and ordering the rows of a folder or of the drive list.
#include "ops/listing.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <numeric>
#include <string>

#include "ops/name_keys.h"
#include "ops/row_texts.h"
#include "texts/texts.h"

namespace tv {

namespace {

// A name's place while names are put in order: its key in the block of keys, and the key's
// first 16 bytes as two numbers, which settle most comparisons without a look into the block.
struct KeyedName {
  quint64 head[2] = {};
  quint32 offset = 0;
  quint32 length = 0;
  quint32 position = 0; // where the name was before the sort
};

constexpr quint32 HeadLength = sizeof(KeyedName::head);

KeyedName Keyed(const std::string &keys, size_t offset, size_t position)
{
  KeyedName name{
      {}, static_cast<quint32>(offset), static_cast<quint32>(keys.size() - offset), static_cast<quint32>(position)};
  uchar head[HeadLength] = {};
  std::memcpy(head, keys.data() + offset, std::min<size_t>(name.length, HeadLength));
  name.head[0] = qFromBigEndian<quint64>(head);
  name.head[1] = qFromBigEndian<quint64>(head + sizeof(quint64));
  return name;
}

// Compares two keys by their bytes. Keys hold no zero byte, so a head padded with zeros
// sorts before every longer key it begins.
int CompareKeys(const std::string &keys, const KeyedName &a, const KeyedName &b)
{
  for (const size_t i : {0, 1})
    if (a.head[i] != b.head[i])
      return a.head[i] < b.head[i] ? -1 : 1;
  const quint32 tailA = a.length > HeadLength ? a.length - HeadLength : 0;
  const quint32 tailB = b.length > HeadLength ? b.length - HeadLength : 0;
  if (const int order =
          std::memcmp(keys.data() + a.offset + HeadLength, keys.data() + b.offset + HeadLength, std::min(tailA, tailB)))
    return order;
  return tailA < tailB ? -1 : tailA > tailB ? 1 : 0;
}

// Puts items in the collator's order of their names, computing each name's key once.
// Names it finds equal go in the order of their bytes when asked, else keep their order.
template <typename NameOf>
void SortByName(std::vector<int> &items, NameOf nameOf, const QCollator &collator, bool equalByBytes)
{
  NameKeyMaker maker(collator);
  std::string keys;
  std::vector<KeyedName> keyed;
  keyed.reserve(items.size());
  for (size_t position = 0; position < items.size(); ++position) {
    const size_t offset = keys.size();
    maker.Append(nameOf(items[position]), keys);
    keyed.push_back(Keyed(keys, offset, position));
  }
  std::sort(keyed.begin(), keyed.end(), [&](const KeyedName &a, const KeyedName &b) {
    if (const int order = CompareKeys(keys, a, b))
      return order < 0;
    if (equalByBytes) {
      const QByteArrayView nameA = nameOf(items[a.position]), nameB = nameOf(items[b.position]);
      if (nameA != nameB)
        return nameA < nameB;
    }
    return a.position < b.position;
  });
  std::vector<int> sorted;
  sorted.reserve(items.size());
  for (const KeyedName &name : keyed)
    sorted.push_back(items[name.position]);
  items = std::move(sorted);
}

bool HasKey(const Row &row, SortKey key)
{
  return row.kind == ops::RowKind::File || (row.kind == ops::RowKind::Drive && key != SortKey::Time);
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
  if (contents.state == platform::FolderState::Missing)
    return MessageRows(texts::FolderMissing, english);
  std::vector<int> folders, files;
  for (size_t i = 0; i < contents.entries.size(); ++i) {
    const platform::DirectoryEntry &entry = contents.entries[i];
    const bool hidden = contents.Name(entry).startsWith('.');
    if (entry.kind == platform::EntryKind::Folder && !hidden)
      folders.push_back(static_cast<int>(i));
    else if (entry.kind == platform::EntryKind::File && (!hidden || showHidden))
      files.push_back(static_cast<int>(i));
  }
  const auto nameOf = [&](int item) { return contents.Name(contents.entries[static_cast<size_t>(item)]); };
  SortByName(folders, nameOf, collator, true);
  SortByName(files, nameOf, collator, true);

  std::vector<Row> rows;
  rows.reserve(folders.size() + files.size() + 1);
  if (contents.state == platform::FolderState::Incomplete) {
    const QByteArray text = Text(texts::FolderReadIncomplete, LanguageOf(english)).toUtf8();
    rows.push_back({static_cast<quint32>(contents.names.size()), static_cast<quint16>(text.size()),
                    ops::RowKind::Message, RowImageOf(ops::RowKind::Message, text)});
    contents.names.append(text);
  }
  for (const int folder : folders) {
    const platform::DirectoryEntry &entry = contents.entries[static_cast<size_t>(folder)];
    rows.push_back(
        {entry.nameOffset, entry.nameLength, ops::RowKind::Folder, RowImageOf(ops::RowKind::Folder, nameOf(folder))});
  }
  for (const int file : files) {
    const platform::DirectoryEntry &entry = contents.entries[static_cast<size_t>(file)];
    const ops::ListImage image = RowImageOf(ops::RowKind::File, nameOf(file));
    rows.push_back({entry.nameOffset, entry.nameLength, ops::RowKind::File, image, entry.size, entry.modified});
  }
  return RowTable(std::move(contents.names), std::move(rows));
}

RowTable MessageRows(const TextPair &message, bool english)
{
  RowTable rows;
  const QByteArray text = Text(message, LanguageOf(english)).toUtf8();
  rows.Append(text, {0, 0, ops::RowKind::Message, RowImageOf(ops::RowKind::Message, text)});
  return rows;
}

Listing ListLocation(const QByteArray &folder, bool showHidden, bool english, platform::ListingContext context)
{
  if (folder.isEmpty())
    return {folder, platform::FolderState::Listed, BuildDriveRows(platform::MountedVolumes())};
  const platform::MountGates::Pass pass = context.gates.Enter(context.mounts.MountOf(folder), context.stop);
  if (!pass)
    return {folder, platform::FolderState::Unreadable, {}}; // no longer wanted
  platform::DirectoryContents contents = platform::ReadDirectory(folder, context);
  const platform::FolderState state = contents.state;
  return {folder, state, BuildFolderRows(std::move(contents), showHidden, english, NameCollator(QLocale::system()))};
}

RowTable BuildDriveRows(const std::vector<platform::Volume> &volumes)
{
  RowTable rows;
  for (const platform::Volume &volume : volumes) {
    const QByteArray caption = volume.mountPoint.endsWith('/') ? volume.mountPoint : volume.mountPoint + '/';
    Row drive{0, 0, ops::RowKind::Drive, RowImageOf(ops::RowKind::Drive, caption)};
    drive.size = volume.space.answered ? volume.space.total : -1;
    drive.available = volume.space.answered ? volume.space.available : -1;
    rows.Append(caption, drive);
  }
  return rows;
}

std::vector<int> SortOrder(const RowTable &rows, SortKey key, const QCollator &collator)
{
  std::vector<int> order(static_cast<size_t>(rows.Count()));
  std::iota(order.begin(), order.end(), 0);
  const auto keyed =
      std::stable_partition(order.begin(), order.end(), [&](int row) { return !HasKey(rows.At(row), key); });
  const auto byValue = [&](auto value) {
    std::stable_sort(keyed, order.end(), [&](int a, int b) { return value(rows.At(a)) < value(rows.At(b)); });
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
        named, [&](int row) { return rows.Name(row); }, collator, false);
    std::copy(named.begin(), named.end(), keyed);
    break;
  }
  }
  return order;
}

} // namespace tv
