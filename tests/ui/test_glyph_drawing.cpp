// Glyph arithmetic and the embedded pictures, without a window.
#include <QFile>
#include <QPainter>
#include <QtTest>
#include <cmath>

#include "ui/button_layout.h"
#include "ui/glyph_button_painting.h"
#include "ui/glyphs.h"
#include "ui/png_drawing.h"
#include "ui/png_image_list.h"
#include "ui/window_shape.h"

using namespace tv::ui;

Q_DECLARE_METATYPE(GlyphLayout)
Q_DECLARE_METATYPE(Picture)

namespace {

QImage Filled(QSize size, QRgb colour, QImage::Format format = QImage::Format_ARGB32)
{
  QImage image(size, format);
  image.fill(colour);
  return image;
}

// A picture as its PNG file in the source tree holds it.
QImage PictureFile(const QString &name)
{
  return QImage(QStringLiteral(TV_GLYPH_FOLDER "%1.png").arg(name)).convertToFormat(QImage::Format_ARGB32);
}

// A pixel as a disabled control shows it with both options: opacity halved and colour grey,
// each rounded to the nearest integer with ties going to the even one.
QRgb HalfTransparentGrey(QRgb pixel)
{
  const int grey = int(std::nearbyint((30 * qRed(pixel) + 59 * qGreen(pixel) + 11 * qBlue(pixel)) / 100.0));
  return qRgba(grey, grey, grey, int(std::nearbyint(qAlpha(pixel) / 2.0)));
}

QRgb Over(QRgb pixel, QRgb beneath)
{
  const int a = qAlpha(pixel);
  return qRgb(BlendChannel(qRed(pixel), qRed(beneath), a), BlendChannel(qGreen(pixel), qGreen(beneath), a),
              BlendChannel(qBlue(pixel), qBlue(beneath), a));
}

// The grey columns of each row of the top-left corner picture.
const std::pair<int, int> GreyColumns[12] = {{10, 11}, {7, 9}, {5, 6}, {4, 4}, {3, 3}, {2, 2},
                                             {2, 2},   {1, 1}, {1, 1}, {0, 0}, {0, 0}, {0, 0}};

} // namespace

class TestGlyphDrawing : public QObject {
  Q_OBJECT
private slots:
  void calcButtonLayout_data();
  void calcButtonLayout();
  void blendChannel_data();
  void blendChannel();
  void blendKeepsBeneathAtZeroAndGlyphAtFull();
  void drawPngBlendsInsideTheTarget();
  void drawPngDisabledHalvesOpacityAndLeavesGlyph_data();
  void drawPngDisabledHalvesOpacityAndLeavesGlyph();
  void drawPngCopiesGlyphWithoutAlphaScaled();
  void makeImageBlended_data();
  void makeImageBlended();
  void makeImageBlendedGivesOpaqueImagesHalfOpacity_data();
  void makeImageBlendedGivesOpaqueImagesHalfOpacity();
  void makeImageGrayscale_data();
  void makeImageGrayscale();
  void makeImageGrayscaleLeavesGreyImages();
  void picturesAreEmbeddedAsRgbaPngs_data();
  void picturesAreEmbeddedAsRgbaPngs();
  void cornerPicturesHaveExactlyTheArc_data();
  void cornerPicturesHaveExactlyTheArc();
  void visibleRegionLeavesOutTheKeyPixels();
  void translucentFrameIsTheCutFrameWithAlpha_data();
  void translucentFrameIsTheCutFrameWithAlpha();
  void glyphsAreDrawnFromTheArtworkOfTheDevice_data();
  void glyphsAreDrawnFromTheArtworkOfTheDevice();
  void listIconsHoldTheArtworkOfEveryRatio_data();
  void listIconsHoldTheArtworkOfEveryRatio();
};

