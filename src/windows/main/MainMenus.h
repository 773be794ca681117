#pragma once

#include "workspace/MainView.h"

#include <QString>

#include <functional>
#include <map>

class QAction;
class QMenuBar;

namespace ravelock {

// The menu bar's items, each with its caption, name and keys, in the menus' order.
struct MainMenus {
    std::map<MenuItem, QAction*> commands;
    std::map<QString, QAction*> toggles; // the View menu's, by name ("mnuViewRegions")
};

// Fills `bar`; a command's item runs through `triggered`.
MainMenus AddMainMenus(QMenuBar& bar, const std::function<void(MenuItem)>& triggered);

} // namespace ravelock
