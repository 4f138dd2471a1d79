#pragma once

class QDialog;
class QWidget;

namespace tv::ui {

// Shows the window centred on its screen the first time, and where it last was afterwards.
void CentreOnFirstShow(QWidget *window);

// Makes Escape do nothing in the dialog: the program's dialogs have no cancel button.
void KeepOpenOnEscape(QDialog *dialog);

} // namespace tv::ui
