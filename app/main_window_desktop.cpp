// The main window's part in the desktop: locations from the command line and from other
// programs through the file-manager interface.
#include "app/main_window.h"

#include <QApplication>
#include <QEvent>
#include <QItemSelectionModel>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <utility>

#include "app/list_model.h"
#include "app/program.h"
#include "platform/location_kind.h"

namespace tv {

namespace {

// Runs a function once, after a widget is hidden and the event that hid it has ended (a
// modal box's exec has then returned), and removes itself.
class AfterHidden : public QObject {
public:
  AfterHidden(QWidget *widget, std::function<void()> function) : QObject(widget), function_(std::move(function))
  {
    widget->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject *, QEvent *event) override
  {
    if (event->type() == QEvent::Hide) {
      QTimer::singleShot(0, parent(), std::move(function_));
      deleteLater();
    }
    return false;
  }

private:
  std::function<void()> function_;
};

} // namespace

void TForm1::ShowLocation(const LocationRequest &request)
{
  // The one question to the disk; everything else is decided from its answer.
  const platform::LocationKind kind =
      request.path.isEmpty() ? platform::LocationKind::Missing : platform::KindOfLocation(request.path);
  const LocationPlan plan = PlanForLocation(request, kind);
  if (plan.message) {
    ShowMessageWhite(Text(*plan.message, program_.settings.TextLanguage()).arg(request.given));
    return;
  }
  pendingSelection_ = plan.selectedName;
  OpenFolder(plan.folder);
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
      new AfterHidden(modalBox, [this] { ShowDesktopRequests(); });
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

void TForm1::SelectPendingRow()
{
  const QByteArray name = std::exchange(pendingSelection_, {});
  if (name.isEmpty() || !FolderShown())
    return;
  for (int row = 0; row < listModel_->rowCount(); ++row) {
    if (RowKindOf(row) != ui::RowKind::Message && RowName(row) == name) {
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
