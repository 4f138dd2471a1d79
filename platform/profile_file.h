// Reading and writing single keys of INI files such as Settings.ini.
#pragma once

#include <QByteArray>

// Profile (INI) files of 8-bit text, read and written one key at a time. Section and key
// names are compared without regard to ASCII case; the first of duplicate sections or keys
// is the one used. A write changes only the value of its one key (or adds the key, the
// section or the file) and leaves every other byte of the file as it was.
namespace tv::platform {

// At most this many characters of a value are returned.
inline constexpr qsizetype ProfileValueLimit = 2047;

// Only the first MiB of a file is read: lines past it, and a line cut by it, are not seen,
// and a file longer than that is never written.
inline constexpr qsizetype ProfileReadLimit = qsizetype{1} << 20;

// The whole lines of a regular file within the read limit; empty when the path names no
// regular file (never waiting on a FIFO or device put in its place) or it cannot be read.
QByteArray ReadTextFile(const QByteArray &path);

// True when the path names a regular file, following symbolic links.
bool IsRegularFile(const QByteArray &path);

// The value of a key, trimmed of surrounding blanks and of one pair of matching quotes;
// fallback (without its trailing blanks) when the file, section or key is missing or the
// file cannot be read.
QByteArray ReadProfileString(const QByteArray &path, const QByteArray &section, const QByteArray &key,
                             const QByteArray &fallback);

// Sets a key, creating the file and the section when missing. Returns false, leaving the
// file untouched, when the write is refused, the file is longer than the read limit, or the
// names or value cannot be stored (an empty name, a line break, "=" in a key, "]" in a
// section name). A file that may be written in a folder that may not is changed in place.
bool WriteProfileString(const QByteArray &path, const QByteArray &section, const QByteArray &key,
                        const QByteArray &value);

} // namespace tv::platform
