#pragma once

#include <QPointer>

#include "app/main_window.h"
#include "fileops/name_dialogs.h"
#include "settings/options_dialog.h"
#include "ui/about_box.h"
#include "ui/message_boxes.h"

// The program's seven windows. The main window is created at start-up; each other window
// on its first use, so that the main window shows sooner, and kept for the whole run.
namespace tv {

inline TForm1 *Form1 = nullptr;

// A window owned by the main window, made when it is first used. It is made again if it
// went away with a main window that was replaced.
template <typename Window> class WindowOnFirstUse {
public:
  Window *get()
  {
    if (!window_)
      window_ = new Window(Form1);
    return window_;
  }
  Window *operator->() { return get(); }
  Window &operator*() { return *get(); }
  operator Window *() { return get(); }

private:
  QPointer<Window> window_;
};

inline WindowOnFirstUse<TForm2> Form2;
inline WindowOnFirstUse<TForm3> Form3;
inline WindowOnFirstUse<TForm4> Form4;
inline WindowOnFirstUse<ui::TFormAbout> FormAbout;
inline WindowOnFirstUse<ui::TForm5> Form5;
inline WindowOnFirstUse<ui::TForm6> Form6;

// Creates the main window; its creation runs the program's start-up.
void CreateWindows();

} // namespace tv
