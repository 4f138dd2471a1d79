// Draws every picture of the program into a folder: the 16 x 16 glyphs, the About box's logo,
// the window icon in four sizes and the four corner pictures of the borderless windows.
// Glyphs, logo and corners are drawn once more for screens of device pixel ratio 1.5 and 2,
// as NAME@1.5x.png and NAME@2x.png, so that they stay sharp there instead of being scaled.
// Usage: draw_glyphs <folder>   (the folder is resources/glyphs of the source tree)
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

using Drawing = std::function<void(QPainter &)>;

// Palette shared by the drawings, so that shared motifs look alike everywhere.
const QColor FolderFill(0xf4, 0xc4, 0x42);
const QColor FolderBack(0xe0, 0xa8, 0x26);
const QColor FolderEdge(0x9c, 0x6c, 0x08);
const QColor PageEdge(0x80, 0x80, 0x80);
const QColor PageLine(0xa8, 0xa8, 0xa8);
const QColor GreenFill(0x3c, 0xa8, 0x3c);
const QColor GreenEdge(0x1e, 0x6e, 0x1e);
const QColor RedFill(0xe0, 0x30, 0x28);
const QColor RedEdge(0x8c, 0x10, 0x10);
const QColor BlueFill(0x2f, 0x74, 0xd0);
const QColor BlueEdge(0x15, 0x43, 0x8a);

