// What a row of the main window's list stands for, and the pictures of its image list.
#pragma once

#include <QtGlobal>

namespace tv::ops {

// What a row of the main window's list stands for.
enum class RowKind : quint8 { Folder, File, Drive, Message };

// The pictures of the main window's image list, by their index in the list: the rows' and
// the pop-up menu's. The message row shows none.
enum class ListImage : qint8 { None = -1, Folder, File, Word, Excel, PowerPoint, Drive, Delete, Rename };

} // namespace tv::ops
