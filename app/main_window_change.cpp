// The main window's handlers that rename, delete and receive dropped files.
#include "app/main_window.h"

namespace tv {

void TForm1::ListView1KeyDown(QKeyEvent *) {}
void TForm1::PopupMenu1Popup() {}
void TForm1::Rename1Click() {}
void TForm1::Delete1Click() {}
void TForm1::ListView1Edited(int, QString &) {}
void TForm1::ListViewDeleteFile(int) {}
void TForm1::AcceptFiles(const QList<QByteArray> &) {}

} // namespace tv
