#pragma once

#include "targa/PixelSurface.h"

#include <QWidget>

#include <optional>

namespace ravelock {

// The texels around one texel, enlarged on a grid, with that texel outlined
// and its coordinates and stored colour written below.
class Magnifier final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTexels = 15; // across and down
    // Device pixels a texel, the grid line included: 8 a logical pixel, whole.
    int Cell() const;

    Magnifier(const targa::PixelSurface& surface, QWidget* parent);
    // Nothing shows an empty grid.
    void Centre(std::optional<QPoint> texel);
    // The centre texel's coordinates, stored colour and alpha, as written below the grid.
    QString Readout() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int GridSide() const; // in logical pixels

    const targa::PixelSurface& surface_;
    std::optional<QPoint> centre_;
};

} // namespace ravelock
