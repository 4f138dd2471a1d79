// Connecting to the session bus ahead of Qt's accessibility bridge.
#pragma once

namespace tv::platform {

// Has the session bus connected on a thread of its own as soon as the application object
// has connected to the window system; nothing waits for that thread when the program ends.
// Where the system refuses the thread, no connection is made ahead. Call before the
// application object exists.
void ConnectSessionBusEarly();

} // namespace tv::platform
