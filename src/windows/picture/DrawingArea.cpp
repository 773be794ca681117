#include "windows/picture/DrawingArea.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

#include <cmath>
#include <map>
#include <vector>

namespace ravelock {

namespace {

// The device pixel that holds a position given in logical pixels; the small
// allowance keeps an exact device position from falling into the pixel before.
int DevicePixelAt(qreal logical, qreal scale) { return static_cast<int>(std::floor(logical * scale + 1e-6)); }

} // namespace

QPoint DrawingArea::TexelAt(const QPointF& inWindow, const QPointF& areaOrigin, qreal scale, int zoom)
{
    const TexelGrid grid{areaOrigin * scale, scale * zoom};
    return {grid.TexelX(DevicePixelAt(inWindow.x(), scale)), grid.TexelY(DevicePixelAt(inWindow.y(), scale))};
}

DrawingArea::DrawingArea(const targa::PixelSurface& surface, QWidget* parent) : QWidget(parent), surface_(surface)
{
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingArea::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const qreal scale = devicePixelRatioF();
    if (zoom_ == 1 && scale == std::floor(scale) && scene_.Empty() && !transparency_) {
        // Unpainted pixels are transparent in the surface: the background shows.
        painter.fillRect(event->rect(), palette().window());
        PaintBlocks(painter, event->rect());
    } else {
        PaintDevicePixels(painter, event->rect(), scale, scene_);
    }
    PaintNames(painter, scene_, event->rect(), labels_, zoom_);
}

void DrawingArea::ShowTexelGrid(bool shown)
{
    texelGrid_ = shown;
    update();
}

void DrawingArea::SetExtent(QSize texels)
{
    extent_ = texels;
    setFixedSize(texels * zoom_);
}

void DrawingArea::SetZoom(int zoom)
{
    zoom_ = zoom;
    setFixedSize(extent_ * zoom_);
    update();
}

QRect DrawingArea::Shown(const QRect& texels) const { return QRect(texels.topLeft() * zoom_, texels.size() * zoom_); }

void DrawingArea::PickWithKeys(QPoint texel)
{
    setFocus(Qt::OtherFocusReason);
    SetKeyboardTexel(texel);
    emit TexelHovered(texel);
    emit KeyboardMoved(texel);
}

void DrawingArea::ShowTransparency(bool shown)
{
    transparency_ = shown;
    update();
}

void DrawingArea::SetScene(RegionScene scene)
{
    scene.keyboard = scene_.keyboard;
    const bool shown = !scene_.Empty() || !scene.Empty();
    scene_ = std::move(scene);
    if (shown)
        update();
}

// At a whole scale every texel is a block of whole device pixels, and Qt's own
// drawing puts each where the device-pixel rule does.
void DrawingArea::PaintBlocks(QPainter& painter, const QRect& dirty) const
{
    const int rows = targa::PixelSurface::kBandRows;
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

// At a fractional scale texels cover two or three device pixels, and where a
// scaled drawing would put their edges depends on the part repainted; so each
// device pixel is filled here by the device-pixel rule, which clicks use too.
// Outlines are drawn on the same device pixels.
void DrawingArea::PaintDevicePixels(QPainter& painter, const QRect& dirty, qreal scale,
                                    const RegionScene& overlay) const
{
    const QPointF origin = painter.deviceTransform().map(QPointF(0, 0));
    const TexelGrid grid{origin, scale * zoom_};
    const QRect device = painter.deviceTransform().mapRect(QRectF(dirty)).toAlignedRect();
    // Opaque, in the backing store's own layout, so that drawing it is a copy.
    if (deviceImage_.size() != device.size())
        deviceImage_ = QImage(device.size(), QImage::Format_RGB32);
    QImage& image = deviceImage_;
    const std::uint32_t background = palette().window().color().rgb();
    // The device pixels that show a column of the surface, and the texel each shows.
    std::vector<int> columns(static_cast<std::size_t>(device.width()));
    int first = device.width(), end = 0;
    for (int i = 0; i < device.width(); ++i) {
        const int x = grid.TexelX(device.left() + i);
        columns[static_cast<std::size_t>(i)] = x;
        if (x >= 0 && x < surface_.Width())
            std::tie(first, end) = std::pair(std::min(first, i), i + 1);
    }
    const int rows = targa::PixelSurface::kBandRows;
    for (int j = 0; j < device.height(); ++j) {
        auto* out = reinterpret_cast<std::uint32_t*>(image.scanLine(j));
        const int y = grid.TexelY(device.top() + j);
        if (j > 0 && y == grid.TexelY(device.top() + j - 1)) { // the same texels as the row above
            std::copy_n(out - image.bytesPerLine() / 4, device.width(), out);
            continue;
        }
        const std::uint32_t* band = y >= 0 && y < surface_.Height() ? surface_.Band(y / rows) : nullptr;
        if (!band || first >= end) {
            std::fill(out, out + device.width(), background);
            continue;
        }
        const std::uint32_t* texels =
            band + static_cast<std::size_t>(y % rows) * static_cast<std::size_t>(surface_.Width());
        std::fill(out, out + first, background);
        // Stored R, G, B, A bytes, or 0 where nothing was painted.
        const auto shown = [background](std::uint32_t v) {
            return v ? 0xFF000000u | (v & 0xFFu) << 16 | (v & 0xFF00u) | (v >> 16 & 0xFFu) : background;
        };
        if (scale * zoom_ == 1) { // one device pixel a texel: a straight run that vectorises
            const std::uint32_t* from = texels + columns[static_cast<std::size_t>(first)] - first;
            for (int i = first; i < end; ++i)
                out[i] = shown(from[i]);
        } else {
            for (int i = first; i < end; ++i)
                out[i] = shown(texels[columns[static_cast<std::size_t>(i)]]);
        }
        std::fill(out + end, out + device.width(), background);
        if (transparency_) {
            const std::uint8_t* alphas = surface_.AlphaBand(y / rows) + (texels - band);
            for (int i = first; i < end; ++i) {
                const int x = columns[static_cast<std::size_t>(i)];
                if (alphas[x] == 0)
                    out[i] = (x / 4 + y / 4) % 2 ? 0xFFCCCCCCu : 0xFF999999u;
            }
        }
    }
    if (texelGrid_ && scale * zoom_ >= 8 && first < end)
        PaintTexelGrid(image, device.topLeft(), grid, QSize(surface_.Width(), surface_.Height()));
    if (!overlay.Empty())
        PaintOutlines(image, device.topLeft(), grid, overlay);
    painter.save();
    painter.setClipRect(dirty);
    image.setDevicePixelRatio(scale);
    painter.drawImage(QPointF((device.left() - origin.x()) / scale, (device.top() - origin.y()) / scale), image);
    painter.restore();
}

// The window receives the pointer's exact position, a fraction of a logical
// pixel on a scaled display; its widgets get it rounded to whole logical pixels.
void DrawingArea::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (QWindow* shown = window()->windowHandle(); shown != window_) {
        if (window_)
            window_->removeEventFilter(this);
        window_ = shown;
        window_->installEventFilter(this);
    }
}

bool DrawingArea::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (watched == window_)
            exact_ = static_cast<QMouseEvent*>(event)->position();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

QPoint DrawingArea::TexelUnder(const QMouseEvent& event)
{
    QPointF inWindow = mapTo(window(), event.position());
    // Only the window's record of this very event: one the window never saw
    // (sent straight to this widget) keeps its own position.
    if (exact_ && std::abs(exact_->x() - inWindow.x()) <= 0.5 && std::abs(exact_->y() - inWindow.y()) <= 0.5)
        inWindow = *exact_;
    exact_.reset();
    pointerInWindow_ = inWindow;
    return TexelAt(inWindow, mapTo(window(), QPointF(0, 0)), devicePixelRatioF(), zoom_);
}

// A scroll moves the picture under a pointer that stays where it is.
void DrawingArea::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (!pointerInWindow_ || scene_.keyboard)
        return;
    const QPoint texel = TexelAt(*pointerInWindow_, mapTo(window(), QPointF(0, 0)), devicePixelRatioF(), zoom_);
    if (!visibleRegion().contains(texel * zoom_))
        return;
    hover_ = texel;
    emit TexelHovered(texel);
}

