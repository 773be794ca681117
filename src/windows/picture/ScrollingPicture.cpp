#include "windows/picture/ScrollingPicture.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QWheelEvent>

namespace ravelock {

void ScrollingPicture::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->angleDelta().y() != 0)
            emit ZoomWheeled(event->angleDelta().y() > 0, event->position());
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
