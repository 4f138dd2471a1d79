// New empty Word, Excel and PowerPoint documents, written from templates embedded in the program.
#pragma once

#include <QByteArray>
#include <QString>

#include "platform/result.h"
#include "texts/texts.h"

namespace tv::ops {

// One button each.
enum class DocumentKind { Word, Excel, PowerPoint };

// One of the two file formats a new document can have.
struct DocumentFormat {
  const char *extension;    // lower case, with its leading "."
  const char *templateName; // resource name under ":/templates/"
};

// What a button offers: the name it proposes and its two formats.
struct DocumentType {
  TextPair proposedName;
  DocumentFormat older; // "97-2003"
  DocumentFormat newer; // "2007"
};

const DocumentType &DocumentTypeOf(DocumentKind kind);

// The typed name with the extension appended, unless the name's own extension already is
// that one in any letter case. A name's extension runs from its last "." to the end, unless
// a "/" follows that ".".
QString WithExtension(const QString &typedName, const QString &extension);

// The bytes of an embedded template; empty when there is none of that name.
QByteArray TemplateBytes(const char *templateName);

// Writes the named template byte for byte to a new file at the target path, never over
// anything that already has that name.
platform::Result SaveTemplateToFile(const char *templateName, const QByteArray &target);

// The text of the error box when the target file cannot be created, from the system's
// description of the error.
QString CannotCreateFileMessage(const QByteArray &target, const QString &errorDescription);

} // namespace tv::ops