void DrawingArea::mousePressEvent(QMouseEvent* event)
{
    const QPoint texel = TexelUnder(*event);
    hover_ = texel; // the keys go on from here
    SetKeyboardTexel(std::nullopt);
    if (scene_.adjusting) {
        if (const int handle = HandleAt(*scene_.adjusting, event->position(), zoom_))
            drag_ = Drag{handle, texel, *scene_.adjusting};
        return;
    }
    Press(texel, event->modifiers());
}

void DrawingArea::mouseReleaseEvent(QMouseEvent* /*event*/) { drag_.reset(); }

void DrawingArea::Press(QPoint texel, Qt::KeyboardModifiers modifiers)
{
    if (scene_.adjusting)
        return;
    if (modifiers & Qt::ShiftModifier)
        emit ShapePressed(texel, modifiers & Qt::ControlModifier);
    else
        emit TexelPressed(texel);
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint texel = TexelUnder(*event);
    if (drag_ && scene_.adjusting) {
        const QRect box = Dragged(drag_->box, drag_->handle, texel - drag_->from, QRect(QPoint(0, 0), extent_));
        if (box != *scene_.adjusting)
            emit Adjusted(box);
    }
    if (scene_.adjusting && !drag_) {
        static const std::map<int, Qt::CursorShape> shapes = {{0, Qt::CrossCursor},
                                                              {kMove, Qt::SizeAllCursor},
                                                              {kLeft, Qt::SizeHorCursor},
                                                              {kRight, Qt::SizeHorCursor},
                                                              {kTop, Qt::SizeVerCursor},
                                                              {kBottom, Qt::SizeVerCursor},
                                                              {kLeft | kTop, Qt::SizeFDiagCursor},
                                                              {kRight | kBottom, Qt::SizeFDiagCursor},
                                                              {kRight | kTop, Qt::SizeBDiagCursor},
                                                              {kLeft | kBottom, Qt::SizeBDiagCursor}};
        setCursor(shapes.at(HandleAt(*scene_.adjusting, event->position(), zoom_)));
    } else if (!scene_.adjusting) {
        setCursor(Qt::CrossCursor);
    }
    if (!QRect(QPoint(0, 0), extent_).contains(texel))
        return;
    hover_ = texel;
    SetKeyboardTexel(std::nullopt); // the mouse takes over
    emit TexelHovered(texel);
}

