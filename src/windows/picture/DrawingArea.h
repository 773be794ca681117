#pragma once

#include "targa/PixelSurface.h"
#include "windows/picture/RegionOverlay.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <optional>

class QMouseEvent;
class QPainter;
class QWindow;

namespace ravelock {

// Shows the persistent surface at a zoom of whole logical pixels a texel (1 at
// start), with the regions drawn over it when asked, and reports the texel
// under the pointer: pressed, moved over, or none when it leaves. With the
// keyboard focus, the arrow keys move a texel cursor (Shift: ten texels) and
// Space or Return press on it.
class DrawingArea final : public QWidget {
    Q_OBJECT
public:
    DrawingArea(const targa::PixelSurface& surface, QWidget* parent);
    // Outlines and names to draw over the picture; an empty scene draws none.
    void SetScene(RegionScene scene);
    // Texels of alpha 0 on a grey checkerboard instead of the background.
    void ShowTransparency(bool shown);
    // Thin lines between texels where a texel is 8 device pixels or more.
    void ShowTexelGrid(bool shown);
    // The texels shown: the texture's and the column and row just past it; none before a texture.
    void SetExtent(QSize texels);
    QSize Extent() const { return extent_; }
    void SetZoom(int zoom);
    int Zoom() const { return zoom_; }
    // Texels `rows` of the picture, in its logical pixels.
    QRect Shown(const QRect& texels) const;
    // The texel cursor of the keys, where the keys left it.
    std::optional<QPoint> KeyboardTexel() const { return scene_.keyboard; }
    // Gives the picture the keyboard with the keys' cursor on `texel`.
    void PickWithKeys(QPoint texel);
    // The texel shown on the device pixel that holds `inWindow` (logical pixels
    // from the window's origin), for an area whose origin is `areaOrigin`, on a
    // display of `scale` device pixels to the logical pixel, at `zoom`.
    static QPoint TexelAt(const QPointF& inWindow, const QPointF& areaOrigin, qreal scale, int zoom);

signals:
    // A click, or Space or Return on the keys' cursor.
    void TexelPressed(QPoint texel);
    // Shift with a click or Space takes the shape there; Ctrl with them grows to it.
    void ShapePressed(QPoint texel, bool grow);
    // The texel under the pointer or the keys' cursor; nothing once the pointer has left.
    void TexelHovered(std::optional<QPoint> texel);
    // The keys have moved their cursor, after TexelHovered.
    void KeyboardMoved(QPoint texel);
    // While an entry is adjusted, a press takes no corner: dragging a handle or the inside gives its new box.
    void Adjusted(QRect box);
    // Tab gave the picture the keyboard with no cursor of the keys on it yet.
    void KeysArrived();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Nothing shows the focus, so gaining or losing it repaints nothing; the
    // keys' cursor stays where it was for when the keys come back.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* /*event*/) override {}

private:
    QPoint TexelUnder(const QMouseEvent& event);
    void PaintBlocks(QPainter& painter, const QRect& dirty) const;
    void PaintDevicePixels(QPainter& painter, const QRect& dirty, qreal scale, const RegionScene& overlay) const;
    void SetKeyboardTexel(std::optional<QPoint> texel);
    void Press(QPoint texel, Qt::KeyboardModifiers modifiers);

    const targa::PixelSurface& surface_;
    RegionScene scene_; // with the texel cursor of the keys
    bool transparency_ = false;
    bool texelGrid_ = true;
    QSize extent_{0, 0};
    int zoom_ = 1;
    std::optional<QPoint> hover_; // the texel the pointer was over last
    NameLabels labels_;
    mutable QImage deviceImage_; // kept from one paint to the next
    QPointer<QWindow> window_;
    std::optional<QPointF> exact_;           // the last pointer position the window received
    std::optional<QPointF> pointerInWindow_; // where the pointer was over the picture last, in the window
    struct Drag {
        int handle;
        QPoint from; // the texel pressed
        QRect box;   // as it was then
    };
    std::optional<Drag> drag_;
};

} // namespace ravelock
