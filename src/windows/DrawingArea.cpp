#include "windows/DrawingArea.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace ravelock {

namespace {

// On a scaled display positions fall between logical pixels; the texel under
// the pointer is the one whose cell holds the position.
QPoint TexelAt(const QPointF& position)
{
    return {static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y()))};
}

} // namespace

DrawingArea::DrawingArea(const targa::PixelSurface& surface, QWidget* parent) : QWidget(parent), surface_(surface)
{
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingArea::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // Unpainted pixels are transparent in the surface: the background shows.
    painter.fillRect(event->rect(), palette().window());
    const int rows = targa::PixelSurface::kBandRows;
    const QRect dirty = event->rect();
    const int firstBand = std::max(0, dirty.top() / rows);
    const int lastBand = std::min(surface_.BandCount() - 1, dirty.bottom() / rows);
    for (int band = firstBand; band <= lastBand; ++band) {
        const std::uint32_t* pixels = surface_.Band(band);
        if (!pixels)
            continue;
        const int bandRows = std::min(rows, surface_.Height() - band * rows);
        const QImage image(reinterpret_cast<const uchar*>(pixels), surface_.Width(), bandRows,
                           static_cast<qsizetype>(surface_.Width()) * 4, QImage::Format_RGBA8888_Premultiplied);
        const QRect target(0, band * rows, surface_.Width(), bandRows);
        const QRect visible = target.intersected(dirty);
        painter.drawImage(visible, image, visible.translated(0, -band * rows));
    }
}

void DrawingArea::mousePressEvent(QMouseEvent* event)
{
    const QPoint texel = TexelAt(event->position());
    if (onPress_)
        onPress_(texel.x(), texel.y());
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint texel = TexelAt(event->position());
    if (onMove_ && rect().contains(texel))
        onMove_(texel.x(), texel.y());
}

void DrawingArea::leaveEvent(QEvent* /*event*/)
{
    if (onMove_)
        onMove_(-1, -1);
}

} // namespace ravelock
