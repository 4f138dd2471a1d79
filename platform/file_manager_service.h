// The desktop's file-manager interface on the session bus, through which other programs
// show folders and files in this one.
#pragma once

#include <QByteArray>
#include <functional>
#include <memory>

namespace tv::platform {

enum class FileManagerCall { ShowFolders, ShowItems, ShowItemProperties };

// Offers org.freedesktop.FileManager1 while it lives, where a session bus is set in the
// environment (none is ever started for it) and no other program holds the name. Each call
// hands its first URI, as UTF-8 bytes, to the handler; the caller gets its reply at once and
// the handler runs afterwards on the thread that made the service.
class FileManagerService {
public:
  using Handler = std::function<void(FileManagerCall call, const QByteArray &uri)>;
  explicit FileManagerService(Handler handler);
  ~FileManagerService();
  FileManagerService(const FileManagerService &) = delete;
  FileManagerService &operator=(const FileManagerService &) = delete;

private:
  class Adaptor;
  std::unique_ptr<Adaptor> adaptor_;
};

} // namespace tv::platform
