#pragma once

#include <QPoint>
#include <QSize>

#include <map>

namespace ravelock {

enum class PanelControl { lblLeft, lblRight, txtLeft, txtRight, lblTop, lblBottom, txtTop, txtBottom };

// The space between neighbouring controls of the panel, and between its rows and the picture's middle.
constexpr int kPanelGap = 1;

// Where the panel's controls stand: two rows beside the visible part of the picture, left to right
// Left, Top and Right, Bottom, straddling the picture's middle; where the first row would start above
// the client area, both rows move down to keep it in.
std::map<PanelControl, QPoint> PlacePanel(QSize pictureInView, const std::map<PanelControl, QSize>& sizes);

// The panel's room beside the picture: its wider row with the gaps, and a margin.
QSize PanelExtent(const std::map<PanelControl, QSize>& sizes);

} // namespace ravelock
