#pragma once

// The program's start, shared by main() and the start-up benchmark so that both run the
// same steps.
namespace tv {

// What the process needs before the application object exists: the X11 platform unless
// another is asked for, and a time zone read once.
void PrepareProcess();

// Names the application, registers its fonts, creates the seven windows (the main
// window's creation lists its home location) and shows the main window.
void StartProgram();

} // namespace tv
