#pragma once

#include "workspace/MainView.h"
#include "workspace/Workspace.h"

#include <utility>
#include <vector>

namespace ravelock {

// Whether each menu item is enabled in the state `ws` is in.
std::vector<std::pair<MenuItem, bool>> MenuStates(const Workspace& ws);

} // namespace ravelock
