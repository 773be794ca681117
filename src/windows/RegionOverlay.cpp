#include "windows/RegionOverlay.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>

namespace ravelock {

namespace {

// Colours as the device image stores them: R, G, B, A bytes, opaque.
constexpr std::uint32_t Stored(std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    return red | green << 8 | blue << 16 | 0xFF000000u;
}
constexpr std::uint32_t kDark = Stored(0, 0, 0);
constexpr std::uint32_t kLight = Stored(255, 255, 255);
constexpr std::uint32_t kPending = Stored(255, 208, 0);

class OutlineWriter {
public:
    OutlineWriter(QImage& image, QPoint topLeft, const TexelGrid& grid)
        : image_(image), topLeft_(topLeft), grid_(grid),
          shown_(QPoint(grid.TexelX(topLeft.x()), grid.TexelY(topLeft.y())),
                 QPoint(grid.TexelX(topLeft.x() + image.width() - 1), grid.TexelY(topLeft.y() + image.height() - 1)))
    {
    }

    // The texels on the edge of `rect`, in dashes of four.
    void Outline(const QRect& rect, std::uint32_t light)
    {
        const auto dashed = [light](int x, int y) { return ((x + y) >> 2) & 1 ? light : kDark; };
        Row(rect.left(), rect.right(), rect.top(), dashed);
        Row(rect.left(), rect.right(), rect.bottom(), dashed);
        Column(rect.left(), rect.top() + 1, rect.bottom() - 1, dashed);
        Column(rect.right(), rect.top() + 1, rect.bottom() - 1, dashed);
    }

    // The corner texel, and arms that leave its neighbours in view.
    void CornerMark(QPoint corner)
    {
        const auto alternate = [](int x, int y) { return (x + y) & 1 ? kPending : kDark; };
        Texel(corner.x(), corner.y(), kPending);
        for (int side : {-1, 1}) {
            Row(corner.x() + 2 * side, corner.x() + 4 * side, corner.y(), alternate);
            Column(corner.x(), corner.y() + 2 * side, corner.y() + 4 * side, alternate);
        }
    }

    // A ring of device pixels just outside the texel, so the texel itself stays in view.
    void Ring(QPoint texel)
    {
        const int left = grid_.FirstDeviceX(texel.x()) - 1, right = grid_.FirstDeviceX(texel.x() + 1);
        const int top = grid_.FirstDeviceY(texel.y()) - 1, bottom = grid_.FirstDeviceY(texel.y() + 1);
        for (int x = left; x <= right; ++x) {
            Device(x, top, (x & 1) ? kPending : kDark);
            Device(x, bottom, (x & 1) ? kPending : kDark);
        }
        for (int y = top + 1; y < bottom; ++y) {
            Device(left, y, (y & 1) ? kPending : kDark);
            Device(right, y, (y & 1) ? kPending : kDark);
        }
    }

private:
    template <typename Colour>
    void Row(int from, int to, int y, Colour colour)
    {
        if (y < shown_.top() || y > shown_.bottom())
            return;
        for (int x = std::max(std::min(from, to), shown_.left()); x <= std::min(std::max(from, to), shown_.right()); ++x)
            Texel(x, y, colour(x, y));
    }
    template <typename Colour>
    void Column(int x, int from, int to, Colour colour)
    {
        if (x < shown_.left() || x > shown_.right())
            return;
        for (int y = std::max(std::min(from, to), shown_.top()); y <= std::min(std::max(from, to), shown_.bottom()); ++y)
            Texel(x, y, colour(x, y));
    }
    void Texel(int x, int y, std::uint32_t colour)
    {
        const int left = std::max(grid_.FirstDeviceX(x) - topLeft_.x(), 0);
        const int right = std::min(grid_.FirstDeviceX(x + 1) - topLeft_.x(), image_.width());
        const int bottom = std::min(grid_.FirstDeviceY(y + 1) - topLeft_.y(), image_.height());
        for (int row = std::max(grid_.FirstDeviceY(y) - topLeft_.y(), 0); row < bottom; ++row)
            std::fill(Line(row) + left, Line(row) + std::max(left, right), colour);
    }
    void Device(int x, int y, std::uint32_t colour)
    {
        const QPoint at = QPoint(x, y) - topLeft_;
        if (image_.rect().contains(at))
            Line(at.y())[at.x()] = colour;
    }
    std::uint32_t* Line(int row) { return reinterpret_cast<std::uint32_t*>(image_.scanLine(row)); }

    QImage& image_;
    QPoint topLeft_;
    const TexelGrid& grid_;
    QRect shown_; // the texels the image shows any part of
};

} // namespace

void PaintOutlines(QImage& image, QPoint topLeft, const TexelGrid& grid, const RegionScene& scene)
{
    OutlineWriter writer(image, topLeft, grid);
    for (const RegionScene::Region& region : scene.entries)
        writer.Outline(region.texels, kLight);
    if (scene.pending)
        writer.Outline(*scene.pending, kPending);
    if (scene.firstCorner)
        writer.CornerMark(*scene.firstCorner);
    if (scene.keyboard)
        writer.Ring(*scene.keyboard);
}

void PaintNames(QPainter& painter, const RegionScene& scene, const QRect& dirty)
{
    const QFontMetrics metrics(painter.font());
    const int height = metrics.height();
    for (const RegionScene::Region& region : scene.entries) {
        const QPoint corner = region.texels.topLeft();
        const bool above = corner.y() >= height + 1;
        const QRect box(corner.x(), above ? corner.y() - height - 1 : corner.y() + 1, 0, height);
        if (box.top() > dirty.bottom() || box.bottom() < dirty.top() || box.left() > dirty.right())
            continue;
        const QRect label(box.topLeft(), QSize(metrics.horizontalAdvance(region.name) + 4, height));
        if (!label.intersects(dirty))
            continue;
        painter.fillRect(label, QColor(0, 0, 0, 170));
        painter.setPen(Qt::white);
        painter.drawText(label.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, region.name);
    }
}

} // namespace ravelock
