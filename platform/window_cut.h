// Cutting windows to a shape, for the rounded corners of the borderless windows.
#pragma once

#include <QRegion>

class QWindow;

namespace tv::platform {

// Whether the program runs on a Wayland compositor, which composites every window with its
// alpha and places windows itself: a client neither knows nor sets its windows' places.
bool RunsOnWayland();

// Whether windows are cut by CutWindowToRegion here: on X11 with the shape extension.
bool WindowsCanBeCut();

// Cuts the window's native window down to the region, given in the native window's own
// pixels, so that neither its look nor the pointer reaches what lies outside. False where
// the window system offers no such cut (not X11, no shape extension), where the window has
// no native window yet, or where the server refused.
bool CutWindowToRegion(const QWindow *window, const QRegion &devicePixels);

} // namespace tv::platform
