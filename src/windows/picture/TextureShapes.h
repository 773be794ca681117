#pragma once

#include "targa/PixelSurface.h"
#include "targa/Shapes.h"

#include <QObject>
#include <QPoint>
#include <QRect>

#include <future>
#include <optional>
#include <vector>

namespace ravelock {

// The open texture's shapes: searched for beside the window once the texture has painted, and told
// with Found; the window, its aids and its dialogs all ask here.
class TextureShapes final : public QObject {
    Q_OBJECT
public:
    explicit TextureShapes(const targa::PixelSurface& surface) : surface_(surface) {}
    ~TextureShapes() override; // waits for a search still running

    // Starts the search; the surface changes no more. `alpha`: the texture's alpha is transparency.
    void Search(bool alpha);
    // Every shape's box, in reading order; nothing until the search has ended.
    const std::vector<QRect>* All() const { return found_ ? &found_->boxes : nullptr; }
    // False where the search stopped at its limit of runs.
    bool Complete() const { return !found_ || found_->complete; }
    // The box of the shape holding `texel`, found at once.
    std::optional<QRect> At(QPoint texel) const;
    targa::ShapeTexels Texels() const { return targa::ShapeTexels(surface_, alpha_); }

signals:
    void Found();

private:
    struct Boxes {
        std::vector<QRect> boxes;
        bool complete = true;
    };
    const targa::PixelSurface& surface_;
    bool alpha_ = false;
    std::optional<Boxes> found_;
    std::future<void> search_;
};

} // namespace ravelock
