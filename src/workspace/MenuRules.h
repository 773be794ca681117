#pragma once

#include "workspace/MainView.h"
#include "workspace/Workspace.h"

#include <utility>
#include <vector>

namespace ravelock {

// Whether each menu item is enabled in the state `ws` is in.
std::vector<std::pair<MenuItem, bool>> MenuStates(const Workspace& ws);
bool Offered(const Workspace& ws, MenuItem item);

// The words of the items that name what they would do ("Undo Removing Button").
std::vector<std::pair<MenuItem, QString>> MenuTexts(const Workspace& ws);

// The window's caption: the document's name once there is a texture or a file, "[*]" where the unsaved mark goes.
QString Caption(const Workspace& ws);

} // namespace ravelock