QPen Pen(const QColor &color, qreal width = 1.0)
{
  return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A canvas of the given size on which a drawing in a 16-unit square (or the logo's own
// units) is painted, antialiased, scaled by `scale`.
QImage Paint(QSize size, qreal scale, const Drawing &drawing)
{
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(scale, scale);
  drawing(painter);
  painter.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

void Disc(QPainter &p, QPointF centre, qreal radius, const QColor &fill, const QColor &edge)
{
  QRadialGradient gradient(centre - QPointF(radius / 3, radius / 3), radius * 1.6);
  gradient.setColorAt(0, fill.lighter(135));
  gradient.setColorAt(1, fill);
  p.setPen(Pen(edge));
  p.setBrush(gradient);
  p.drawEllipse(centre, radius, radius);
}

void Cross(QPainter &p, QPointF centre, qreal half, qreal width, const QColor &color)
{
  p.setPen(Pen(color, width));
  p.drawLine(centre + QPointF(-half, -half), centre + QPointF(half, half));
  p.drawLine(centre + QPointF(-half, half), centre + QPointF(half, -half));
}

void Folder(QPainter &p, QRectF body)
{
  QPainterPath back;
  back.moveTo(body.left(), body.top() + 1);
  back.lineTo(body.left(), body.top() - 1.5);
  back.lineTo(body.left() + 1, body.top() - 2.5);
  back.lineTo(body.left() + 5, body.top() - 2.5);
  back.lineTo(body.left() + 6.5, body.top() - 1);
  back.lineTo(body.right(), body.top() - 1);
  back.lineTo(body.right(), body.top() + 1);
  back.closeSubpath();
  p.setPen(Pen(FolderEdge));
  p.setBrush(FolderBack);
  p.drawPath(back);
  QLinearGradient gradient(body.topLeft(), body.bottomLeft());
  gradient.setColorAt(0, FolderFill.lighter(118));
  gradient.setColorAt(1, FolderFill);
  p.setBrush(gradient);
  p.drawRoundedRect(body, 1, 1);
}

void PlainFolder(QPainter &p) { Folder(p, QRectF(0.5, 4.5, 15, 10)); }

// A white page with its top right corner folded, from x = left to 15.5.
void Page(QPainter &p, qreal left, bool lines)
{
  QPainterPath page;
  page.moveTo(left, 0.5);
  page.lineTo(10.5, 0.5);
  page.lineTo(14.5, 4.5);
  page.lineTo(14.5, 15.5);
  page.lineTo(left, 15.5);
  page.closeSubpath();
  p.setPen(Pen(PageEdge));
  p.setBrush(Qt::white);
  p.drawPath(page);
  QPainterPath fold;
  fold.moveTo(10.5, 0.5);
  fold.lineTo(10.5, 4.5);
  fold.lineTo(14.5, 4.5);
  fold.closeSubpath();
  p.setBrush(QColor(0xdc, 0xdc, 0xdc));
  p.drawPath(fold);
  if (!lines)
    return;
  p.setPen(Pen(PageLine));
  for (qreal y = 6.5; y < 14; y += 2)
    p.drawLine(QPointF(left + 2.5, y), QPointF(12.5, y));
}

// The page of the document buttons with a coloured square badge on its left side.
void DocumentPage(QPainter &p, const QColor &badge, const std::function<void(QPainter &)> &mark)
{
  Page(p, 4.5, false);
  p.setPen(Pen(PageLine));
  for (qreal y = 6.5; y < 14; y += 2)
    p.drawLine(QPointF(10.5, y), QPointF(12.5, y));
  p.setPen(Pen(badge.darker(150)));
  p.setBrush(badge);
  p.drawRoundedRect(QRectF(0.5, 4.5, 9, 9), 1.5, 1.5);
  mark(p);
}

void Arrowhead(QPainter &p, QPointF tip, qreal angleDegrees, qreal size, const QColor &fill)
{
  const qreal angle = qDegreesToRadians(angleDegrees);
  const QPointF along(std::cos(angle), -std::sin(angle));
  const QPointF across(-along.y(), along.x());
  QPolygonF head{tip, tip - along * size + across * size * 0.8, tip - along * size - across * size * 0.8};
  p.setPen(Pen(fill.darker(150), 0.6));
  p.setBrush(fill);
  p.drawPolygon(head);
}

void Cog(QPainter &p, QPointF centre, qreal outer, qreal inner, qreal hole)
{
  QPainterPath wheel;
  const int teeth = 8;
  for (int i = 0; i < teeth * 4; ++i) {
    const qreal angle = (i - 0.5) * M_PI * 2 / (teeth * 4);
    const qreal radius = (i % 4 == 0 || i % 4 == 1) ? outer : inner;
    const QPointF point = centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
    i == 0 ? wheel.moveTo(point) : wheel.lineTo(point);
  }
  wheel.closeSubpath();
  QPainterPath centreHole;
  centreHole.addEllipse(centre, hole, hole);
  p.setPen(Pen(FolderEdge));
  QRadialGradient gradient(centre - QPointF(2, 2), outer * 1.6);
  gradient.setColorAt(0, FolderFill.lighter(125));
  gradient.setColorAt(1, FolderFill.darker(108));
  p.setBrush(gradient);
  p.drawPath(wheel.subtracted(centreHole));
}

void CheckMark(QPainter &p, QPointF centre, qreal size, qreal width)
{
  p.setPen(Pen(Qt::white, width));
  p.setBrush(Qt::NoBrush);
  QPolygonF tick{centre + QPointF(-size, 0), centre + QPointF(-size * 0.3, size * 0.7),
                 centre + QPointF(size, -size * 0.65)};
  p.drawPolyline(tick);
}

void Plus(QPainter &p, QPointF centre, qreal half, qreal width)
{
  p.setPen(QPen(Qt::white, width, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(centre - QPointF(half, 0), centre + QPointF(half, 0));
  p.drawLine(centre - QPointF(0, half), centre + QPointF(0, half));
}

void Landscape(QPainter &p, QRectF frame, qreal radius)
{
  QPainterPath clip;
  clip.addRoundedRect(frame, radius, radius);
  QLinearGradient sky(frame.topLeft(), frame.bottomLeft());
  sky.setColorAt(0, QColor(0x8c, 0xcb, 0xf2));
  sky.setColorAt(1, QColor(0xe6, 0xf4, 0xfd));
  p.setPen(Qt::NoPen);
  p.setBrush(sky);
  p.drawPath(clip);
  p.save();
  p.setClipPath(clip);
  const qreal w = frame.width();
  const qreal h = frame.height();
  const qreal shore = frame.top() + h * 0.62;
  auto at = [&](qreal fx, qreal fy) { return QPointF(frame.left() + w * fx, frame.top() + h * fy); };
  QPolygonF far{at(0.30, 0.62), at(0.62, 0.14), at(1.02, 0.62)};
  p.setBrush(QColor(0x6e, 0x82, 0x9a));
  p.drawPolygon(far);
  QPolygonF nearer{at(-0.02, 0.62), at(0.30, 0.24), at(0.62, 0.62)};
  p.setBrush(QColor(0x4a, 0x5e, 0x78));
  p.drawPolygon(nearer);
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF{at(0.62, 0.14), at(0.555, 0.25), at(0.62, 0.23), at(0.685, 0.25)});
  p.drawPolygon(QPolygonF{at(0.30, 0.24), at(0.245, 0.335), at(0.30, 0.32), at(0.355, 0.335)});
  QLinearGradient water(QPointF(0, shore), frame.bottomLeft());
  water.setColorAt(0, QColor(0x1d, 0x6f, 0xb8));
  water.setColorAt(1, QColor(0x0d, 0x3f, 0x7a));
  p.setBrush(water);
  p.drawRect(QRectF(frame.left(), shore, w, frame.bottom() - shore));
  p.setPen(Pen(QColor(0xb8, 0xdc, 0xf8), h / 22));
  p.drawLine(at(0.20, 0.74), at(0.42, 0.74));
  p.drawLine(at(0.52, 0.84), at(0.80, 0.84));
  p.restore();
  p.setPen(Pen(QColor(0x15, 0x43, 0x8a), std::max<qreal>(1.0, h / 22)));
  p.setBrush(Qt::NoBrush);
  p.drawPath(clip);
}

const std::vector<std::pair<const char *, Drawing>> &Glyphs()
{
  static const std::vector<std::pair<const char *, Drawing>> glyphs{
      {"exit",
       [](QPainter &p) {
         Cross(p, {8, 8}, 4.8, 4.2, RedEdge);
         Cross(p, {8, 8}, 4.8, 2.4, RedFill);
       }},
      {"up",
       [](QPainter &p) {
         Folder(p, QRectF(0.5, 6.5, 11, 8.5));
         p.setPen(QPen(GreenEdge, 4.2, Qt::SolidLine, Qt::FlatCap));
         p.drawLine(QPointF(11.5, 15.5), QPointF(11.5, 6.5));
         p.setPen(QPen(GreenFill, 2.2, Qt::SolidLine, Qt::FlatCap));
         p.drawLine(QPointF(11.5, 15), QPointF(11.5, 6.5));
         Arrowhead(p, {11.5, 0.8}, 90, 6, GreenFill);
       }},
      {"about",
       [](QPainter &p) {
         Disc(p, {8, 8}, 7.3, BlueFill, BlueEdge);
         p.setPen(Qt::NoPen);
         p.setBrush(Qt::white);
         p.drawEllipse(QPointF(8, 4.4), 1.35, 1.35);
         p.drawRect(QRectF(6.9, 6.6, 2.2, 5.6));
         p.drawRect(QRectF(5.9, 11.2, 4.2, 1.4));
         p.drawRect(QRectF(5.9, 6.6, 1.4, 1.2));
       }},
      {"drive",
       [](QPainter &p) {
         QLinearGradient body(QPointF(0, 4), QPointF(0, 12));
         body.setColorAt(0, QColor(0xd8, 0xd8, 0xd8));
         body.setColorAt(1, QColor(0x90, 0x90, 0x90));
         p.setPen(Pen(QColor(0x50, 0x50, 0x50)));
         p.setBrush(body);
         p.drawRoundedRect(QRectF(0.5, 4.5, 15, 7.5), 1.5, 1.5);
         p.setPen(Pen(QColor(0xf4, 0xf4, 0xf4), 1.4));
         p.drawLine(QPointF(2.5, 7.2), QPointF(10.5, 7.2));
         p.setPen(Pen(QColor(0x2a, 0xa0, 0x2a), 1.6));
         p.drawPoint(QPointF(13, 9.3));
       }},
      {"home",
       [](QPainter &p) {
         p.setPen(Pen(QColor(0x70, 0x70, 0x70)));
         p.setBrush(Qt::white);
         p.drawRect(QRectF(2.5, 7.5, 11, 8));
         p.setPen(Pen(RedEdge));
         p.setBrush(RedFill);
         p.drawPolygon(QPolygonF{{0.5, 8.5}, {8, 1}, {15.5, 8.5}, {13.5, 8.5}, {8, 3.8}, {2.5, 8.5}});
         p.drawPolygon(QPolygonF{{2.5, 8.5}, {8, 3.8}, {13.5, 8.5}});
         p.setPen(Pen(BlueEdge, 0.8));
         p.setBrush(QColor(0x4a, 0x9a, 0xec));
         p.drawRect(QRectF(4, 10, 3, 3));
         p.drawRect(QRectF(9, 10, 3, 3));
       }},
      {"refresh",
       [](QPainter &p) {
         const QRectF ring(2.5, 2.5, 11, 11);
         p.setBrush(Qt::NoBrush);
         p.setPen(QPen(GreenEdge, 3.6, Qt::SolidLine, Qt::FlatCap));
         p.drawArc(ring, 20 * 16, 130 * 16);
         p.drawArc(ring, 200 * 16, 130 * 16);
         p.setPen(QPen(GreenFill, 2, Qt::SolidLine, Qt::FlatCap));
         p.drawArc(ring, 20 * 16, 130 * 16);
         p.drawArc(ring, 200 * 16, 130 * 16);
         Arrowhead(p, {14, 9.6}, -90, 4.4, GreenFill);
         Arrowhead(p, {2, 6.4}, 90, 4.4, GreenFill);
       }},
      {"word",
       [](QPainter &p) {
         DocumentPage(p, QColor(0x2b, 0x57, 0xc8), [](QPainter &q) {
           q.setPen(Pen(Qt::white, 1.1));
           q.setBrush(Qt::NoBrush);
           q.drawPolyline(QPolygonF{{2.2, 6.6}, {3.5, 11.4}, {5, 8}, {6.5, 11.4}, {7.8, 6.6}});
         });
       }},
      {"excel",
       [](QPainter &p) {
         DocumentPage(p, QColor(0x1e, 0x8a, 0x46), [](QPainter &q) { Cross(q, {5, 9}, 2.3, 1.4, Qt::white); });
       }},
      {"powerpoint",
       [](QPainter &p) {
         DocumentPage(p, QColor(0xd8, 0x3b, 0x1e), [](QPainter &q) {
           q.setPen(Pen(QColor(0xff, 0xd8, 0x40), 1.5));
           q.setBrush(Qt::NoBrush);
           QPainterPath letter;
           letter.moveTo(3.6, 11.8);
           letter.lineTo(3.6, 6.6);
           letter.lineTo(5.4, 6.6);
           letter.arcTo(QRectF(3.9, 6.6, 3, 3), 90, -180);
           letter.lineTo(3.6, 9.6);
           q.drawPath(letter);
         });
       }},
      {"new_folder",
       [](QPainter &p) {
         Folder(p, QRectF(0.5, 3.5, 13, 9));
         Disc(p, {11, 11}, 4.5, GreenFill, GreenEdge);
         Plus(p, {11, 11}, 2.6, 1.6);
       }},
      {"options",
       [](QPainter &p) {
         Cog(p, {8, 8}, 7.5, 5.6, 2.3);
       }},
      {"options_default",
       [](QPainter &p) {
         Cog(p, {6.5, 6.5}, 6.3, 4.7, 1.9);
         p.setPen(Pen(BlueEdge));
         p.setBrush(BlueFill);
         p.drawRoundedRect(QRectF(8.5, 8.5, 7, 7), 1.5, 1.5);
         CheckMark(p, {12, 12.2}, 2.2, 1.3);
       }},
      {"my_documents",
       [](QPainter &p) {
         p.setPen(Pen(FolderEdge));
         p.setBrush(FolderBack);
         p.drawRoundedRect(QRectF(0.5, 4.5, 15, 10), 1, 1);
         p.setPen(Pen(PageEdge));
         p.setBrush(Qt::white);
         p.drawRect(QRectF(3.5, 0.5, 9, 10));
         p.setPen(Pen(PageLine));
         for (qreal y = 2.5; y < 8; y += 2)
           p.drawLine(QPointF(5, y), QPointF(11, y));
         QLinearGradient front(QPointF(0, 8), QPointF(0, 15));
         front.setColorAt(0, FolderFill.lighter(118));
         front.setColorAt(1, FolderFill);
         p.setPen(Pen(FolderEdge));
         p.setBrush(front);
         p.drawPolygon(QPolygonF{{0.5, 14.5}, {1.5, 7.5}, {15.5, 7.5}, {15.5, 14.5}});
       }},
      {"desktop",
       [](QPainter &p) {
         p.setPen(Pen(QColor(0x48, 0x48, 0x48)));
         p.setBrush(QColor(0x78, 0x78, 0x78));
         p.drawRect(QRectF(6.5, 12.5, 3, 2));
         p.drawRoundedRect(QRectF(3.5, 14, 9, 1.5), 0.6, 0.6);
         p.setBrush(QColor(0x5a, 0x5a, 0x5a));
         p.drawRoundedRect(QRectF(0.5, 1.5, 15, 11), 1, 1);
         QLinearGradient screen(QPointF(0, 2), QPointF(0, 11));
         screen.setColorAt(0, QColor(0x4a, 0x9a, 0xec));
         screen.setColorAt(1, QColor(0x1f, 0x5c, 0xb0));
         p.setPen(Qt::NoPen);
         p.setBrush(screen);
         p.drawRect(QRectF(2, 3, 12, 8));
         p.setBrush(Qt::white);
         p.drawRect(QRectF(5, 5, 7, 4));
       }},
      {"folder", PlainFolder},
      {"file", [](QPainter &p) { Page(p, 2.5, true); }},
      {"delete",
       [](QPainter &p) {
         Page(p, 1.5, true);
         Cross(p, {11, 11}, 3, 3.8, RedEdge);
         Cross(p, {11, 11}, 3, 2, RedFill);
       }},
      {"rename",
       [](QPainter &p) {
         Page(p, 1.5, true);
         p.save();
         p.translate(9.5, 9.5);
         p.rotate(-45);
         p.setPen(Pen(QColor(0x8a, 0x60, 0x00), 0.8));
         p.setBrush(QColor(0xff, 0xc8, 0x20));
         p.drawRect(QRectF(-4, -1.6, 8, 3.2));
         p.setBrush(QColor(0xf0, 0x90, 0x90));
         p.drawRect(QRectF(4, -1.6, 2, 3.2));
         p.setBrush(QColor(0xf2, 0xd8, 0xa8));
         p.drawPolygon(QPolygonF{{-4, -1.6}, {-7, 0}, {-4, 1.6}});
         p.setBrush(QColor(0x30, 0x30, 0x30));
         p.setPen(Qt::NoPen);
         p.drawPolygon(QPolygonF{{-5.9, -0.6}, {-7, 0}, {-5.9, 0.6}});
         p.restore();
       }},
      {"ok",
       [](QPainter &p) {
         Disc(p, {8, 8}, 7.3, GreenFill, GreenEdge);
         CheckMark(p, {8, 8.4}, 3.7, 2);
       }},
      {"cancel",
       [](QPainter &p) {
         Disc(p, {8, 8}, 7.3, RedFill, RedEdge);
         Cross(p, {8, 8}, 3, 2, Qt::white);
       }},
      {"credit",
       [](QPainter &p) {
         QRadialGradient glass(QPointF(6.5, 4.5), 7);
         glass.setColorAt(0, QColor(0xff, 0xfb, 0xd0));
         glass.setColorAt(1, QColor(0xff, 0xcc, 0x1a));
         p.setPen(Pen(QColor(0xb0, 0x80, 0x00)));
         p.setBrush(glass);
         QPainterPath bulb;
         bulb.moveTo(5.5, 11);
         bulb.cubicTo(5.5, 8.5, 2.5, 8, 2.5, 5.5);
         bulb.arcTo(QRectF(2.5, 0.5, 11, 10), 180, -180);
         bulb.cubicTo(13.5, 8, 10.5, 8.5, 10.5, 11);
         bulb.closeSubpath();
         p.drawPath(bulb);
         p.setPen(Pen(QColor(0x50, 0x50, 0x50)));
         p.setBrush(QColor(0xa8, 0xa8, 0xa8));
         p.drawRoundedRect(QRectF(5.5, 11.5, 5, 3), 0.8, 0.8);
         p.drawLine(QPointF(6.5, 15.5), QPointF(9.5, 15.5));
         p.setPen(Pen(QColor(0xe0, 0x90, 0x00), 0.9));
         p.setBrush(Qt::NoBrush);
         p.drawPolyline(QPolygonF{{6.5, 10.5}, {6.5, 7.5}, {8, 8.5}, {9.5, 7.5}, {9.5, 10.5}});
       }},
      {"globe",
       [](QPainter &p) {
         Disc(p, {8, 8}, 7.3, BlueFill, BlueEdge);
         p.setPen(Qt::NoPen);
         p.setBrush(QColor(0x4c, 0xb0, 0x50));
         p.drawPolygon(QPolygonF{{3, 4}, {6.5, 2.5}, {7.5, 5}, {6, 7.5}, {6.5, 10}, {4.5, 10.5}, {2.5, 7}});
         p.drawPolygon(QPolygonF{{9.5, 5.5}, {13, 4.5}, {14, 8}, {12.5, 12.5}, {10, 11}, {10.5, 8}});
         p.setPen(Pen(QColor(255, 255, 255, 200), 0.7));
         p.setBrush(Qt::NoBrush);
         p.drawEllipse(QPointF(8, 8), 3.2, 7.1);
         p.drawLine(QPointF(8, 0.8), QPointF(8, 15.2));
         p.drawLine(QPointF(0.8, 8), QPointF(15.2, 8));
         p.drawLine(QPointF(2, 4.5), QPointF(14, 4.5));
         p.drawLine(QPointF(2, 11.5), QPointF(14, 11.5));
       }},
  };
  return glyphs;
}

// The grey columns of each row of the top-left corner picture; fuchsia lies left of them,
// white right of them. The other corners are its mirror images.
constexpr std::array<std::pair<int, int>, 12> CornerGreyColumns{
    {{10, 11}, {7, 9}, {5, 6}, {4, 4}, {3, 3}, {2, 2}, {2, 2}, {1, 1}, {1, 1}, {0, 0}, {0, 0}, {0, 0}}};

// The top-left corner at a device pixel ratio above 1: the arc of a circle of 12 pixels'
// radius that touches both edges, its outline one pixel wide, as the straight edges are.
QImage TopLeftCorner(qreal ratio)
{
  const int size = qRound(12 * ratio);
  QImage corner(size, size, QImage::Format_ARGB32);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const qreal distance = std::hypot((x + 0.5) / ratio - 12, (y + 0.5) / ratio - 12);
      corner.setPixel(x, y, distance > 12 ? 0xffff00ff : distance > 11 ? 0xffc0c0c0 : 0xffffffff);
    }
  return corner;
}

// The top-left corner at ratio 1, drawn pixel by pixel.
QImage TopLeftCorner()
{
  QImage corner(12, 12, QImage::Format_ARGB32);
  for (int y = 0; y < 12; ++y) {
    const auto [first, last] = CornerGreyColumns[static_cast<size_t>(y)];
    for (int x = 0; x < 12; ++x)
      corner.setPixel(x, y, x < first ? 0xffff00ff : x <= last ? 0xffc0c0c0 : 0xffffffff);
  }
  return corner;
}

// The pictures of one device pixel ratio: each name gets the ratio's suffix.
struct Ratio {
  qreal scale;
  const char *suffix;
};
constexpr Ratio Ratios[] = {{1, ""}, {1.5, "@1.5x"}, {2, "@2x"}};

bool Save(const QImage &image, const QDir &folder, const QString &name)
{
  const QString path = folder.filePath(name + QStringLiteral(".png"));
  if (image.save(path, "PNG"))
    return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

} // namespace

int main(int argc, char *argv[])
{
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  bool ok = true;
  for (const auto &[scale, suffix] : Ratios) {
    const int glyph = qRound(16 * scale);
    for (const auto &[name, drawing] : Glyphs())
      ok &= Save(Paint({glyph, glyph}, scale, drawing), folder, QLatin1String(name) + QLatin1String(suffix));
    ok &= Save(Paint(QSize(qRound(50 * scale), qRound(22 * scale)), scale,
                     [](QPainter &p) { Landscape(p, QRectF(0.5, 0.5, 49, 21), 4); }),
               folder, QLatin1String("logo") + QLatin1String(suffix));
    const QImage topLeft = scale == 1 ? TopLeftCorner() : TopLeftCorner(scale);
    ok &= Save(topLeft, folder, QLatin1String("corner_top_left") + QLatin1String(suffix));
    ok &= Save(topLeft.mirrored(true, false), folder, QLatin1String("corner_top_right") + QLatin1String(suffix));
    ok &= Save(topLeft.mirrored(false, true), folder, QLatin1String("corner_bottom_left") + QLatin1String(suffix));
    ok &= Save(topLeft.mirrored(true, true), folder, QLatin1String("corner_bottom_right") + QLatin1String(suffix));
  }
  for (int size : {16, 24, 32, 48})
    ok &= Save(Paint({size, size}, size / 16.0, [](QPainter &p) { Landscape(p, QRectF(0.5, 0.5, 15, 15), 3); }), folder,
               QStringLiteral("icon_%1").arg(size));
  return ok ? 0 : 1;
}
