#pragma once

#include <QScrollArea>

namespace ravelock {

// The frame the picture scrolls in. Shift turns the wheel sideways, as in
// other picture viewers; Ctrl asks to zoom.
class ScrollingPicture final : public QScrollArea {
    Q_OBJECT
public:
    using QScrollArea::QScrollArea;

signals:
    // One step in (`in`) or out, about the point `at` of the viewport.
    void ZoomWheeled(bool in, QPointF at);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    int zoomDelta_ = 0; // a touchpad or a fine wheel sends fractions of a step
};

} // namespace ravelock
