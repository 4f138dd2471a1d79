// Window shapes through the X shape extension.
#include "platform/window_cut.h"

#include <QGuiApplication>
#include <QWindow>
#include <cstdlib>
#include <vector>
#include <xcb/shape.h>

namespace tv::platform {

namespace {

xcb_connection_t *ShapingConnection()
{
  // The offscreen platform answers for X11 too, without a connection of its own.
  if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
    return nullptr;
  const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
  if (!connection)
    return nullptr;
  const xcb_query_extension_reply_t *shape = xcb_get_extension_data(connection, &xcb_shape_id);
  return shape && shape->present ? connection : nullptr;
}

} // namespace

bool RunsOnWayland() { return qGuiApp && QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

bool WindowsCanBeCut() { return ShapingConnection() != nullptr; }

bool CutWindowToRegion(const QWindow *window, const QRegion &devicePixels)
{
  xcb_connection_t *connection = ShapingConnection();
  if (!connection || !window || !window->handle())
    return false;
  std::vector<xcb_rectangle_t> rectangles;
  for (const QRect &rect : devicePixels)
    rectangles.push_back({static_cast<int16_t>(rect.x()), static_cast<int16_t>(rect.y()),
                          static_cast<uint16_t>(rect.width()), static_cast<uint16_t>(rect.height())});
  const xcb_void_cookie_t cookie = xcb_shape_rectangles_checked(
      connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, XCB_CLIP_ORDERING_UNSORTED,
      static_cast<xcb_window_t>(window->winId()), 0, 0, static_cast<uint32_t>(rectangles.size()), rectangles.data());
  xcb_generic_error_t *error = xcb_request_check(connection, cookie);
  std::free(error);
  return error == nullptr;
}

} // namespace tv::platform
