// Reading the font configuration off the window's thread and registering Tahoma.
#include "platform/fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <fontconfig/fontconfig.h>
#include <latch>
#include <utility>

#include "platform/detached_thread.h"

namespace tv::platform {

namespace {

constexpr char Family[] = "Tahoma";

struct Face {
  const char *file;
  bool bold;
};

const Face TahomaFaces[] = {{"/usr/share/wine/fonts/tahoma.ttf", false}, {"/usr/share/wine/fonts/tahomabd.ttf", true}};

// A family installed with only its regular face would have Qt thicken that face for bold
// text; each face is therefore looked for on its own.
bool QtHasFace(bool bold)
{
  const QString family = QString::fromLatin1(Family);
  const QStringList styles = QFontDatabase::styles(family);
  return std::any_of(styles.begin(), styles.end(),
                     [&](const QString &style) { return QFontDatabase::bold(family, style) == bold; });
}

bool FontconfigHasFace(bool bold)
{
  FcPattern *pattern = FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, Family, nullptr);
  FcObjectSet *objects = FcObjectSetBuild(FC_WEIGHT, nullptr);
  FcFontSet *faces = FcFontList(nullptr, pattern, objects);
  bool found = false;
  for (int i = 0; faces && i < faces->nfont && !found; ++i) {
    int weight = FC_WEIGHT_REGULAR;
    FcPatternGetInteger(faces->fonts[i], FC_WEIGHT, 0, &weight);
    found = (weight >= FC_WEIGHT_BOLD) == bold;
  }
  if (faces)
    FcFontSetDestroy(faces);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  return found;
}

// The thread that reads the configuration, which nobody joins: the caller waits for the
// configuration only. It is never destroyed, so that the thread may count it down even
// while the program ends.
struct ConfigurationReader {
  std::latch read{1};
  bool started = false;
  bool refused = false; // no thread could be had for it
  bool awaited = false;
};

ConfigurationReader &FontConfigurationReader()
{
  static auto *reader = new ConfigurationReader;
  return *reader;
}

// Reads fontconfig's configuration and adds the missing faces of Tahoma to the program's
// own font set, where Qt finds them among the system's fonts.
void ReadConfigurationWithTahoma()
{
  FcInit();
  for (const Face &face : TahomaFaces)
    if (!FontconfigHasFace(face.bold))
      FcConfigAppFontAddFile(nullptr, reinterpret_cast<const FcChar8 *>(face.file));
  FontConfigurationReader().read.count_down();
}

// Qt forgets fontconfig's own additions whenever its application fonts change.
void RegisterTahomaWithQt()
{
  for (const Face &face : TahomaFaces)
    if (!QtHasFace(face.bold))
      QFontDatabase::addApplicationFont(QString::fromLatin1(face.file));
}

} // namespace

void StartReadingFontConfiguration()
{
  // Qt removes this variable from the environment while it connects, and fontconfig reads
  // the environment: the two must not run at once, so then the configuration waits.
  if (!qEnvironmentVariableIsSet("DESKTOP_STARTUP_ID")) {
    ConfigurationReader &reader = FontConfigurationReader();
    reader.started = TryStartDetachedThread(ReadConfigurationWithTahoma);
    reader.refused = !reader.started;
  }
}

void RegisterProgramFonts()
{
  ConfigurationReader &reader = FontConfigurationReader();
  if (reader.started && !std::exchange(reader.awaited, true)) {
    reader.read.wait();
    // Tahoma is among fontconfig's fonts now. Qt lists them all into its own database on
    // first use; a thread of its own does that while the caller makes its windows, which
    // lock the database and wait when they need it first. Where no thread can be had, Qt
    // lists them when first needed.
    static_cast<void>(TryStartDetachedThread([] { QFontDatabase::families(); }));
    return;
  }
  // Without a reader thread the program goes on without Tahoma, as where it is not
  // installed, and reads no font file more on the window's thread.
  if (!reader.refused)
    RegisterTahomaWithQt();
}

} // namespace tv::platform