// The keys go on from the last texel the pointer was over.
void DrawingArea::leaveEvent(QEvent* /*event*/)
{
    pointerInWindow_.reset();
    if (!scene_.keyboard)
        emit TexelHovered(std::nullopt);
}

void DrawingArea::keyPressEvent(QKeyEvent* event)
{
    const std::optional<QPoint> from = scene_.keyboard ? scene_.keyboard : hover_;
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    QPoint by;
    switch (event->key()) {
    case Qt::Key_Left:
        by = {-step, 0};
        break;
    case Qt::Key_Right:
        by = {step, 0};
        break;
    case Qt::Key_Up:
        by = {0, -step};
        break;
    case Qt::Key_Down:
        by = {0, step};
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (from)
            Press(*from, event->modifiers());
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    // The column and row just past the texture can be taken, as by a click.
    const QPoint to = from ? *from + by : QPoint();
    SetKeyboardTexel(QPoint(std::clamp(to.x(), 0, std::max(0, extent_.width() - 1)),
                            std::clamp(to.y(), 0, std::max(0, extent_.height() - 1))));
    const QPoint texel = *scene_.keyboard;
    emit TexelHovered(texel);
    emit KeyboardMoved(texel);
}

void DrawingArea::focusInEvent(QFocusEvent* event)
{
    const bool tabbed = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (tabbed && !scene_.keyboard && !extent_.isEmpty())
        emit KeysArrived();
}

void DrawingArea::SetKeyboardTexel(std::optional<QPoint> texel)
{
    if (texel == scene_.keyboard)
        return;
    // The cursor's ring lies just outside its texel.
    for (const std::optional<QPoint>& changed : {scene_.keyboard, texel})
        if (changed)
            update(Shown(QRect(*changed - QPoint(1, 1), QSize(3, 3))));
    scene_.keyboard = texel;
}

} // namespace ravelock
