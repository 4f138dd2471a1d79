// What both glyph buttons share: a PNG glyph beside the caption, and the name screen readers announce.
#include "ui/png_glyph_button.h"

#include <QAccessibleWidget>
#include <QPainter>

#include "ui/glyph_button_painting.h"

namespace tv::ui {

namespace {

class GlyphButtonAccessible : public QAccessibleWidget {
public:
  explicit GlyphButtonAccessible(QAbstractButton *button) : QAccessibleWidget(button, QAccessible::Button) {}

  QString text(QAccessible::Text kind) const override
  {
    if (kind != QAccessible::Name || !widget()->accessibleName().isEmpty())
      return QAccessibleWidget::text(kind);
    return Button()->text().isEmpty() ? Button()->toolTip() : Button()->text();
  }

  QAccessible::State state() const override
  {
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = Button()->isDown();
    return state;
  }

  QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }

  void doAction(const QString &action) override
  {
    if (action == pressAction() && Button()->isEnabled())
      Button()->click();
    else
      QAccessibleWidget::doAction(action);
  }

private:
  QAbstractButton *Button() const { return static_cast<QAbstractButton *>(widget()); }
};

QAccessibleInterface *GlyphButtonFactory(const QString &, QObject *object)
{
  auto *button = qobject_cast<PngGlyphButton *>(object);
  return button ? new GlyphButtonAccessible(button) : nullptr;
}

void InstallGlyphButtonAccessibility()
{
  static const bool installed = [] {
    QAccessible::installFactory(GlyphButtonFactory);
    return true;
  }();
  (void)installed;
}

} // namespace

PngGlyphButton::PngGlyphButton(QWidget *parent) : QAbstractButton(parent) { InstallGlyphButtonAccessibility(); }

void PngGlyphButton::SetPngImage(const QImage &glyph)
{
  glyph_ = glyph;
  update();
}

void PngGlyphButton::SetPngOptions(PngOptions options)
{
  options_ = options;
  update();
}

void PngGlyphButton::SetMargin(int margin)
{
  margin_ = margin;
  update();
}

void PngGlyphButton::SetSpacing(int spacing)
{
  spacing_ = spacing;
  update();
}

void PngGlyphButton::paintEvent(QPaintEvent *)
{
  QImage surface = PanelBeneath(this);
  DrawFace(surface);
  const ButtonLayout layout = LayOutButton(this, glyph_, margin_, spacing_, isDown());
  DrawButtonGlyph(surface, layout.glyph, glyph_, isEnabled() ? 0 : options_);
  QPainter painter(this);
  painter.drawImage(0, 0, surface);
  DrawCaption(painter, this, layout.caption);
}

} // namespace tv::ui
