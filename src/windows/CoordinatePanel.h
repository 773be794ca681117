#pragma once

#include "workspace/MainView.h"

#include <map>

class QWidget;

namespace ravelock {

// The labels and read-only fields of Left, Top, Right and Bottom, made on the
// client area; the commands place and fill them.
std::map<PanelControl, QWidget*> BuildCoordinatePanel(QWidget& client);

} // namespace ravelock
