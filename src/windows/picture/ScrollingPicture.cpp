#include "windows/picture/ScrollingPicture.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QWheelEvent>

#include <cstdlib>

namespace ravelock {

void ScrollingPicture::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        // A step for every 120 eighths of a degree, as a wheel's notch gives.
        zoomDelta_ += event->angleDelta().y();
        for (; std::abs(zoomDelta_) >= 120; zoomDelta_ -= zoomDelta_ > 0 ? 120 : -120)
            emit ZoomWheeled(zoomDelta_ > 0, event->position());
        event->accept();
        return;
    }
    if (!(event->modifiers() & Qt::ShiftModifier)) {
        QScrollArea::wheelEvent(event);
        return;
    }
    QWheelEvent sideways(event->position(), event->globalPosition(), QPoint(), QPoint(event->angleDelta().y(), 0),
                         event->buttons(), Qt::NoModifier, event->phase(), event->inverted());
    QCoreApplication::sendEvent(horizontalScrollBar(), &sideways);
    event->accept();
}

} // namespace ravelock
