// Turns the location another program hands over (a path or a file URI) into a local path.
#pragma once

#include <QByteArray>
#include <QString>

#include "platform/location_kind.h"
#include "texts/texts.h"

namespace tv {

// A location to show, as the command line or the desktop's file-manager interface gives it.
struct LocationRequest {
  // The absolute local path, with "." and ".." resolved and no trailing "/" (but "/"
  // itself); empty when the location is not on this computer.
  QByteArray path;
  // The location as it was given, for messages.
  QString given;
  // True where the item itself is to be selected in its folder, also when it is a folder.
  bool selectItem = false;
};

// What the first command-line argument asks for.
enum class ArgumentMeaning { Nothing, Help, Version, Location };

ArgumentMeaning MeaningOfArgument(const QByteArray &argument);

// The request for a plain path (a relative one is taken from the working folder) or a
// "file:" URI (with or without the host "localhost"; percent-encoding undone to bytes).
// Other schemes and other hosts give an empty path.
LocationRequest RequestForLocation(const QByteArray &location, const QByteArray &workingFolder);

// How a window shows a location of a kind: the folder to list (empty for none, the window
// then stays where it is), the name in it to select, or the message that says why it
// cannot be shown.
struct LocationPlan {
  QByteArray folder;
  QByteArray selectedName;
  const TextPair *message = nullptr;
};

LocationPlan PlanForLocation(const LocationRequest &request, platform::LocationKind kind);

} // namespace tv
