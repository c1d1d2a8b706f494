#pragma once

class QApplication;

namespace app {

// Creates the five long-lived objects in their order and binds their queries to the
// data module's connections by name.
void createApplicationObjects();
// Destroys them; the data module closes its connections.
void destroyApplicationObjects();
// The whole program: title, objects, main window, event loop.
int run(QApplication& application);

} // namespace app
