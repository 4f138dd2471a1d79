// One run of the program: its settings and windows, and the steps that start it.
#pragma once

#include <QByteArray>
#include <memory>

#include "app/main_window.h"
#include "app/windows.h"
#include "fileops/name_dialogs.h"
#include "platform/file_manager_service.h"
#include "settings/app_settings.h"
#include "settings/options_dialog.h"
#include "ui/about_box.h"
#include "ui/copy_progress_box.h"
#include "ui/message_boxes.h"

namespace tv {

// One run of the program: its settings and its seven windows. The main window is created
// with the program, and its creation runs the start-up; each other window is owned by the
// main window and made on its first use.
class Program {
public:
  Program();
  ~Program();
  Program(const Program &) = delete;
  Program &operator=(const Program &) = delete;

  Settings settings;
  TForm1 *Form1 = nullptr;
  WindowOnFirstUse<fileops::TForm2> Form2{[this] { return new fileops::TForm2(Form1); }};
  WindowOnFirstUse<fileops::TForm3> Form3{[this] { return new fileops::TForm3(Form1); }};
  WindowOnFirstUse<TForm4> Form4{[this] { return new TForm4(settings, Form1); }};
  WindowOnFirstUse<ui::TFormAbout> FormAbout{[this] { return new ui::TFormAbout(Form1); }};
  WindowOnFirstUse<ui::TForm5> Form5{[this] { return new ui::TForm5(Form1); }};
  WindowOnFirstUse<ui::TForm6> Form6{[this] { return new ui::TForm6(Form1); }};
  WindowOnFirstUse<ui::CopyProgressBox> copyProgressBox{[this] { return new ui::CopyProgressBox(Form1); }};
  // The desktop's file-manager interface, offered while the program runs.
  std::unique_ptr<platform::FileManagerService> fileManagerService;
};

// Prints the usage or the version where the first command-line argument asks for it, before
// anything needs a display; true when it printed, and the program then ends.
bool PrintCommandLineText(const QByteArray &firstArgument);

// The display variables of the process's environment; an empty one counts as unset.
struct DisplayEnvironment {
  QByteArray qpaPlatform; // QT_QPA_PLATFORM
  QByteArray waylandDisplay;
  QByteArray display;
};

// The Qt platform the program runs on: the one the user asked for, else Wayland in a Wayland
// session (X11 where the Wayland platform cannot start and X11 is there too), else X11.
// Empty where there is no display to run on.
QByteArray ChooseDisplayPlatform(const DisplayEnvironment &environment);

// What the process needs before the application object exists: its display platform, a time
// zone read once, the font configuration read on a thread of its own, and the session bus
// connected on another once the application object has a display. False, after a line on
// stderr, where there is no display to run on.
bool PrepareProcess();

// Names the application, registers its fonts, makes the program (its main window lists the
// home location) and shows the main window; then shows the location the first argument
// names, if any, and offers the desktop's file-manager interface. The other windows are made
// when first used.
std::unique_ptr<Program> StartProgram(const QByteArray &firstArgument = {});

} // namespace tv
