// Where windows first appear, and dialogs that Escape does not close.
#pragma once

#include <QPoint>
#include <QRect>

class QDialog;
class QWidget;

namespace tv::ui {

// Where a window of the size first appears in the screen's free area: centred where it fits,
// otherwise with its top left corner at the area's, so that its drag strip and Exit button
// are on the screen.
QPoint PlaceInArea(QRect area, QSize window);

// Shows the window centred on its screen the first time, and where it last was afterwards;
// on Wayland where the compositor puts it.
void CentreOnFirstShow(QWidget *window);

// Makes Escape do nothing in the dialog: the program's dialogs have no cancel button.
void KeepOpenOnEscape(QDialog *dialog);

} // namespace tv::ui
