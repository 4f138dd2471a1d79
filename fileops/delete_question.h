// The delete question, asked in its box.
#pragma once

#include <QString>
#include <functional>

#include "texts/texts.h"

class QDialog;

namespace tv::ui {
class TForm6;
} // namespace tv::ui

namespace tv::fileops {

// Puts the question and, in the second language, the button captions into the box, shows it
// modally (through ask, where given, which returns the box's answer); true when the user
// answered Yes.
bool ConfirmDelete(ui::TForm6 &box, const QString &caption, Language language,
                   const std::function<int(QDialog &)> &ask = {});

} // namespace tv::fileops