void TestGlyphDrawing::calcButtonLayout_data()
{
  QTest::addColumn<QRect>("client");
  QTest::addColumn<QSize>("glyph");
  QTest::addColumn<QSize>("caption");
  QTest::addColumn<int>("margin");
  QTest::addColumn<GlyphLayout>("layout");
  QTest::addColumn<bool>("rightToLeft");
  QTest::addColumn<bool>("pressed");
  QTest::addColumn<QPoint>("glyphAt");
  QTest::addColumn<QPoint>("captionAt");

  const QSize g(16, 16);
  const QSize none(0, 0);
  const auto L = GlyphLayout::Left;
  QTest::newRow("icon-only 25x25, margin 4")
      << QRect(0, 0, 25, 25) << g << none << 4 << L << false << false << QPoint(4, 5) << QPoint(20, 12);
  QTest::newRow("icon-only pressed") << QRect(0, 0, 25, 25) << g << none << 4 << L << false << true << QPoint(5, 6)
                                     << QPoint(21, 13);
  QTest::newRow("Exit 23x22 centred") << QRect(0, 0, 23, 22) << g << none << -1 << L << false << false << QPoint(3, 3)
                                      << QPoint(19, 11);
  QTest::newRow("OK 81x25: glyph, 4 pixels, caption centred; glyph y rounds up, caption y not")
      << QRect(0, 0, 81, 25) << g << QSize(17, 16) << -1 << L << false << false << QPoint(22, 5) << QPoint(42, 4);
  QTest::newRow("OK pushed") << QRect(0, 0, 81, 25) << g << QSize(17, 16) << -1 << L << false << true << QPoint(23, 6)
                             << QPoint(43, 5);
  QTest::newRow("logo 50x22 in 49x25: margin truncates to 0")
      << QRect(0, 0, 49, 25) << QSize(50, 22) << none << -1 << L << false << false << QPoint(0, 2) << QPoint(50, 12);
  QTest::newRow("group wider than button: margin -5.5 truncates to -5")
      << QRect(0, 0, 40, 25) << g << QSize(31, 16) << -1 << L << false << false << QPoint(-5, 5) << QPoint(15, 4);
  QTest::newRow("empty glyph: spacing 0, caption centred")
      << QRect(0, 0, 100, 25) << none << QSize(40, 16) << -1 << L << false << false << QPoint(30, 13) << QPoint(30, 4);
  QTest::newRow("glyph right of caption") << QRect(0, 0, 81, 25) << g << QSize(17, 16) << -1 << GlyphLayout::Right
                                          << false << false << QPoint(43, 5) << QPoint(22, 4);
  QTest::newRow("right to left swaps left for right")
      << QRect(0, 0, 81, 25) << g << QSize(17, 16) << -1 << L << true << false << QPoint(43, 5) << QPoint(22, 4);
  QTest::newRow("glyph above caption") << QRect(0, 0, 40, 60) << g << QSize(20, 16) << -1 << GlyphLayout::Top << false
                                       << false << QPoint(12, 12) << QPoint(10, 32);
  QTest::newRow("glyph below caption") << QRect(0, 0, 40, 60) << g << QSize(20, 16) << -1 << GlyphLayout::Bottom
                                       << false << false << QPoint(12, 32) << QPoint(10, 12);
  QTest::newRow("client rectangle offset")
      << QRect(10, 20, 25, 25) << g << none << 4 << L << false << false << QPoint(14, 25) << QPoint(30, 32);
}

void TestGlyphDrawing::calcButtonLayout()
{
  QFETCH(QRect, client);
  QFETCH(QSize, glyph);
  QFETCH(QSize, caption);
  QFETCH(int, margin);
  QFETCH(GlyphLayout, layout);
  QFETCH(bool, rightToLeft);
  QFETCH(bool, pressed);
  ButtonLayoutInput input;
  input.client = client;
  input.glyph = glyph;
  input.caption = caption;
  input.margin = margin;
  input.layout = layout;
  input.rightToLeft = rightToLeft;
  input.pressed = pressed;
  const ButtonLayout result = CalcButtonLayout(input);
  QTEST(result.glyph, "glyphAt");
  QTEST(result.caption, "captionAt");
}

