#pragma once

#include <QByteArray>
#include <QList>
#include <sys/types.h>

// Files at raw-byte paths, for tests: names need not be UTF-8.
namespace tv::test {

// Writes a file at a raw path (any bytes); mode as for creat(2).
void MakeFile(const QByteArray &path, const QByteArray &contents = {}, mode_t mode = 0644);
void MakeFolder(const QByteArray &path, mode_t mode = 0755);
// The whole file, or whenUnreadable when it cannot be read.
QByteArray ReadFile(const QByteArray &path, const QByteArray &whenUnreadable = {});
// The raw names in a folder, sorted, without "." and "..".
QList<QByteArray> Names(const QByteArray &folder);

} // namespace tv::test
