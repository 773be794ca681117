#pragma once

#include <QScrollArea>

namespace ravelock {

// The frame the picture scrolls in. Shift turns the wheel sideways, as in
// other picture viewers.
class ScrollingPicture final : public QScrollArea {
    Q_OBJECT
public:
    using QScrollArea::QScrollArea;

protected:
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace ravelock
