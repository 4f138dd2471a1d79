// New empty Word, Excel and PowerPoint documents, written from templates embedded in the program.
#include "ops/new_document.h"

#include <QFile>
#include <cerrno>

#include "platform/file_create.h"
#include "platform/file_queries.h"

// The templates are compiled into a static library, whose linker keeps them only when
// something names their initialiser; that name cannot stand inside a namespace.
static void RegisterTemplates() { Q_INIT_RESOURCE(templates); }

namespace tv::ops {

namespace {

const DocumentType WordDocument{texts::ProposedWordName, {".doc", "W3"}, {".docx", "W7"}};
const DocumentType ExcelDocument{texts::ProposedExcelName, {".xls", "E3"}, {".xlsx", "E7"}};
const DocumentType PowerPointDocument{texts::ProposedPowerPointName, {".ppt", "P3"}, {".pptx", "P7"}};

QString WithoutTrailingSpacesAndFullStops(QString text)
{
  while (text.endsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char('.')))
    text.chop(1);
  return text;
}

} // namespace

const DocumentType &DocumentTypeOf(DocumentKind kind)
{
  switch (kind) {
  case DocumentKind::Word:
    return WordDocument;
  case DocumentKind::Excel:
    return ExcelDocument;
  case DocumentKind::PowerPoint:
    break;
  }
  return PowerPointDocument;
}

QString WithExtension(const QString &typedName, const QString &extension)
{
  const qsizetype dot = typedName.lastIndexOf(QLatin1Char('.'));
  const bool hasExtension = dot >= 0 && typedName.indexOf(QLatin1Char('/'), dot) < 0;
  if (hasExtension && typedName.sliced(dot).compare(extension, Qt::CaseInsensitive) == 0)
    return typedName;
  return typedName + extension;
}

QByteArray TemplateBytes(const char *templateName)
{
  static const bool registered = (RegisterTemplates(), true);
  Q_UNUSED(registered);
  QFile resource(QStringLiteral(":/templates/") + QLatin1String(templateName));
  return resource.open(QIODevice::ReadOnly) ? resource.readAll() : QByteArray();
}

platform::Result SaveTemplateToFile(const char *templateName, const QByteArray &target)
{
  const QByteArray bytes = TemplateBytes(templateName);
  if (bytes.isEmpty())
    return platform::Result(ENOENT);
  return platform::CreateFileExclusive(target, bytes);
}

QString CannotCreateFileMessage(const QByteArray &target, const QString &errorDescription)
{
  return QString::fromUtf8(texts::CannotCreateFile)
      .arg(platform::DisplayName(target), WithoutTrailingSpacesAndFullStops(errorDescription));
}

} // namespace tv::ops
