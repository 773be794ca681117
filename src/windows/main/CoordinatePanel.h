#pragma once

#include "windows/main/PanelLayout.h"

#include <map>

class QWidget;

namespace ravelock {

// The labels and read-only fields of Left, Top, Right and Bottom, made on the
// client area; the fields are read-only.
std::map<PanelControl, QWidget*> BuildCoordinatePanel(QWidget& client);

} // namespace ravelock
