#include "windows/picture/RegionOverlay.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

namespace ravelock {

namespace {

constexpr std::uint32_t kDark = 0xFF000000u;
constexpr std::uint32_t kLight = 0xFFFFFFFFu;
constexpr std::uint32_t kPending = 0xFFFFD000u;
constexpr std::uint32_t kShape = 0xFF00C8FFu;
constexpr std::uint32_t kChosen = 0xFFFF40FFu;
constexpr std::uint32_t kPlanned = 0xFF40FF60u;

// Fills texels of the image by the device-pixel rule, looking up where each
// texel's device pixels start in tables made once per image.
class OutlineWriter {
public:
    OutlineWriter(QImage& image, QPoint topLeft, const TexelGrid& grid)
        : image_(image), bits_(image.bits()), stride_(image.bytesPerLine()), topLeft_(topLeft), grid_(grid),
          shown_(QPoint(grid.TexelX(topLeft.x()), grid.TexelY(topLeft.y())),
                 QPoint(grid.TexelX(topLeft.x() + image.width() - 1), grid.TexelY(topLeft.y() + image.height() - 1)))
    {
        for (int x = shown_.left(); x <= shown_.right() + 1; ++x)
            columns_.push_back(std::clamp(grid.FirstDeviceX(x) - topLeft.x(), 0, image.width()));
        for (int y = shown_.top(); y <= shown_.bottom() + 1; ++y)
            rows_.push_back(std::clamp(grid.FirstDeviceY(y) - topLeft.y(), 0, image.height()));
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

    // Every other texel of the ring just outside `rect`, so the shape's own edge stays in view.
    void Dotted(const QRect& rect)
    {
        const QRect ring = rect.adjusted(-1, -1, 1, 1);
        const auto dotted = [](int x, int y) { return (x + y) & 1 ? kShape : kDark; };
        Row(ring.left(), ring.right(), ring.top(), dotted);
        Row(ring.left(), ring.right(), ring.bottom(), dotted);
        Column(ring.left(), ring.top() + 1, ring.bottom() - 1, dotted);
        Column(ring.right(), ring.top() + 1, ring.bottom() - 1, dotted);
    }

    // The corner texel, and arms that leave its neighbours in view.
    void CornerMark(QPoint corner)
    {
        const auto alternate = [](int x, int y) { return (x + y) & 1 ? kPending : kDark; };
        Row(corner.x(), corner.x(), corner.y(), [](int, int) { return kPending; });
        for (int side : {-1, 1}) {
            Row(corner.x() + 2 * side, corner.x() + 4 * side, corner.y(), alternate);
            Column(corner.x(), corner.y() + 2 * side, corner.y() + 4 * side, alternate);
        }
    }

    // Eight squares on the outline of `box`, at its corners and the middles of its edges.
    void Handles(const QRect& box, int half)
    {
        const int left = grid_.FirstDeviceX(box.left()), right = grid_.FirstDeviceX(box.right() + 1) - 1;
        const int top = grid_.FirstDeviceY(box.top()), bottom = grid_.FirstDeviceY(box.bottom() + 1) - 1;
        for (int x : {left, (left + right) / 2, right})
            for (int y : {top, (top + bottom) / 2, bottom}) {
                if (x != left && x != right && y != top && y != bottom)
                    continue;
                for (int dy = -half; dy <= half; ++dy)
                    for (int dx = -half; dx <= half; ++dx)
                        Device(x + dx, y + dy, std::max(std::abs(dx), std::abs(dy)) == half ? kDark : kLight);
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
    void Row(int from, int to, int y, const auto& colour) { Run(true, y, from, to, colour); }
    void Column(int x, int from, int to, const auto& colour) { Run(false, x, from, to, colour); }
    // Texels `from` to `to` of row `line` (across) or of column `line`, each run of one colour filled at once.
    template <typename Colour> void Run(bool across, int line, int from, int to, const Colour& colour)
    {
        const auto texel = [&](int i) { return across ? colour(i, line) : colour(line, i); };
        if (line < (across ? shown_.top() : shown_.left()) || line > (across ? shown_.bottom() : shown_.right()))
            return;
        const int last = std::min(std::max(from, to), across ? shown_.right() : shown_.bottom());
        for (int i = std::max(std::min(from, to), across ? shown_.left() : shown_.top()); i <= last;) {
            const std::uint32_t c = texel(i);
            int end = i + 1;
            while (end <= last && texel(end) == c)
                ++end;
            if (across)
                Fill(i, end, line, line + 1, c);
            else
                Fill(line, line + 1, i, end, c);
            i = end;
        }
    }
    // Texels [left, right) x [top, bottom), all shown.
    void Fill(int left, int right, int top, int bottom, std::uint32_t colour)
    {
        const int from = columns_[static_cast<std::size_t>(left - shown_.left())];
        const int to = columns_[static_cast<std::size_t>(right - shown_.left())];
        for (int row = rows_[static_cast<std::size_t>(top - shown_.top())];
             row < rows_[static_cast<std::size_t>(bottom - shown_.top())]; ++row) {
            std::fill(Line(row) + from, Line(row) + to, colour);
        }
    }
    void Device(int x, int y, std::uint32_t colour)
    {
        const QPoint at = QPoint(x, y) - topLeft_;
        if (image_.rect().contains(at))
            Line(at.y())[at.x()] = colour;
    }
    std::uint32_t* Line(int row) const
    {
        return reinterpret_cast<std::uint32_t*>(bits_ + static_cast<qsizetype>(row) * stride_);
    }

    QImage& image_;
    uchar* bits_;
    qsizetype stride_;
    QPoint topLeft_;
    const TexelGrid& grid_;
    QRect shown_;              // the texels the image shows any part of
    std::vector<int> columns_; // where each shown texel column starts in the image, and where the last ends
    std::vector<int> rows_;
};

} // namespace

void PaintOutlines(QImage& image, QPoint topLeft, const TexelGrid& grid, const RegionScene& scene)
{
    OutlineWriter writer(image, topLeft, grid);
    for (const QRect& shape : scene.shapes)
        writer.Dotted(shape);
    for (std::size_t i = 0; i < scene.entries.size(); ++i)
        writer.Outline(scene.entries[i].texels, i == scene.chosen ? kChosen : kLight);
    for (const QRect& planned : scene.planned)
        writer.Outline(planned, kPlanned);
    if (scene.pending)
        writer.Outline(*scene.pending, kPending);
    if (scene.firstCorner)
        writer.CornerMark(*scene.firstCorner);
    if (scene.keyboard)
        writer.Ring(*scene.keyboard);
    if (scene.adjusting) {
        writer.Outline(*scene.adjusting, kChosen);
        writer.Handles(*scene.adjusting, std::clamp(static_cast<int>(grid.scale / 2), 3, 6));
    }
}

int HandleAt(const QRect& box, QPointF point, int zoom)
{
    const qreal left = box.left() * zoom, right = (box.right() + 1) * zoom;
    const qreal top = box.top() * zoom, bottom = (box.bottom() + 1) * zoom;
    constexpr qreal kReach = 5; // logical pixels either side of a handle
    // The nearest handle wins: on a narrow entry the handles' reaches overlap.
    const auto edge = [](qreal p, qreal from, qreal to, int low, int high) {
        const qreal toLow = std::abs(p - from), toHigh = std::abs(p - to), toMiddle = std::abs(p - (from + to) / 2);
        const qreal nearest = std::min({toLow, toHigh, toMiddle});
        return nearest > kReach ? -1 : nearest == toLow ? low : nearest == toHigh ? high : 0;
    };
    const int across = edge(point.x(), left, right, kLeft, kRight);
    const int down = edge(point.y(), top, bottom, kTop, kBottom);
    if (across >= 0 && down >= 0 && (across | down) != 0)
        return across | down;
    return QRectF(QPointF(left, top), QPointF(right, bottom)).contains(point) ? kMove : 0;
}

QRect Dragged(const QRect& box, int handle, QPoint by, const QRect& bounds)
{
    if (handle == kMove) {
        const int dx = std::clamp(by.x(), bounds.left() - box.left(), bounds.right() - box.right());
        const int dy = std::clamp(by.y(), bounds.top() - box.top(), bounds.bottom() - box.bottom());
        return box.translated(dx, dy);
    }
    QRect moved = box;
    if (handle & kLeft)
        moved.setLeft(std::clamp(box.left() + by.x(), bounds.left(), box.right()));
    if (handle & kRight)
        moved.setRight(std::clamp(box.right() + by.x(), box.left(), bounds.right()));
    if (handle & kTop)
        moved.setTop(std::clamp(box.top() + by.y(), bounds.top(), box.bottom()));
    if (handle & kBottom)
        moved.setBottom(std::clamp(box.bottom() + by.y(), box.top(), bounds.bottom()));
    return moved;
}

const QPixmap& NameLabels::For(const QString& name, const QFont& font, qreal scale)
{
    if (font != font_ || scale != scale_) {
        drawn_.clear();
        std::tie(font_, scale_) = std::pair(font, scale);
    }
    auto found = drawn_.find(name);
    if (found != drawn_.end())
        return *found;
    const QFontMetrics metrics(font);
    const QSize size(metrics.horizontalAdvance(name) + 4, metrics.height());
    QPixmap label(size * scale);
    label.setDevicePixelRatio(scale);
    label.fill(QColor(0, 0, 0, 170));
    QPainter painter(&label);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(QPoint(2, 0), size), Qt::AlignLeft | Qt::AlignVCenter, name);
    return *drawn_.insert(name, label);
}

void PaintNames(QPainter& painter, const RegionScene& scene, const QRect& dirty, NameLabels& labels, int zoom)
{
    const int height = QFontMetrics(painter.font()).height();
    const qreal scale = painter.device()->devicePixelRatioF();
    // Labels placed so far, by the band of rows they start in: one that meets another lies in a neighbouring band.
    std::unordered_map<int, std::vector<QRect>> placed;
    const auto place = [&](const RegionScene::Region& region, bool always) -> std::optional<QRect> {
        const QPoint corner = region.texels.topLeft() * zoom;
        // Above the corner, or inside the region clear of its edges where there is no room above.
        const bool above = corner.y() >= height + 1;
        const QPoint at = above ? corner - QPoint(0, height + 1) : corner + QPoint(1, 1);
        const QRect label(at, labels.For(region.name, painter.font(), scale).deviceIndependentSize().toSize());
        const int band = at.y() / height;
        for (int b = band - 1; !always && b <= band + 1; ++b)
            for (const QRect& other : placed[b])
                if (other.intersects(label))
                    return std::nullopt;
        placed[band].push_back(label);
        return label;
    };
    std::optional<QRect> pointed;
    if (scene.pointed && *scene.pointed < scene.entries.size())
        pointed = place(scene.entries[*scene.pointed], true);
    for (std::size_t i = 0; i < scene.entries.size(); ++i) {
        if (i == scene.pointed)
            continue;
        if (const std::optional<QRect> label = place(scene.entries[i], false); label && label->intersects(dirty))
            painter.drawPixmap(label->topLeft(), labels.For(scene.entries[i].name, painter.font(), scale));
    }
    if (pointed && pointed->intersects(dirty))
        painter.drawPixmap(pointed->topLeft(), labels.For(scene.entries[*scene.pointed].name, painter.font(), scale));
}

void PaintTexelGrid(QImage& image, QPoint topLeft, const TexelGrid& grid, QSize texels)
{
    const auto line = [](std::uint32_t& c) { c = 0xFF000000u | (((c >> 1) & 0x7F7F7Fu) + 0x404040u); };
    std::vector<int> columns; // the image's columns that start a texel of the texture
    for (int i = 0; i < image.width(); ++i) {
        const int x = grid.TexelX(topLeft.x() + i);
        if (x >= 0 && x < texels.width() && x != grid.TexelX(topLeft.x() + i - 1))
            columns.push_back(i);
    }
    const int first = std::max(0, grid.FirstDeviceX(0) - topLeft.x());
    const int end = std::min(image.width(), grid.FirstDeviceX(texels.width()) - topLeft.x());
    for (int j = 0; j < image.height(); ++j) {
        const int y = grid.TexelY(topLeft.y() + j);
        if (y < 0 || y >= texels.height())
            continue;
        auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(j));
        if (y != grid.TexelY(topLeft.y() + j - 1)) {
            for (int i = first; i < end; ++i)
                line(row[i]);
            continue;
        }
        for (int i : columns)
            line(row[i]);
    }
}

} // namespace ravelock
