#include "windows/picture/Magnifier.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ravelock {

Magnifier::Magnifier(const targa::PixelSurface& surface, QWidget* parent) : QWidget(parent), surface_(surface)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Magnifier::Centre(std::optional<QPoint> texel)
{
    if (texel == centre_)
        return;
    centre_ = texel;
    update();
}

int Magnifier::Cell() const { return static_cast<int>(std::lround(8 * devicePixelRatioF())); }

int Magnifier::GridSide() const { return static_cast<int>(std::ceil((kTexels * Cell() + 1) / devicePixelRatioF())); }

// Room for the grid and for the longest lines written below it.
QSize Magnifier::sizeHint() const
{
    const int text = std::max(fontMetrics().horizontalAdvance(QStringLiteral("x 00000  y 00000")),
                              fontMetrics().horizontalAdvance(QStringLiteral("#DDDDDD  alpha DD")));
    return {std::max(GridSide(), text), GridSide() + 2 * fontMetrics().height() + 4};
}

void Magnifier::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    // Drawn in device pixels, so that every texel is a whole number of them at any scale.
    const int cell = Cell();
    QImage grid(kTexels * cell + 1, kTexels * cell + 1, QImage::Format_RGBA8888_Premultiplied);
    grid.fill(QColor(128, 128, 128));
    const QColor background = palette().window().color();
    for (int row = 0; row < kTexels; ++row) {
        for (int column = 0; column < kTexels; ++column) {
            QColor colour = background;
            if (centre_) {
                const QPoint texel = *centre_ + QPoint(column - kTexels / 2, row - kTexels / 2);
                if (const std::uint32_t stored = surface_.Stored(texel.x(), texel.y()))
                    colour = QColor(stored & 255, (stored >> 8) & 255, (stored >> 16) & 255);
            }
            for (int y = 1; y < cell; ++y)
                std::fill_n(reinterpret_cast<std::uint32_t*>(grid.scanLine(row * cell + y)) + column * cell + 1,
                            cell - 1, colour.red() | colour.green() << 8 | colour.blue() << 16 | 0xFF000000u);
        }
    }
    if (centre_) {
        // Dark on the grid lines around the centre, light just inside them.
        const int first = (kTexels / 2) * cell;
        for (auto [inset, colour] : {std::pair{0, QColor(Qt::black)}, {1, QColor(Qt::white)}}) {
            QPainter ring(&grid);
            ring.setPen(colour);
            ring.drawRect(first + inset, first + inset, cell - 2 * inset, cell - 2 * inset);
        }
    }
    // On a device pixel boundary, which at a fractional scale the widget's own origin may not be.
    const QPointF origin = painter.deviceTransform().map(QPointF(0, 0));
    const qreal scale = devicePixelRatioF();
    grid.setDevicePixelRatio(scale);
    painter.drawImage(QPointF(std::ceil(origin.x()) - origin.x(), std::ceil(origin.y()) - origin.y()) / scale, grid);

    painter.setPen(palette().windowText().color());
    const QRect text(0, GridSide() + 2, width(), height() - GridSide() - 2);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, Readout());
}

QString Magnifier::Readout() const
{
    if (!centre_)
        return {};
    // The stored colour is opaque; the texel's own alpha is kept beside it.
    const std::uint32_t stored = surface_.Stored(centre_->x(), centre_->y());
    const std::uint32_t shown = (stored & 0xFFFFFFu) | std::uint32_t{surface_.Alpha(centre_->x(), centre_->y())} << 24;
    const auto hex = [shown](int shift) {
        return QStringLiteral("%1").arg((shown >> shift) & 255, 2, 16, QLatin1Char('0')).toUpper();
    };
    const QString colour = stored ? QStringLiteral("#%1%2%3  alpha %4").arg(hex(0), hex(8), hex(16), hex(24))
                                  : QStringLiteral("not painted");
    return QStringLiteral("x %1  y %2\n%3").arg(centre_->x()).arg(centre_->y()).arg(colour);
}

} // namespace ravelock
