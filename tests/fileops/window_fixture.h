#pragma once

#include <QByteArray>
#include <QString>

#include "tests/support/modal_script.h"

namespace tv {
class NameDialog;
}

// The main window as the creation buttons see it, for tests that drive them.
namespace tv::test {

// Creates the program's windows, and makes system error texts English so that messages
// can be compared.
void CreateWindowsForTests();

// The main window after listing a folder (path ends in "/").
void ShowFolder(const QByteArray &folder);
// The main window showing the drive list.
void ShowDriveList();

// Marks the path label, which every listing writes, so that a later listing can be told.
void MarkListing();
bool ListedSinceMark();

// A folder path with one trailing "/", however it was given.
QByteArray WithTrailingSlash(const QByteArray &path);

// Types the name over the selected proposal as a user does: a null name keeps the proposal,
// an empty one deletes it.
void TypeName(NameDialog &dialog, const QString &name);
// Presses Enter in the name field, or clicks Cancel.
void Finish(NameDialog &dialog, bool confirm);
// A step that answers a name dialog: types the name, then finishes.
ModalScript::Step AnswerName(NameDialog &dialog, const QString &name, bool confirm = true);

} // namespace tv::test
