#include "app/windows.h"

namespace tv {

void CreateWindows()
{
  Form1 = new TForm1;
  Form2 = new TForm2(Form1);
  Form3 = new TForm3(Form1);
  Form4 = new TForm4(Form1);
  FormAbout = new ui::TFormAbout(Form1);
  Form5 = new ui::TForm5(Form1);
  Form6 = new ui::TForm6(Form1);
}

} // namespace tv
