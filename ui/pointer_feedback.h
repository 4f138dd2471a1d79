// How column titles and flat buttons answer the mouse pointer.
#pragma once

class QLabel;

namespace tv::ui {

class TPngSpeedButton;

// Turns a column title pure red while the pointer is over it, and back to the window-text
// colour when it leaves.
void RedWhileHovered(QLabel *title);

// Inverts the button's flat property on every press and every release of any mouse button:
// held with the left button it shows as a pushed button, with another as one at rest.
void InvertFlatOnPressAndRelease(TPngSpeedButton *button);

} // namespace tv::ui
