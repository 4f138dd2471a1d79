#pragma once

#include <QByteArray>
#include <QString>

// Creating folders and files. Each call reports failure as the system's error number
// (0 means success); the caller decides whether to look at it.
namespace tv::platform {

// Creates one folder level at the path; missing parents are not created.
int makeFolder(const QByteArray &path);

// Creates a new file at the path holding exactly the bytes. Anything that already has the
// name, even a dangling symbolic link, is left alone and reported as EEXIST. When writing
// fails, the new file is removed again, so no partial file is left behind.
int createFileExclusive(const QByteArray &path, const QByteArray &bytes);

// The system's description of an error number.
QString errorDescription(int error);

} // namespace tv::platform
