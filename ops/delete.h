// Deleting a file: what it comes to, the question, and the move to the trash.
#pragma once

#include <QByteArray>
#include <QString>

#include "texts/texts.h"

namespace tv::ops {

class CopyWatch;

enum class DeleteStep {
  Nothing,      // no file of that name in the folder (a drive row, a vanished file)
  RefuseFolder, // folders are never deleted
  Ask,          // a file: ask, then move it to the trash
};

// What deleting the entry of that name in the folder shown comes to; an empty folder stands
// for the drive list, where nothing is deleted.
DeleteStep DeleteStepFor(const QByteArray &folder, const QByteArray &name);

// The question for a row's caption in the language.
QString DeleteQuestion(const QString &caption, Language language);

// Moves the file at the path to the trash; the message for the user when it stays where it
// is in the language, empty when it went or was no longer there.
// A copy to the home trash reports its progress to the watch, where one is given; a
// cancelled one leaves the file where it was, and says nothing.
QString RecycleFile(const QByteArray &path, const QString &caption, Language language, CopyWatch *watch = nullptr);

} // namespace tv::ops
