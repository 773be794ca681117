#include "windows/DrawingArea.h"

#include "workspace/Twips.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace ravelock {

DrawingArea::DrawingArea(targa::PixelSurface& surface, QWidget* parent) : QWidget(parent), surface_(surface)
{
    setCursor(Qt::CrossCursor);
    setAutoFillBackground(false);
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
    if (!onPress_)
        return;
    int button = 0;
    if (event->button() == Qt::LeftButton)
        button = 1;
    else if (event->button() == Qt::RightButton)
        button = 2;
    else if (event->button() == Qt::MiddleButton)
        button = 4;
    const Qt::KeyboardModifiers mods = event->modifiers();
    const int shift = (mods & Qt::ShiftModifier ? 1 : 0) | (mods & Qt::ControlModifier ? 2 : 0) |
                      (mods & Qt::AltModifier ? 4 : 0);
    // On a scaled display positions fall between logical pixels; the texel
    // under the pointer is the one whose cell holds the position.
    const double x = std::floor(event->position().x());
    const double y = std::floor(event->position().y());
    onPress_(button, shift, static_cast<float>(x * kTwipsPerPixel), static_cast<float>(y * kTwipsPerPixel));
}

} // namespace ravelock
