#pragma once

#include <QPointer>
#include <functional>

namespace tv {

// A window made when it is first used and kept for the whole run, so that the main window
// shows sooner. It is made again if it went away with a main window that was replaced.
template <typename Window> class WindowOnFirstUse {
public:
  explicit WindowOnFirstUse(std::function<Window *()> make) : make_(std::move(make)) {}

  Window *get()
  {
    if (!window_)
      window_ = make_();
    return window_;
  }
  Window *operator->() { return get(); }
  Window &operator*() { return *get(); }
  operator Window *() { return get(); }

private:
  std::function<Window *()> make_;
  QPointer<Window> window_;
};

} // namespace tv
