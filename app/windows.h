// Windows made on their first use and kept for the whole run.
#pragma once

#include <QPointer>
#include <functional>

namespace tv {

// A window made when it is first used and kept for the whole run, so that the main window
// shows sooner. The main window owns it; once the main window has deleted it, it is
// forgotten.
template <typename Window> class WindowOnFirstUse {
public:
  explicit WindowOnFirstUse(std::function<Window *()> make) : make_(std::move(make)) {}

  Window *Get()
  {
    if (!window_)
      window_ = make_();
    return window_;
  }
  // Whether it was made and is still there.
  bool Exists() const { return !window_.isNull(); }
  Window *operator->() { return Get(); }
  Window &operator*() { return *Get(); }
  operator Window *() { return Get(); }

private:
  std::function<Window *()> make_;
  QPointer<Window> window_;
};

} // namespace tv
