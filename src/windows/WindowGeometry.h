#pragma once

#include "workspace/MainView.h"

#include <QSize>

#include <map>

class QWidget;

namespace ravelock {

struct PictureFrame {
    QSize frame;   // the scrolling frame, scroll bars included
    QSize visible; // the part of the picture in view
};

// Fits a picture of `content` pixels into `room`, with scroll bars of
// `bar` pixels only along the directions that do not fit.
PictureFrame FramePicture(QSize content, QSize room, int bar);

// The panel's room beside the picture: its wider row with the gaps, and a margin.
QSize PanelExtent(const std::map<PanelControl, QWidget*>& controls);

} // namespace ravelock
