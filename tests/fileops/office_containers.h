#pragma once

#include <QByteArray>
#include <QMap>
#include <QStringList>

// Just enough of the two containers of office documents to look inside the templates.
namespace tv::test {

// The names of the streams and storages in an OLE2 compound file; empty when the bytes are
// not one (or one too large for a header-only sector table).
QStringList CompoundFileEntryNames(const QByteArray &file);

// The parts of a ZIP package by name, inflated; empty when the bytes are not a package.
QMap<QString, QByteArray> ZipPackageParts(const QByteArray &file);

} // namespace tv::test
