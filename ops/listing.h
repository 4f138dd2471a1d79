// Building and ordering the rows of a folder or of the drive list.
#pragma once

#include <QCollator>
#include <vector>

#include "ops/row_table.h"
#include "platform/directory_reader.h"
#include "platform/volumes.h"
#include "texts/texts.h"

namespace tv {

// The order of names: the locale's, without regard to case.
QCollator NameCollator(const QLocale &locale);

// The rows of a folder: its folders, then its files, each in the collator's order, names
// it finds equal in the order of their bytes. A name beginning with "." is hidden: hidden
// folders are never listed, hidden files only with showHidden. A missing folder gives the
// message row alone, a folder that cannot be read no rows, and one whose read failed
// part-way a message row before what was read.
RowTable BuildFolderRows(platform::DirectoryContents contents, bool showHidden, bool english,
                         const QCollator &collator);

// The one message row shown in place of a folder's rows.
RowTable MessageRows(const TextPair &message, bool english);

// What one listing shows: a folder's rows, or the drive list's for an empty folder.
struct Listing {
  QByteArray folder; // normalised; empty for the drive list
  platform::FolderState state = platform::FolderState::Listed;
  RowTable rows;
};

// Lists a folder, or the drives for an empty folder, as the window shows it. The work of a
// thread of its own: it waits for the disk, for the folder's mount to be free of a call
// that does not answer, and for its stop.
Listing ListLocation(const QByteArray &folder, bool showHidden, bool english, platform::ListingContext context);

// One drive row per volume, captioned with its mount point ending in "/".
RowTable BuildDriveRows(const std::vector<platform::Volume> &volumes);

enum class SortKey { Name, Size, Time };

// The order of the rows ascending by a key: rows without that key (folders, the times of
// drives) first, rows with equal keys in their present order. Names follow the collator;
// sizes and times follow their values.
std::vector<int> SortOrder(const RowTable &rows, SortKey key, const QCollator &collator);

} // namespace tv
