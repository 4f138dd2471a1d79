// The main window's handlers that create folders and documents.
#include "app/main_window.h"

#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>

#include "app/main_window_jobs.h"
#include "app/program.h"
#include "ops/new_document.h"
#include "ops/new_folder.h"
#include "platform/file_queries.h"
#include "platform/office_suite.h"
#include "platform/result.h"
#include "settings/app_settings.h"
#include "texts/texts.h"
#include "ui/png_bit_btn.h"

namespace tv {

namespace {

// What the look before creating found: whether the folder is still there (nothing is created
// in one that is gone), and whether an office suite that writes the newer formats is
// installed.
struct CreateCheck {
  bool folderExists = false;
  bool newerSuite = false;
};

CreateCheck CheckBeforeCreating(const QByteArray &folder)
{
  return {platform::IsExistingFolder(folder), platform::IsNewerOfficeSuiteInstalled()};
}

// Shows the new-folder dialog with the proposed name; true when the user confirmed.
bool AskFolderName(Program &program)
{
  fileops::TForm3 &dialog = *program.Form3;
  dialog.ProposeName(Text(texts::NewFolderButton, program.settings.TextLanguage()));
  if (!program.settings.IsEnglish)
    dialog.SetTexts(program.settings.TextLanguage());
  return program.Form1->AskInBox(dialog) == QDialog::Accepted;
}

// Shows the new-document dialog with the proposed name, and the newer format chosen when an
// office suite that writes it is installed, whatever was chosen the last time.
bool AskDocumentName(Program &program, const ops::DocumentType &type, bool newerSuite)
{
  fileops::TForm2 &dialog = *program.Form2;
  dialog.ProposeName(Text(type.proposedName, program.settings.TextLanguage()));
  if (!program.settings.IsEnglish)
    dialog.SetTexts(program.settings.TextLanguage());
  dialog.ChooseFormat(newerSuite);
  return program.Form1->AskInBox(dialog) == QDialog::Accepted;
}

// The system's error box, with the file's name shown as it is, not read as markup.
void ShowCreateError(TForm1 &form, const QString &message)
{
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(ApplicationTitle), message, QMessageBox::Ok, &form);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void SaveDocument(TForm1 &form, Program &program, const QByteArray &folder, const ops::DocumentType &type)
{
  const ops::DocumentFormat &format = program.Form2->NewerFormatChosen() ? type.newer : type.older;
  const QString name = ops::WithExtension(program.Form2->NewDocumentName(), QLatin1String(format.extension));
  const QByteArray target = folder + platform::NativeName(name);
  form.RunInFolder(
      folder, [templateName = format.templateName, target] { return ops::SaveTemplateToFile(templateName, target); },
      [&form, folder, target](const platform::Result &saved) {
        if (!saved.Ok())
          ShowCreateError(form, ops::CannotCreateFileMessage(target, saved.Description()));
        else
          form.RefreshIfShown(folder);
      });
}

void CreateDocument(TForm1 &form, Program &program, ops::DocumentKind kind)
{
  if (!form.FolderShown())
    return;
  const QByteArray folder = form.CurrentFolder();
  form.RunInFolder(
      folder, [folder] { return CheckBeforeCreating(folder); },
      [&form, &program, folder, kind](CreateCheck check) {
        const ops::DocumentType &type = ops::DocumentTypeOf(kind);
        if (check.folderExists && AskDocumentName(program, type, check.newerSuite))
          SaveDocument(form, program, folder, type);
      });
}

} // namespace

void TForm1::PngSpeedButton7Click() { CreateDocument(*this, program_, ops::DocumentKind::Word); }
void TForm1::PngSpeedButton8Click() { CreateDocument(*this, program_, ops::DocumentKind::Excel); }
void TForm1::PngSpeedButton9Click() { CreateDocument(*this, program_, ops::DocumentKind::PowerPoint); }

void TForm1::PngSpeedButton10Click()
{
  if (!FolderShown())
    return;
  const QByteArray folder = CurrentFolder();
  RunInFolder(
      folder, [folder] { return platform::IsExistingFolder(folder); },
      [this, folder](bool exists) {
        if (!exists || !AskFolderName(program_))
          return;
        RunInFolder(
            folder,
            [folder, name = platform::NativeName(program_.Form3->NewFolderName())] {
              return ops::MakeNewFolder(folder, name);
            },
            [this](const std::optional<QByteArray> &made) {
              if (made)
                OpenFolder(*made);
            });
      });
}

} // namespace tv
