// The delete question, asked in its box.
#include "fileops/delete_question.h"

#include <QLabel>

#include "ops/delete.h"
#include "ui/message_boxes.h"
#include "ui/png_bit_btn.h"

namespace tv::fileops {

bool ConfirmDelete(ui::TForm6 &box, const QString &caption, Language language, const std::function<int(QDialog &)> &ask)
{
  box.Label1->setText(ops::DeleteQuestion(caption, language));
  if (language != &TextPair::english)
    box.SetTexts(language);
  // Enter at once must answer No: the safe answer for a question about deleting.
  box.PngBitBtn2->setFocus();
  return (ask ? ask(box) : box.exec()) == QDialog::Accepted;
}

} // namespace tv::fileops
