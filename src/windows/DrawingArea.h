#pragma once

#include "targa/PixelSurface.h"

#include <QWidget>

#include <functional>

namespace ravelock {

// The main window's client area: shows the persistent surface one texel per
// logical pixel and reports mouse presses in twips.
class DrawingArea final : public QWidget {
    Q_OBJECT
public:
    using PressHandler = std::function<void(int button, int shift, float x, float y)>;

    DrawingArea(targa::PixelSurface& surface, QWidget* parent);
    void OnPress(PressHandler handler) { onPress_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    targa::PixelSurface& surface_;
    PressHandler onPress_;
};

} // namespace ravelock
