#pragma once

#include <QByteArray>
#include <QString>

#include "tests/support/modal_script.h"

namespace tv {
class TForm1;
} // namespace tv

namespace tv::fileops {
class NameDialog;
} // namespace tv::fileops

// The main window as the creation buttons see it, for tests that drive them.
namespace tv::test {

// Marks the path label, which every listing writes, so that a later listing can be told.
void MarkListing(TForm1 &form);
bool ListedSinceMark(const TForm1 &form);

// A folder path with one trailing "/", however it was given.
QByteArray WithTrailingSlash(const QByteArray &path);

// Types the name over the selected proposal as a user does: a null name keeps the proposal,
// an empty one deletes it.
void TypeName(fileops::NameDialog &dialog, const QString &name);
// Presses Enter in the name field, or clicks Cancel.
void Finish(fileops::NameDialog &dialog, bool confirm);
// A step that answers a name dialog: types the name, then finishes.
ModalScript::Step AnswerName(fileops::NameDialog &dialog, const QString &name, bool confirm = true);

} // namespace tv::test
