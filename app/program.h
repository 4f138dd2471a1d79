#pragma once

// The program's start, shared by main() and the start-up benchmark so that both run the
// same steps.
namespace tv {

// What the process needs before the application object exists: the X11 platform unless
// another is asked for, a time zone read once, the font configuration read on a thread of
// its own, and the session bus connected on another once the application object has a
// display.
void PrepareProcess();

// Names the application, registers its fonts, creates the main window (its creation lists
// the home location) and shows it. The other windows are made when first used.
void StartProgram();

} // namespace tv
