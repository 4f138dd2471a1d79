// Writes the program's pictures as C++ arrays of 32-bit ARGB pixels, so that showing a
// window never decodes a PNG: embed_pictures OUTPUT.cpp PICTURE.png...
// Each picture is named after its file, without the folder and the ".png" ("ok@2x").
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

namespace {

// The C++ name of a picture's array: "ok@1.5x" becomes "ok_1_5x_pixels".
QString ArrayName(QString name)
{
  for (QChar &c : name)
    if (!c.isLetterOrNumber())
      c = u'_';
  return name + QStringLiteral("_pixels");
}

void WritePixels(QTextStream &out, const QString &name, const QImage &image)
{
  out << "const std::uint32_t " << ArrayName(name) << "[] = {";
  for (int y = 0; y < image.height(); ++y) {
    out << "\n   ";
    for (int x = 0; x < image.width(); ++x)
      out << " 0x" << QString::number(image.pixel(x, y), 16).rightJustified(8, u'0') << ',';
  }
  out << "\n};\n\n";
}

} // namespace

int main(int argc, char *argv[])
{
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s OUTPUT.cpp PICTURE.png...\n", argv[0]);
    return 2;
  }
  QSaveFile file(QString::fromLocal8Bit(argv[1]));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
    return 1;
  QTextStream out(&file);
  out << "// Made by tools/embed_pictures.cpp from resources/glyphs at build time.\n"
      << "#include \"resources/embedded_pictures.h\"\n\nnamespace tv::resources {\n\nnamespace {\n\n";
  QStringList names;
  for (int i = 2; i < argc; ++i) {
    const QString path = QString::fromLocal8Bit(argv[i]);
    const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) {
      std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[i]);
      return 1;
    }
    const QString name = QFileInfo(path).completeBaseName();
    WritePixels(out, name, image);
    names << QStringLiteral("    {\"%1\", %2, %3, %4},\n")
                 .arg(name)
                 .arg(image.width())
                 .arg(image.height())
                 .arg(ArrayName(name));
  }
  out << "} // namespace\n\nconst EmbeddedPicture EmbeddedPictures[] = {\n"
      << names.join(QString()) << "};\n\n"
      << "const std::size_t EmbeddedPictureCount = " << names.size() << ";\n\n} // namespace tv::resources\n";
  out.flush();
  return file.commit() ? 0 : 1;
}
