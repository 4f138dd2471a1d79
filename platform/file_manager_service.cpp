// The desktop's file-manager interface on the session bus, through which other programs
// show folders and files in this one.
#include "platform/file_manager_service.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>

namespace tv::platform {

namespace {

constexpr const char *ServiceName = "org.freedesktop.FileManager1";
constexpr const char *ObjectPath = "/org/freedesktop/FileManager1";
// RequestName's flag: fail at once where the name is held, rather than wait in its queue.
constexpr uint DoNotQueue = 4;

} // namespace

// The object on the bus; its slots are the interface's methods.
class FileManagerService::Adaptor : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
  explicit Adaptor(Handler handler) : handler_(std::move(handler)) {}

public slots:
  void ShowFolders(const QStringList &uris, const QString &startupId)
  {
    Hand(FileManagerCall::ShowFolders, uris, startupId);
  }
  void ShowItems(const QStringList &uris, const QString &startupId)
  {
    Hand(FileManagerCall::ShowItems, uris, startupId);
  }
  void ShowItemProperties(const QStringList &uris, const QString &startupId)
  {
    Hand(FileManagerCall::ShowItemProperties, uris, startupId);
  }

private:
  // Queued, so that the reply leaves before the handler runs: a handler that waits for a
  // modal box would otherwise make the caller time out.
  void Hand(FileManagerCall call, const QStringList &uris, const QString &)
  {
    if (uris.isEmpty())
      return;
    QMetaObject::invokeMethod(
        this, [this, call, uri = uris.first().toUtf8()] { handler_(call, uri); }, Qt::QueuedConnection);
  }

  Handler handler_;
};

FileManagerService::FileManagerService(Handler handler)
{
  if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
    return;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected())
    return;
  adaptor_ = std::make_unique<Adaptor>(std::move(handler));
  bus.registerObject(QString::fromLatin1(ObjectPath), adaptor_.get(), QDBusConnection::ExportAllSlots);
  // Asked for without waiting for the answer: where another program holds the name, the bus
  // refuses, and the object stays unseen on this program's own connection.
  QDBusMessage request =
      QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                     QStringLiteral("org.freedesktop.DBus"), QStringLiteral("RequestName"));
  request << QString::fromLatin1(ServiceName) << DoNotQueue;
  bus.send(request);
}

FileManagerService::~FileManagerService()
{
  if (adaptor_)
    QDBusConnection::sessionBus().unregisterObject(QString::fromLatin1(ObjectPath));
}

} // namespace tv::platform

#include "file_manager_service.moc"