void TestGlyphDrawing::blendChannel_data()
{
  QTest::addColumn<int>("glyph");
  QTest::addColumn<int>("beneath");
  QTest::addColumn<int>("alpha");
  QTest::addColumn<int>("expected");
  QTest::newRow("alpha 0 keeps beneath") << 255 << 37 << 0 << 37;
  QTest::newRow("alpha 1, white over black") << 255 << 0 << 1 << 1;
  QTest::newRow("alpha 1, black over white") << 0 << 255 << 1 << 254;
  QTest::newRow("alpha 128, white over black") << 255 << 0 << 128 << 128;
  QTest::newRow("alpha 128, black over white") << 0 << 255 << 128 << 127;
  QTest::newRow("alpha 128, 200 over 100") << 200 << 100 << 128 << 150;
  QTest::newRow("alpha 255 gives glyph") << 17 << 250 << 255 << 17;
}

void TestGlyphDrawing::blendChannel()
{
  QFETCH(int, glyph);
  QFETCH(int, beneath);
  QFETCH(int, alpha);
  QTEST(BlendChannel(glyph, beneath, alpha), "expected");
}

void TestGlyphDrawing::blendKeepsBeneathAtZeroAndGlyphAtFull()
{
  for (int glyph = 0; glyph < 256; ++glyph)
    for (int beneath = 0; beneath < 256; ++beneath) {
      QCOMPARE(BlendChannel(glyph, beneath, 0), beneath);
      QCOMPARE(BlendChannel(glyph, beneath, 255), glyph);
    }
}

void TestGlyphDrawing::drawPngBlendsInsideTheTarget()
{
  const QRgb beneath = qRgb(100, 150, 200);
  QImage surface = Filled({10, 10}, beneath, QImage::Format_RGB32);
  QImage glyph = Filled({4, 4}, qRgba(250, 20, 0, 128));
  glyph.setPixel(0, 0, qRgba(1, 2, 3, 255));
  glyph.setPixel(1, 0, qRgba(1, 2, 3, 0));
  DrawPng(surface, QRect(2, 3, 3, 4), glyph, 0);
  QCOMPARE(surface.pixel(2, 3), qRgb(1, 2, 3));
  QCOMPARE(surface.pixel(3, 3), beneath);
  QCOMPARE(surface.pixel(4, 5),
           qRgb(BlendChannel(250, 100, 128), BlendChannel(20, 150, 128), BlendChannel(0, 200, 128)));
  QCOMPARE(surface.pixel(5, 5), beneath); // the glyph's fourth column lies outside the target
  QCOMPARE(surface.pixel(1, 3), beneath);
}

void TestGlyphDrawing::drawPngDisabledHalvesOpacityAndLeavesGlyph_data()
{
  QTest::addColumn<int>("alpha");
  QTest::addColumn<int>("drawnAlpha");
  QTest::newRow("opaque pixel drawn at 128") << 255 << 128;
  QTest::newRow("alpha 1 vanishes") << 1 << 0;
  QTest::newRow("alpha 3 drawn at 2") << 3 << 2;
}

void TestGlyphDrawing::drawPngDisabledHalvesOpacityAndLeavesGlyph()
{
  QFETCH(int, alpha);
  QFETCH(int, drawnAlpha);
  const QImage glyph = Filled({2, 2}, qRgba(0, 0, 0, alpha));
  const QImage original = glyph.copy();
  QImage surface = Filled({2, 2}, qRgb(255, 255, 255), QImage::Format_RGB32);
  DrawPng(surface, QRect(0, 0, 2, 2), glyph, pngBlendOnDisabled);
  const int channel = BlendChannel(0, 255, drawnAlpha);
  QCOMPARE(surface.pixel(1, 1), qRgb(channel, channel, channel));
  QCOMPARE(glyph, original);
}

