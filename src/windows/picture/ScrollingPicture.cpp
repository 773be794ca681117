#include "windows/picture/ScrollingPicture.h"

#include "windows/picture/DrawingArea.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

namespace ravelock {

namespace {

constexpr int kZooms[] = {1, 2, 3, 4, 6, 8, 12, 16, 24, 32};

} // namespace

ScrollingPicture::ScrollingPicture(QWidget* parent) : QScrollArea(parent) {}

int ScrollingPicture::NextZoom(int zoom, bool in)
{
    if (in) {
        for (int step : kZooms)
            if (step > zoom)
                return step;
        return kZooms[std::size(kZooms) - 1];
    }
    int next = kZooms[0];
    for (int step : kZooms)
        if (step < zoom)
            next = step;
    return next;
}

DrawingArea& ScrollingPicture::Picture() const { return *static_cast<DrawingArea*>(widget()); }

void ScrollingPicture::ZoomTo(int zoom, std::optional<QPointF> anchor, const std::function<void()>& relayout)
{
    const int before = Picture().Zoom();
    const QPointF at = anchor.value_or(QPointF(viewport()->rect().center()));
    QScrollBar* across = horizontalScrollBar();
    QScrollBar* down = verticalScrollBar();
    const QPointF texel = (QPointF(across->value(), down->value()) + at) / before;
    Picture().SetZoom(zoom);
    relayout();
    across->setValue(static_cast<int>(std::lround(texel.x() * zoom - at.x())));
    down->setValue(static_cast<int>(std::lround(texel.y() * zoom - at.y())));
}

void ScrollingPicture::PickWithKeys()
{
    const QRect view(QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()), viewport()->size());
    const QSize extent = Picture().Extent();
    const int zoom = Picture().Zoom();
    const QPoint middle(view.center().x() / zoom, view.center().y() / zoom);
    Picture().PickWithKeys(QPoint(std::clamp(middle.x(), 0, std::max(0, extent.width() - 2)),
                                  std::clamp(middle.y(), 0, std::max(0, extent.height() - 2))));
}

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
