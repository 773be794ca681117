#pragma once

#include "windows/picture/TexelGrid.h"

#include <QFont>
#include <QHash>
#include <QPixmap>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

class QImage;
class QPainter;

namespace ravelock {

// What is drawn over the picture, in texels: never into the painted surface.
struct RegionScene {
    struct Region {
        QRect texels; // both corners included
        QString name;
    };
    std::vector<Region> entries;
    std::vector<QRect> shapes;          // shapes no entry covers yet
    std::optional<QRect> pending;       // both corners set, not yet named
    std::optional<QPoint> firstCorner;  // set while the second corner is awaited
    std::optional<QPoint> keyboard;     // the texel picked with the keys
    std::optional<std::size_t> chosen;  // the entry chosen in the list, outlined apart
    std::vector<QRect> planned;         // entries a dialog would add
    std::optional<std::size_t> pointed; // the entry under the pointer, whose name always shows
    std::optional<QRect> adjusting;     // the entry being adjusted on the picture, with its eight handles

    bool Empty() const
    {
        return entries.empty() && shapes.empty() && !pending && !firstCorner && !keyboard && planned.empty() &&
               !adjusting;
    }
};

// The handles of a box being adjusted, as flags of the edges each moves; kMove for the whole box.
enum Handle { kLeft = 1, kTop = 2, kRight = 4, kBottom = 8, kMove = 15 };
// The handle at `point` (logical pixels of a picture at `zoom` of them a texel) of `box`, in texels; 0 for none.
int HandleAt(const QRect& box, QPointF point, int zoom);
// `box` with the edges of `handle` moved by `by` texels, kept within `bounds` and at least a texel.
QRect Dragged(const QRect& box, int handle, QPoint by, const QRect& bounds);

// Writes the outlines and marks into `image` (32-bit RGB), whose pixel (0, 0) is device
// pixel `topLeft`. An outline covers exactly the texels on its region's edge,
// in dashes of a dark and a light colour so that it shows on any texture.
void PaintOutlines(QImage& image, QPoint topLeft, const TexelGrid& grid, const RegionScene& scene);

// Thin lines between the texels of a texture `texels` in size, over the image as PaintOutlines takes it:
// each texel's first device column and row, halfway to grey.
void PaintTexelGrid(QImage& image, QPoint topLeft, const TexelGrid& grid, QSize texels);

// The names drawn once each, light on a dark box, for the scale they were drawn at.
class NameLabels {
public:
    const QPixmap& For(const QString& name, const QFont& font, qreal scale);

private:
    QHash<QString, QPixmap> drawn_;
    QFont font_;
    qreal scale_ = 0;
};

// Each entry's name above its top-left corner (inside it where there is no
// room above), where the label meets `dirty`, in the picture's logical pixels
// at `zoom` of them a texel. A name that would cover an earlier one is left
// out, unless it is the pointed entry's.
void PaintNames(QPainter& painter, const RegionScene& scene, const QRect& dirty, NameLabels& labels, int zoom);

} // namespace ravelock