void TestGlyphDrawing::drawPngCopiesGlyphWithoutAlphaScaled()
{
  QImage glyph = Filled({2, 2}, qRgb(10, 20, 30), QImage::Format_RGB32);
  QImage surface = Filled({6, 6}, qRgb(255, 255, 255), QImage::Format_RGB32);
  DrawPng(surface, QRect(1, 1, 4, 4), glyph, 0);
  QCOMPARE(surface.pixel(1, 1), qRgb(10, 20, 30));
  QCOMPARE(surface.pixel(4, 4), qRgb(10, 20, 30));
  QCOMPARE(surface.pixel(5, 5), qRgb(255, 255, 255));
}

void TestGlyphDrawing::makeImageBlended_data()
{
  QTest::addColumn<int>("alpha");
  QTest::addColumn<int>("expected");
  const int cases[][2] = {{255, 128}, {254, 127}, {128, 64}, {7, 4}, {5, 2}, {3, 2}, {2, 1}, {1, 0}, {0, 0}};
  for (const auto &[alpha, expected] : cases)
    QTest::addRow("%d", alpha) << alpha << expected;
}

void TestGlyphDrawing::makeImageBlended()
{
  QFETCH(int, alpha);
  QImage image = Filled({3, 2}, qRgba(9, 99, 199, alpha));
  MakeImageBlended(image);
  QCOMPARE(image.format(), QImage::Format_ARGB32);
  QFETCH(int, expected);
  QCOMPARE(image.pixel(2, 1), qRgba(9, 99, 199, expected));
}

void TestGlyphDrawing::makeImageBlendedGivesOpaqueImagesHalfOpacity_data()
{
  QTest::addColumn<QImage>("image");
  QTest::addColumn<int>("expected");
  QTest::newRow("RGB image ends at 128") << Filled({2, 2}, qRgb(1, 2, 3), QImage::Format_RGB32) << 128;
  QImage grey(2, 2, QImage::Format_Grayscale8);
  grey.fill(Qt::gray);
  QTest::newRow("grey image ends at 127") << grey << 127;
  QImage palette(2, 2, QImage::Format_Indexed8);
  palette.setColorTable({qRgb(1, 2, 3)});
  palette.fill(0);
  QTest::newRow("palette image ends at 127") << palette << 127;
  palette.setColorTable({qRgba(0, 0, 0, 0)});
  QTest::newRow("palette transparent colour ends at 0") << palette << 0;
}

void TestGlyphDrawing::makeImageBlendedGivesOpaqueImagesHalfOpacity()
{
  QFETCH(QImage, image);
  MakeImageBlended(image);
  QVERIFY(image.hasAlphaChannel());
  QTEST(qAlpha(image.pixel(1, 1)), "expected");
}

void TestGlyphDrawing::makeImageGrayscale_data()
{
  QTest::addColumn<QRgb>("colour");
  QTest::addColumn<int>("grey");
  QTest::newRow("red 76.5 -> 76") << qRgba(255, 0, 0, 200) << 76;
  QTest::newRow("green 150.45 -> 150") << qRgba(0, 255, 0, 255) << 150;
  QTest::newRow("blue 28.05 -> 28") << qRgba(0, 0, 255, 1) << 28;
  QTest::newRow("tie 5.5 -> 6") << qRgba(0, 0, 50, 255) << 6;
  QTest::newRow("tie 16.5 -> 16") << qRgba(0, 0, 150, 255) << 16;
  QTest::newRow("white stays") << qRgba(255, 255, 255, 255) << 255;
}

void TestGlyphDrawing::makeImageGrayscale()
{
  QFETCH(QRgb, colour);
  QFETCH(int, grey);
  QImage image = Filled({2, 2}, colour);
  MakeImageGrayscale(image);
  QCOMPARE(image.pixel(1, 1), qRgba(grey, grey, grey, qAlpha(colour)));
  QImage palette(2, 2, QImage::Format_Indexed8);
  palette.setColorTable({colour});
  palette.fill(0);
  MakeImageGrayscale(palette);
  QCOMPARE(palette.colorTable().at(0), qRgba(grey, grey, grey, qAlpha(colour)));
}

