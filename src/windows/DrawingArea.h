#pragma once

#include "targa/PixelSurface.h"

#include <QWidget>

#include <functional>

namespace ravelock {

// Shows the persistent surface one texel per logical pixel and reports the
// texel under the pointer: pressed, moved over, or none when it leaves.
class DrawingArea final : public QWidget {
    Q_OBJECT
public:
    using TexelHandler = std::function<void(int x, int y)>;

    DrawingArea(const targa::PixelSurface& surface, QWidget* parent);
    void OnPress(TexelHandler handler) { onPress_ = std::move(handler); }
    // Called with (-1, -1) when the pointer leaves.
    void OnMove(TexelHandler handler) { onMove_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    const targa::PixelSurface& surface_;
    TexelHandler onPress_;
    TexelHandler onMove_;
};

} // namespace ravelock
