// Another X client that offers files for dropping, as a file manager does: it drags the files
// named on its command line as text/uri-list when the mouse is pressed and moved in its
// window. It prints whether the target took a copy and keeps running until it is ended: a
// target on X11 may ask for the dragged data after the drag itself has ended.
#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <cstdio>

namespace {

class DragSource : public QLabel {
public:
  explicit DragSource(QList<QUrl> files) : QLabel(QStringLiteral("Drag me")), files_(std::move(files))
  {
    setWindowTitle(QStringLiteral("Tarnview drag source"));
    setAlignment(Qt::AlignCenter);
    setFixedSize(160, 100);
  }

protected:
  void mousePressEvent(QMouseEvent *event) override { pressedAt_ = event->position().toPoint(); }

  void mouseMoveEvent(QMouseEvent *event) override
  {
    const bool leftHeld = event->buttons() & Qt::LeftButton;
    if (!leftHeld || (event->position().toPoint() - pressedAt_).manhattanLength() < QApplication::startDragDistance())
      return;
    auto *data = new QMimeData;
    data->setUrls(files_);
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    const Qt::DropAction action = drag->exec(Qt::CopyAction);
    std::printf("%s\n", action == Qt::CopyAction ? "copied" : "not taken");
    std::fflush(stdout);
  }

private:
  QList<QUrl> files_;
  QPoint pressedAt_;
};

} // namespace

int main(int argc, char *argv[])
{
  QApplication application(argc, argv);
  QList<QUrl> files;
  for (const QString &argument : QApplication::arguments().mid(1))
    files.append(QUrl::fromLocalFile(QFileInfo(argument).absoluteFilePath()));
  DragSource source(files);
  source.show();
  return QApplication::exec();
}