void TestGlyphDrawing::makeImageGrayscaleLeavesGreyImages()
{
  QImage grey(3, 1, QImage::Format_Grayscale8);
  grey.setPixel(0, 0, qRgb(7, 7, 7));
  const QImage original = grey.copy();
  MakeImageGrayscale(grey);
  QCOMPARE(grey, original);
}

void TestGlyphDrawing::picturesAreEmbeddedAsRgbaPngs_data()
{
  QTest::addColumn<Picture>("picture");
  QTest::addColumn<qreal>("ratio");
  QTest::addColumn<QString>("suffix");
  QTest::addColumn<QSize>("size");
  QTest::addColumn<bool>("antialiased");
  using enum Picture;
  const auto row = [](Picture picture, qreal ratio, const char *suffix, QSize size, bool antialiased) {
    QTest::addRow("%s%s", PictureName(picture), suffix)
        << picture << ratio << QString::fromLatin1(suffix) << size << antialiased;
  };
  for (Picture picture :
       {Exit,           Up,          About,   Drive,  Home, Refresh, Word,   Excel, Powerpoint, NewFolder, Options,
        OptionsDefault, MyDocuments, Desktop, Folder, File, Delete,  Rename, Ok,    Cancel,     Credit,    Globe})
    row(picture, 1, "", QSize(16, 16), true);
  row(Logo, 1, "", QSize(50, 22), true);
  for (const auto &[picture, size] :
       {std::pair{Icon16, 16}, std::pair{Icon24, 24}, std::pair{Icon32, 32}, std::pair{Icon48, 48}})
    row(picture, 1, "", QSize(size, size), true);
  const Picture corners[] = {CornerTopLeft, CornerTopRight, CornerBottomLeft, CornerBottomRight};
  for (Picture picture : corners)
    row(picture, 1, "", QSize(12, 12), false);
  for (const auto &[suffix, scale] : {std::pair{"@1.5x", 1.5}, std::pair{"@2x", 2.0}}) {
    const auto scaled = [scale](int pixels) { return int(pixels * scale); };
    for (Picture picture : {Ok, Folder, Drive, Credit, Globe})
      row(picture, scale, suffix, QSize(scaled(16), scaled(16)), true);
    row(Logo, scale, suffix, QSize(scaled(50), scaled(22)), true);
    for (Picture picture : corners)
      row(picture, scale, suffix, QSize(scaled(12), scaled(12)), false);
  }
}

// 8 bits per channel, colour type 6 (RGBA); glyphs have partly transparent edges, corner
// pictures are fully opaque. The program shows exactly the pixels of the PNGs.
void TestGlyphDrawing::picturesAreEmbeddedAsRgbaPngs()
{
  QFETCH(Picture, picture);
  QFETCH(qreal, ratio);
  QFETCH(QString, suffix);
  QFile file(QStringLiteral(TV_GLYPH_FOLDER "%1%2.png").arg(QLatin1String(PictureName(picture)), suffix));
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray png = file.readAll();
  QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n"));
  QCOMPARE(png.mid(12, 4), QByteArray("IHDR"));
  QCOMPARE(int(png.at(24)), 8);
  QCOMPARE(int(png.at(25)), 6);
  const QImage image = Glyph(picture, ratio);
  QImage drawn = QImage::fromData(png).convertToFormat(QImage::Format_ARGB32);
  drawn.setDevicePixelRatio(ratio);
  QCOMPARE(image, drawn);
  QTEST(image.size(), "size");
  bool partlyTransparent = false;
  bool opaque = true;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const int alpha = qAlpha(image.pixel(x, y));
      partlyTransparent |= alpha > 0 && alpha < 255;
      opaque &= alpha == 255;
    }
  QFETCH(bool, antialiased);
  QCOMPARE(partlyTransparent, antialiased);
  QCOMPARE(opaque, !antialiased);
}

