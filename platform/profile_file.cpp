// INI files read within a size limit and changed one key at a time, in one step.
#include "platform/profile_file.h"

#include <QByteArrayView>
#include <QList>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_descriptor.h"

namespace tv::platform {

namespace {

// ---- Reading the text of a profile file ----

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

bool SameName(QByteArrayView a, QByteArrayView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Where the text starts, after a UTF-8 byte-order mark.
qsizetype BodyStart(const QByteArray &content) { return content.startsWith("\xEF\xBB\xBF") ? 3 : 0; }

// One line of the file: [start, end) is its text without the line end, next is where the
// following line starts.
struct Line {
  qsizetype start;
  qsizetype end;
  qsizetype next;
};

// The line that starts at start; "\n" and "\r\n" both end a line.
Line LineFrom(const QByteArray &content, qsizetype start)
{
  const qsizetype newline = content.indexOf('\n', start);
  const qsizetype next = newline < 0 ? content.size() : newline + 1;
  qsizetype end = newline < 0 ? content.size() : newline;
  if (end > start && content[end - 1] == '\r')
    --end;
  return {start, end, next};
}

QByteArrayView TextOf(const QByteArray &content, const Line &line)
{
  return QByteArrayView(content).sliced(line.start, line.end - line.start);
}

// The name of a section header line ("[name]"), or nothing for any other line.
std::optional<QByteArrayView> SectionName(QByteArrayView line)
{
  line = line.trimmed();
  if (!line.startsWith('['))
    return std::nullopt;
  const qsizetype close = line.lastIndexOf(']');
  return line.sliced(1, (close < 0 ? line.size() : close) - 1).trimmed();
}

// Where a key sits in the file: the span of its value (from the first non-blank after "="
// to the line end), or, when the key is missing, where a new key line of the section goes.
struct KeyPlace {
  bool sectionFound = false;
  bool keyFound = false;
  qsizetype valueStart = 0;
  qsizetype valueEnd = 0;
  qsizetype insertAt = 0;
};

KeyPlace LocateKey(const QByteArray &content, QByteArrayView section, QByteArrayView key)
{
  KeyPlace place;
  for (qsizetype start = BodyStart(content); start < content.size();) {
    const Line line = LineFrom(content, start);
    start = line.next;
    const QByteArrayView text = TextOf(content, line);
    if (const auto name = SectionName(text)) {
      if (place.sectionFound)
        break;
      place.sectionFound = SameName(*name, section);
      place.insertAt = line.next;
      continue;
    }
    const qsizetype equals = text.indexOf('=');
    if (!place.sectionFound || equals < 0 || text.trimmed().startsWith(';'))
      continue;
    place.insertAt = line.next;
    if (!SameName(text.first(equals).trimmed(), key))
      continue;
    place.keyFound = true;
    place.valueStart = line.start + equals + 1;
    while (place.valueStart < line.end && IsBlank(content[place.valueStart]))
      ++place.valueStart;
    place.valueEnd = line.end;
    return place;
  }
  return place;
}

QByteArray Limited(QByteArrayView value)
{
  return value.first(std::min(value.size(), ProfileValueLimit)).toByteArray();
}

QByteArray Unquoted(QByteArrayView value)
{
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.sliced(1, value.size() - 2);
  return Limited(value);
}

// ---- Changing the text of a profile file ----

QByteArray LineEndOf(const QByteArray &content)
{
  const qsizetype newline = content.indexOf('\n');
  return newline > 0 && content[newline - 1] == '\r' ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
}

bool EndsWithBlankLine(const QByteArray &content)
{
  const qsizetype body = BodyStart(content);
  const qsizetype end = content.endsWith('\n') ? content.size() - 1 : content.size();
  if (end <= body)
    return true;
  const qsizetype start = std::max(body, content.lastIndexOf('\n', end - 1) + 1);
  return QByteArrayView(content).sliced(start, end - start).trimmed().isEmpty();
}

QByteArray WithKeySet(QByteArray content, const QByteArray &section, const QByteArray &key, const QByteArray &value)
{
  const QByteArray eol = LineEndOf(content);
  const KeyPlace place = LocateKey(content, section, key);
  if (place.keyFound)
    return content.replace(place.valueStart, place.valueEnd - place.valueStart, value);
  QByteArray addition = key + '=' + value + eol;
  qsizetype at = place.insertAt;
  if (!place.sectionFound) {
    at = content.size();
    addition.prepend('[' + section + ']' + eol);
    if (!EndsWithBlankLine(content))
      addition.prepend(eol);
  }
  if (at > BodyStart(content) && content[at - 1] != '\n')
    addition.prepend(eol);
  return content.insert(at, addition);
}

bool StorableNames(const QByteArray &section, const QByteArray &key, const QByteArray &value)
{
  const auto hasLineBreak = [](const QByteArray &text) { return text.contains('\n') || text.contains('\r'); };
  return !section.trimmed().isEmpty() && !key.trimmed().isEmpty() && !hasLineBreak(section) && !hasLineBreak(key) &&
         !hasLineBreak(value) && !section.contains(']') && !key.contains('=') && !key.trimmed().startsWith(';') &&
         !key.trimmed().startsWith('[');
}

// ---- The file itself ----

struct FileContent {
  QByteArray bytes;
  bool complete = true; // false when the file goes on past the read limit
  struct stat info {};
};

// Cuts a content read up to the limit back to its last whole line: a line cut by the limit
// is not seen.
void CutAtLimit(FileContent &content)
{
  if (content.bytes.size() <= ProfileReadLimit)
    return;
  content.complete = false;
  content.bytes.truncate(content.bytes.lastIndexOf('\n', ProfileReadLimit - 1) + 1);
}

// Reads a regular file up to the read limit into content.
Result ReadRegularFile(const QByteArray &path, FileContent &content)
{
  FileDescriptor file(::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!file.IsOpen())
    return file.OpenResult();
  if (::fstat(file.Get(), &content.info) != 0)
    return Result::LastError();
  if (!S_ISREG(content.info.st_mode))
    return Result(EISDIR);
  // One byte past the limit tells whether the file goes on.
  content.bytes.resize(ProfileReadLimit + 1);
  qsizetype filled = 0;
  while (filled < content.bytes.size()) {
    const ssize_t count = ::read(file.Get(), content.bytes.data() + filled, size_t(content.bytes.size() - filled));
    if (count == 0)
      break;
    if (count < 0 && errno != EINTR)
      return Result::LastError();
    filled += std::max<ssize_t>(count, 0);
  }
  content.bytes.truncate(filled);
  CutAtLimit(content);
  return Result();
}

// The file a write goes to: the target of a symbolic link, so that the link stays a link.
std::optional<QByteArray> WriteTarget(const QByteArray &path)
{
  struct stat info {};
  if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
    return path;
  char resolved[PATH_MAX];
  if (::realpath(path.constData(), resolved) == nullptr)
    return std::nullopt;
  return QByteArray(resolved);
}

// A new, empty file beside the target, created with the permissions a new file gets.
std::pair<FileDescriptor, QByteArray> CreateSiblingFile(const QByteArray &target)
{
  const qsizetype slash = target.lastIndexOf('/');
  const QByteArray prefix = target.left(slash + 1) + '.' + target.mid(slash + 1) + ".tmp-";
  FileDescriptor file;
  QByteArray name;
  for (int attempt = 0; attempt < 16; ++attempt) {
    name = prefix + QByteArray::number(QRandomGenerator::global()->generate(), 36);
    file = FileDescriptor(::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
    if (file.IsOpen() || file.OpenResult().Error() != EEXIST)
      break;
  }
  return {std::move(file), name};
}

// Writes bytes at a place of an open file.
Result WriteAt(int fd, qsizetype at, QByteArrayView bytes)
{
  if (::lseek(fd, at, SEEK_SET) < 0)
    return Result::LastError();
  return WriteAll(fd, bytes.toByteArray());
}

// Changes a file where it is, for a file that may be written in a folder that may not: only
// the bytes from the first change on are written, then the file is flushed. A failure puts
// the old bytes back as far as the system lets it.
bool RewriteInPlace(const QByteArray &target, const QByteArray &before, const QByteArray &after)
{
  FileDescriptor file(::open(target.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!file.IsOpen())
    return false;
  const auto mismatch = std::mismatch(before.begin(), before.end(), after.begin(), after.end());
  const qsizetype from = mismatch.first - before.begin();
  const bool written = WriteAt(file.Get(), from, QByteArrayView(after).sliced(from)).Ok() &&
                       ::ftruncate(file.Get(), after.size()) == 0 && ::fsync(file.Get()) == 0;
  if (!written) {
    static_cast<void>(WriteAt(file.Get(), from, QByteArrayView(before).sliced(from)));
    static_cast<void>(::ftruncate(file.Get(), before.size()));
    static_cast<void>(::fsync(file.Get()));
  }
  return file.Close() && written;
}

// Replaces the target by a file of the given content in one step: the content goes to a
// new file in the same folder, which is then renamed over the target. The target keeps
// its owner and permission bits where the system allows. Where no new file can be made
// beside an existing target, the target is changed in place.
bool ReplaceFile(const QByteArray &target, const QByteArray &content, const FileContent *original)
{
  auto [file, temporary] = CreateSiblingFile(target);
  if (!file.IsOpen())
    return original != nullptr && RewriteInPlace(target, original->bytes, content);
  bool written = WriteAll(file.Get(), content).Ok();
  if (written && original != nullptr) {
    const struct stat &info = original->info;
    if (info.st_uid != ::geteuid() || info.st_gid != ::getegid())
      static_cast<void>(::fchown(file.Get(), info.st_uid, info.st_gid));
    written = ::fchmod(file.Get(), info.st_mode & 07777) == 0;
  }
  written = written && ::fsync(file.Get()) == 0;
  written = file.Close() && written;
  if (!written || ::rename(temporary.constData(), target.constData()) != 0) {
    ::unlink(temporary.constData());
    return false;
  }
  // A failure here leaves the new content in place, only less sure to last a crash.
  FlushFolder(target.left(std::max<qsizetype>(target.lastIndexOf('/'), 1)));
  return true;
}

} // namespace

QByteArray ReadTextFile(const QByteArray &path)
{
  FileContent file;
  return !path.isEmpty() && ReadRegularFile(path, file).Ok() ? file.bytes : QByteArray();
}

bool IsRegularFile(const QByteArray &path)
{
  struct stat info {};
  return !path.isEmpty() && ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode);
}

QByteArray ReadProfileString(const QByteArray &path, const QByteArray &section, const QByteArray &key,
                             const QByteArray &fallback)
{
  FileContent file;
  if (!path.isEmpty() && ReadRegularFile(path, file).Ok()) {
    const KeyPlace place = LocateKey(file.bytes, section, key);
    if (place.keyFound)
      return Unquoted(QByteArrayView(file.bytes).sliced(place.valueStart, place.valueEnd - place.valueStart).trimmed());
  }
  QByteArrayView defaultValue(fallback);
  while (!defaultValue.isEmpty() && IsBlank(defaultValue.back()))
    defaultValue.chop(1);
  return Limited(defaultValue);
}

bool WriteProfileString(const QByteArray &path, const QByteArray &section, const QByteArray &key,
                        const QByteArray &value)
{
  const std::optional<QByteArray> target = path.isEmpty() ? std::nullopt : WriteTarget(path);
  if (!target || !StorableNames(section, key, value))
    return false;
  FileContent onDisk;
  const Result reading = ReadRegularFile(*target, onDisk);
  if (!reading.Ok() && reading.Error() != ENOENT)
    return false;
  const FileContent *existing = reading.Ok() ? &onDisk : nullptr;
  // A file the user made read-only refuses the write, even though its folder would allow
  // replacing it.
  if (existing && ::faccessat(AT_FDCWD, target->constData(), W_OK, AT_EACCESS) != 0)
    return false;
  // What lies past the read limit was never read and must not be lost.
  if (existing && !existing->complete)
    return false;
  const QByteArray content =
      WithKeySet(existing ? existing->bytes : QByteArray(), section.trimmed(), key.trimmed(), value);
  return ReplaceFile(*target, content, existing);
}

} // namespace tv::platform
