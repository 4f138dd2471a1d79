// Turns the location another program hands over (a path or a file URI) into a local path.
#include "app/location_argument.h"

#include <QByteArrayList>

#include "platform/file_queries.h"

namespace tv {

namespace {

bool IsAsciiLetter(char character) { return (character | 0x20) >= 'a' && (character | 0x20) <= 'z'; }

bool IsSchemeCharacter(char character)
{
  return IsAsciiLetter(character) || (character >= '0' && character <= '9') || character == '+' || character == '-' ||
         character == '.';
}

// The scheme a text starts with, in lower case, or empty where it starts with none: letters,
// digits, "+", "-" and "." after a letter, then ":".
QByteArray SchemeOf(const QByteArray &text)
{
  const qsizetype colon = text.indexOf(':');
  if (colon < 1 || !IsAsciiLetter(text[0]))
    return {};
  for (qsizetype at = 1; at < colon; ++at)
    if (!IsSchemeCharacter(text[at]))
      return {};
  return text.left(colon).toLower();
}

// The local path of a "file:" URI, or empty for a URI that names another computer.
QByteArray PathOfFileUri(const QByteArray &uri)
{
  QByteArray rest = uri.mid(qsizetype(sizeof "file:") - 1);
  // A query or fragment is no part of the path.
  for (const char end : {'?', '#'})
    if (rest.contains(end))
      rest.truncate(rest.indexOf(end));
  if (rest.startsWith("//")) {
    const qsizetype pathStart = rest.indexOf('/', 2);
    const QByteArray host = rest.mid(2, pathStart < 0 ? -1 : pathStart - 2).toLower();
    if (pathStart < 0 || (!host.isEmpty() && host != "localhost"))
      return {};
    rest = rest.mid(pathStart);
  }
  const QByteArray path = QByteArray::fromPercentEncoding(rest);
  if (!path.startsWith('/') || path.contains('\0'))
    return {};
  return platform::CleanAbsolutePath(path);
}

} // namespace

ArgumentMeaning MeaningOfArgument(const QByteArray &argument)
{
  if (argument.isEmpty())
    return ArgumentMeaning::Nothing;
  if (argument == "--help")
    return ArgumentMeaning::Help;
  if (argument == "--version")
    return ArgumentMeaning::Version;
  return ArgumentMeaning::Location;
}

LocationRequest RequestForLocation(const QByteArray &location, const QByteArray &workingFolder)
{
  LocationRequest request;
  request.given = QString::fromUtf8(location);
  const QByteArray scheme = SchemeOf(location);
  // Another scheme's URI has a "/" after its ":"; a name such as "notes: draft" is a path.
  const bool otherUri = !scheme.isEmpty() && location.mid(scheme.size() + 1, 1) == "/";
  if (scheme == "file")
    request.path = PathOfFileUri(location);
  else if (!otherUri && !location.isEmpty())
    request.path = platform::CleanAbsolutePath(location.startsWith('/') ? location : workingFolder + '/' + location);
  return request;
}

LocationPlan PlanForLocation(const LocationRequest &request, platform::LocationKind kind)
{
  if (request.path.isEmpty())
    return {{}, {}, &texts::LocationNotLocal};
  if (kind == platform::LocationKind::Missing)
    return {{}, {}, &texts::LocationMissing};
  if (kind == platform::LocationKind::Unreadable)
    return {{}, {}, &texts::LocationUnreadable};
  if ((kind == platform::LocationKind::Folder && !request.selectItem) || request.path == "/")
    return {request.path, {}, nullptr};
  const qsizetype slash = request.path.lastIndexOf('/');
  return {slash == 0 ? QByteArray("/") : request.path.left(slash), request.path.mid(slash + 1), nullptr};
}

} // namespace tv
