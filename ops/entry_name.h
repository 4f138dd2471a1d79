// Whether a name names one entry of a folder and nothing else.
#pragma once

#include <QByteArray>

namespace tv::ops {

// True for the name of one entry of a folder: not empty, not "." or "..", and without "/"
// or a NUL byte, so that the folder followed by the name cannot point anywhere else.
bool IsPlainEntryName(const QByteArray &name);

} // namespace tv::ops
