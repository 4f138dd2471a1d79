#pragma once

#include "app/main_window.h"
#include "fileops/name_dialogs.h"
#include "settings/options_dialog.h"
#include "ui/about_box.h"
#include "ui/message_boxes.h"

// The program's seven windows, created once at start-up in this order and kept for the
// whole run.
namespace tv {

inline TForm1 *Form1 = nullptr;
inline TForm2 *Form2 = nullptr;
inline TForm3 *Form3 = nullptr;
inline TForm4 *Form4 = nullptr;
inline ui::TFormAbout *FormAbout = nullptr;
inline ui::TForm5 *Form5 = nullptr;
inline ui::TForm6 *Form6 = nullptr;

// Creates the seven windows in order; the main window's creation runs its start-up.
void CreateWindows();

} // namespace tv
