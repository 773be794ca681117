#include "windows/picture/TextureShapes.h"

#include <QApplication>

namespace ravelock {

namespace {

QRect ToRect(const targa::ShapeBox& box) { return QRect(QPoint(box.left, box.top), QPoint(box.right, box.bottom)); }

} // namespace

TextureShapes::~TextureShapes()
{
    if (search_.valid())
        search_.wait();
}

void TextureShapes::Search(bool alpha)
{
    alpha_ = alpha;
    found_.reset();
    search_ = std::async(std::launch::async, [this] {
        const targa::Shapes shapes = targa::FindShapes(Texels());
        Boxes boxes{.boxes = {}, .complete = shapes.complete};
        boxes.boxes.reserve(shapes.boxes.size());
        for (const targa::ShapeBox& box : shapes.boxes)
            boxes.boxes.push_back(ToRect(box));
        // Dropped unrun where this object has gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, boxes = std::move(boxes)]() mutable {
                found_ = std::move(boxes);
                emit Found();
            },
            Qt::QueuedConnection);
    });
}

std::optional<QRect> TextureShapes::At(QPoint texel) const
{
    QApplication::setOverrideCursor(Qt::BusyCursor); // a shape the size of a huge texture takes a moment
    const std::optional<targa::ShapeBox> box = targa::ShapeAt(Texels(), texel.x(), texel.y());
    QApplication::restoreOverrideCursor();
    return box ? std::optional(ToRect(*box)) : std::nullopt;
}

} // namespace ravelock
