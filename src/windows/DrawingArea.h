#pragma once

#include "targa/PixelSurface.h"
#include "windows/RegionOverlay.h"

#include <QImage>
#include <QPointer>
#include <QScrollArea>
#include <QWidget>

#include <functional>
#include <optional>

class QMouseEvent;
class QPainter;
class QWindow;

namespace ravelock {

// Shows the persistent surface one texel per logical pixel, with the regions
// drawn over it when asked, and reports the texel under the pointer: pressed,
// moved over, or none when it leaves. With the keyboard focus, the arrow keys
// move a texel cursor (Shift: ten texels) and Space or Return press on it.
class DrawingArea final : public QWidget {
    Q_OBJECT
public:
    using TexelHandler = std::function<void(int x, int y)>;

    DrawingArea(const targa::PixelSurface& surface, QWidget* parent);
    void OnPress(TexelHandler handler) { onPress_ = std::move(handler); }
    // Called with (-1, -1) when the pointer leaves; the keys move it too.
    void OnMove(TexelHandler handler) { onMove_ = std::move(handler); }
    // Called when the keys have moved the texel cursor, after OnMove.
    void OnKeyMove(TexelHandler handler) { onKeyMove_ = std::move(handler); }
    // Outlines and names to draw over the picture; an empty scene draws none.
    void SetScene(RegionScene scene);

    // The texel shown on the device pixel that holds `inWindow` (logical pixels
    // from the window's origin), for an area whose origin is `areaOrigin`, on a
    // display of `scale` device pixels to the logical pixel.
    static QPoint TexelAt(const QPointF& inWindow, const QPointF& areaOrigin, qreal scale);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Nothing shows the focus, so gaining or losing it repaints nothing; the
    // keys' cursor stays where it was for when the keys come back.
    void focusInEvent(QFocusEvent* /*event*/) override {}
    void focusOutEvent(QFocusEvent* /*event*/) override {}

private:
    QPoint TexelUnder(const QMouseEvent& event);
    void PaintBlocks(QPainter& painter, const QRect& dirty) const;
    void PaintDevicePixels(QPainter& painter, const QRect& dirty, qreal scale, const RegionScene& overlay) const;
    void SetKeyboardTexel(std::optional<QPoint> texel);

    const targa::PixelSurface& surface_;
    TexelHandler onPress_;
    TexelHandler onMove_;
    TexelHandler onKeyMove_;
    RegionScene scene_; // with the texel cursor of the keys
    std::optional<QPoint> hover_; // the texel the pointer was over last
    NameLabels labels_;
    mutable QImage deviceImage_; // kept from one paint to the next
    QPointer<QWindow> window_;
    std::optional<QPointF> exact_; // the last pointer position the window received
};

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
