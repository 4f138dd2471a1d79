// The main window's part in the desktop: locations from the command line and from other
// programs through the file-manager interface.
#include "app/main_window.h"

#include <QApplication>
#include <QEvent>
#include <QItemSelectionModel>
#include <QPointer>
#include <QTimer>
#include <QTreeView>
#include <functional>

#include "app/list_model.h"
#include "app/main_window_jobs.h"
#include "app/program.h"
#include "platform/location_kind.h"

namespace tv {

namespace {

// Runs a function of a context object from the event loop once a widget is hidden or gone,
// and removes itself.
class AfterHidden : public QObject {
public:
  AfterHidden(QWidget *widget, QObject *context, std::function<void()> function)
      : QObject(widget), context_(context), function_(std::move(function))
  {
    widget->installEventFilter(this);
  }
  ~AfterHidden() override
  {
    // Not while the context itself is being destroyed, which has taken the widget along.
    if (context_)
      QTimer::singleShot(0, context_.data(), std::move(function_));
  }
  AfterHidden(const AfterHidden &) = delete;
  AfterHidden &operator=(const AfterHidden &) = delete;

protected:
  bool eventFilter(QObject *, QEvent *event) override
  {
    if (event->type() == QEvent::Hide)
      deleteLater();
    return false;
  }

private:
  QPointer<QObject> context_;
  std::function<void()> function_;
};

} // namespace

void TForm1::ShowLocation(const LocationRequest &request)
{
  if (request.path.isEmpty()) {
    ShowLocationAs(request, platform::LocationKind::Missing);
    return;
  }
  // The one question to the disk; everything else is decided from its answer. A location
  // that does not answer in time is listed as a folder, which then says it is not
  // answering; a late answer still counts, unless the user has gone elsewhere meanwhile.
  struct Look {
    quint64 listing = 0; // the listing in force when the look began or was given up on
    bool answered = false;
  };
  const auto look = std::make_shared<Look>(Look{listingNumber_});
  QTimer::singleShot(NotAnsweringAfter, this, [this, request, look] {
    if (look->answered || look->listing != listingNumber_)
      return;
    ListFolder(request.path, {});
    look->listing = listingNumber_;
  });
  RunInFolder(
      request.path, [path = request.path] { return platform::KindOfLocation(path); },
      [this, request, look](platform::LocationKind kind) {
        look->answered = true;
        if (look->listing == listingNumber_)
          ShowLocationAs(request, kind);
      });
}

void TForm1::ShowLocationAs(const LocationRequest &request, platform::LocationKind kind)
{
  const LocationPlan plan = PlanForLocation(request, kind);
  if (plan.message)
    ShowMessageWhite(Text(*plan.message, program_.settings.TextLanguage()).arg(request.given));
  else
    ListFolder(plan.folder, plan.selectedName);
}

void TForm1::ShowLocationFromDesktop(const LocationRequest &request)
{
  desktopRequests_.push_back(request);
  if (!waitingForModalBox_)
    ShowDesktopRequests();
}

void TForm1::ShowDesktopRequests()
{
  waitingForModalBox_ = false;
  while (!desktopRequests_.empty()) {
    if (QWidget *modalBox = QApplication::activeModalWidget()) {
      waitingForModalBox_ = true;
      new AfterHidden(modalBox, this, [this] { ShowDesktopRequests(); });
      return;
    }
    const LocationRequest request = desktopRequests_.front();
    desktopRequests_.pop_front();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    ShowLocation(request);
  }
}

void TForm1::SelectRowNamed(const QByteArray &name)
{
  if (name.isEmpty() || !FolderShown())
    return;
  for (int row = 0; row < listModel_->rowCount(); ++row) {
    if (RowKindOf(row) != ops::RowKind::Message && RowName(row) == name) {
      const QModelIndex index = listModel_->index(row, 0);
      ListView1->selectionModel()->setCurrentIndex(index,
                                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
      ListView1->scrollTo(index, QAbstractItemView::PositionAtCenter);
      ListView1->setFocus();
      return;
    }
  }
}

} // namespace tv
