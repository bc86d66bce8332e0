#pragma once

namespace velmora::app {

// Loads Qt's own Polish texts (standard buttons, the context menus of scroll
// bars and text boxes) into the application, whatever the user's locale:
// the program speaks only Polish. False, with Qt's texts left in English,
// when the translations are not installed.
bool InstallQtPolish();

}  // namespace velmora::app
