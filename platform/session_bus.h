#pragma once

namespace tv::platform {

// Has the session bus connected on a pool thread as soon as the application object has
// connected to the window system. Call before the application object exists.
void ConnectSessionBusEarly();

} // namespace tv::platform