void TestGlyphDrawing::cornerPicturesHaveExactlyTheArc_data()
{
  QTest::addColumn<int>("corner");
  QTest::addColumn<bool>("mirroredX");
  QTest::addColumn<bool>("mirroredY");
  QTest::newRow("top left") << int(TopLeft) << false << false;
  QTest::newRow("top right") << int(TopRight) << true << false;
  QTest::newRow("bottom left") << int(BottomLeft) << false << true;
  QTest::newRow("bottom right") << int(BottomRight) << true << true;
}

void TestGlyphDrawing::cornerPicturesHaveExactlyTheArc()
{
  QFETCH(int, corner);
  QFETCH(bool, mirroredX);
  QFETCH(bool, mirroredY);
  const QImage &picture = CornerPictures()[static_cast<size_t>(corner)];
  QCOMPARE(picture.size(), QSize(12, 12));
  for (int row = 0; row < 12; ++row) {
    const auto [first, last] = GreyColumns[row];
    for (int column = 0; column < 12; ++column) {
      const QRgb expected = column < first ? 0xffff00ff : column <= last ? 0xffc0c0c0 : 0xffffffff;
      const int x = mirroredX ? 11 - column : column;
      const int y = mirroredY ? 11 - row : row;
      QVERIFY2(picture.pixel(x, y) == expected, qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
    }
  }
}

void TestGlyphDrawing::visibleRegionLeavesOutTheKeyPixels()
{
  const QSize window(256, 88);
  const QRegion visible = VisibleRegion(window, CornerPictures());
  int keyPixelsPerCorner = 0;
  for (const auto &[first, last] : GreyColumns)
    keyPixelsPerCorner += first;
  qint64 shown = 0;
  for (const QRect &rect : visible)
    shown += qint64(rect.width()) * rect.height();
  QCOMPARE(shown, qint64(256) * 88 - 4 * keyPixelsPerCorner);
  for (QPoint outside : {QPoint(0, 0), QPoint(255, 0), QPoint(0, 87), QPoint(255, 87), QPoint(9, 0), QPoint(246, 87)})
    QVERIFY(!visible.contains(outside));
  for (QPoint inside : {QPoint(10, 0), QPoint(0, 9), QPoint(245, 87), QPoint(255, 78), QPoint(128, 44)})
    QVERIFY(visible.contains(inside));
}

void TestGlyphDrawing::translucentFrameIsTheCutFrameWithAlpha_data()
{
  QTest::addColumn<qreal>("ratio");
  QTest::newRow("1") << 1.0;
  QTest::newRow("2") << 2.0;
}

// Where the shape keeps a pixel, the translucent frame shows it as the cut frame does; the
// rest is fully transparent, whatever the window held before.
void TestGlyphDrawing::translucentFrameIsTheCutFrameWithAlpha()
{
  QFETCH(qreal, ratio);
  const QSize window = DeviceSize(QSize(256, 88), ratio);
  const std::array<QImage, 4> corners = CornerPicturesAt(ratio);
  QImage cut = Filled(window, 0xffffffff);
  QImage translucent = Filled(window, 0x80102030, QImage::Format_ARGB32_Premultiplied);
  {
    QPainter painter(&cut);
    PaintFrame(painter, window, corners);
    QPainter alphaPainter(&translucent);
    PaintTranslucentFrame(alphaPainter, window, WithKeyTransparent(corners));
  }
  translucent = translucent.convertToFormat(QImage::Format_ARGB32);
  const QRegion visible = VisibleRegion(window, corners);
  for (int y = 0; y < window.height(); ++y)
    for (int x = 0; x < window.width(); ++x) {
      const QRgb expected = visible.contains(QPoint(x, y)) ? cut.pixel(x, y) : qRgba(0, 0, 0, 0);
      QVERIFY2(translucent.pixel(x, y) == expected, qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
    }
}

void TestGlyphDrawing::glyphsAreDrawnFromTheArtworkOfTheDevice_data()
{
  QTest::addColumn<qreal>("ratio");
  QTest::addColumn<QString>("artwork");
  QTest::addColumn<int>("deviceSize");
  QTest::addColumn<PngOptions>("options");
  const PngOptions disabled = pngBlendOnDisabled | pngGrayscaleOnDisabled;
  for (PngOptions options : {0, disabled}) {
    const char *look = options ? "disabled" : "enabled";
    QTest::addRow("1, %s", look) << 1.0 << "ok" << 16 << options;
    QTest::addRow("1.5, %s", look) << 1.5 << "ok@1.5x" << 24 << options;
    QTest::addRow("2, %s", look) << 2.0 << "ok@2x" << 32 << options;
    QTest::addRow("1.25 scales the artwork of 1, %s", look) << 1.25 << "ok" << 20 << options;
    QTest::addRow("1.75 scales the artwork of 2, %s", look) << 1.75 << "ok@2x" << 28 << options;
  }
}

// A glyph of a 25 x 25 button at (4, 5) is drawn from the artwork drawn for the screen's
// ratio, over 16 x ratio device pixels, and a disabled one halves and greys each of those
// device pixels, not the pixels of the 16-pixel picture.
void TestGlyphDrawing::glyphsAreDrawnFromTheArtworkOfTheDevice()
{
  QFETCH(qreal, ratio);
  QFETCH(QString, artwork);
  QFETCH(int, deviceSize);
  QFETCH(PngOptions, options);
  QImage expectedGlyph = PictureFile(artwork);
  if (expectedGlyph.width() != deviceSize)
    expectedGlyph = expectedGlyph.scaled(deviceSize, deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  const QRgb beneath = qRgb(236, 233, 216);
  const int surfaceSize = int(std::ceil(25 * ratio));
  QImage surface(surfaceSize, surfaceSize, QImage::Format_RGB32);
  surface.setDevicePixelRatio(ratio);
  surface.fill(beneath);

  DrawButtonGlyph(surface, QPoint(4, 5), Glyph(Picture::Ok), options);

  const QRect drawn(qRound(4 * ratio), qRound(5 * ratio), deviceSize, deviceSize);
  for (int y = 0; y < surfaceSize; ++y)
    for (int x = 0; x < surfaceSize; ++x) {
      QRgb expected = beneath;
      if (drawn.contains(x, y)) {
        const QRgb pixel = expectedGlyph.pixel(x - drawn.x(), y - drawn.y());
        expected = Over(options ? HalfTransparentGrey(pixel) : pixel, beneath);
      }
      QVERIFY2(surface.pixel(x, y) == expected, qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
    }
}

void TestGlyphDrawing::listIconsHoldTheArtworkOfEveryRatio_data()
{
  QTest::addColumn<qreal>("ratio");
  QTest::addColumn<QString>("artwork");
  QTest::newRow("1") << 1.0 << "folder";
  QTest::newRow("1.5") << 1.5 << "folder@1.5x";
  QTest::newRow("2") << 2.0 << "folder@2x";
}

// Rows and menu items take the icon's picture for their screen, also while disabled.
void TestGlyphDrawing::listIconsHoldTheArtworkOfEveryRatio()
{
  QFETCH(qreal, ratio);
  QFETCH(QString, artwork);
  const QIcon icon = TPngImageList().Icon(tv::ops::ListImage::Folder);
  // Pixmaps keep their colours premultiplied by alpha.
  QImage expected = PictureFile(artwork).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  expected.setDevicePixelRatio(ratio);
  QCOMPARE(icon.pixmap(QSize(16, 16), ratio).toImage().convertToFormat(expected.format()), expected);
  QCOMPARE(icon.pixmap(QSize(16, 16), ratio, QIcon::Disabled).size(), expected.size());
}

QTEST_MAIN(TestGlyphDrawing)
#include "test_glyph_drawing.moc"
