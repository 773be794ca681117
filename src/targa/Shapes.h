#pragma once

#include "targa/PixelSurface.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace targa {

// A shape's bounds in texels, both corners included.
struct ShapeBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const ShapeBox&) const = default;
};

// Which texels make up shapes: in a texture with transparency those of alpha
// above 0, in any other those whose colour differs from the top-left texel's
// (the key colour of such atlases). Texels never painted belong to none.
class ShapeTexels {
public:
    ShapeTexels(const PixelSurface& surface, bool alpha);
    bool In(int x, int y) const; // false outside the texture

    // Row y's texels, read where the surface stores them.
    struct Row {
        const std::uint8_t* alphas = nullptr;   // with transparency: in where not 0
        const std::uint32_t* colours = nullptr; // without: in where neither 0 (never painted) nor the key
        std::uint32_t key = 0;
        // The first texel from `x` on that is (`in`) or is not (!`in`) in a shape, or `end`.
        int Next(int x, int end, bool in) const;
    };
    Row RowAt(int y) const;
    int Width() const { return surface_.Width(); }
    int Height() const { return surface_.Height(); }

private:
    const PixelSurface& surface_;
    bool alpha_;
    std::uint32_t key_;
};

// The box of the shape (8-connected: texels touching at a side or a corner)
// that holds texel (x, y); nothing where that texel is in none.
std::optional<ShapeBox> ShapeAt(const ShapeTexels& texels, int x, int y);

// The box of the shape texels inside `area` (clipped to the texture); nothing where it holds none.
std::optional<ShapeBox> TexelsWithin(const ShapeTexels& texels, ShapeBox area);

// Texels first to last of row y, all of one shape: its index in Shapes::boxes.
struct ShapeRun {
    int y = 0;
    int first = 0;
    int last = 0;
    int shape = 0;
};

struct Shapes {
    std::vector<ShapeBox> boxes; // ordered by their top row, then their left column
    bool complete = true;        // false where more than the limit of runs made the search stop
    std::vector<ShapeRun> runs;  // only when asked for: row by row, left to right
};

// Every shape's box, found row by row from runs of texels, keeping nothing of a
// texel but its run (and the runs themselves with `keepRuns`). Stops after
// `runLimit` runs, so that noise stays bounded.
Shapes FindShapes(const ShapeTexels& texels, std::size_t runLimit = std::size_t{1} << 20, bool keepRuns = false);

// Boxes whose gap (the texels between them across or down, 0 where they touch
// or overlap) is less than `distance` become one box, repeatedly; reading order.
std::vector<ShapeBox> JoinShapes(std::vector<ShapeBox> boxes, int distance);

} // namespace targa
