#include "targa/Shapes.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace targa {

ShapeTexels::ShapeTexels(const PixelSurface& surface, bool alpha)
    : surface_(surface), alpha_(alpha), key_(surface.Stored(0, 0))
{
}

bool ShapeTexels::In(int x, int y) const
{
    if (alpha_)
        return surface_.Alpha(x, y) > 0;
    const std::uint32_t stored = surface_.Stored(x, y);
    return stored != 0 && stored != key_;
}

const std::uint8_t* ShapeTexels::Row(int y, std::vector<std::uint8_t>& scratch) const
{
    const int width = surface_.Width();
    const int band = y / PixelSurface::kBandRows;
    const std::size_t offset = static_cast<std::size_t>(y % PixelSurface::kBandRows) * static_cast<std::size_t>(width);
    if (alpha_ && surface_.AlphaBand(band))
        return surface_.AlphaBand(band) + offset;
    scratch.assign(static_cast<std::size_t>(width), 0);
    if (const std::uint32_t* stored = alpha_ ? nullptr : surface_.Band(band)) {
        const std::uint32_t key = key_;
        std::transform(stored + offset, stored + offset + width, scratch.begin(),
                       [key](std::uint32_t s) { return s != 0 && s != key; });
    }
    return scratch.data();
}

std::optional<ShapeBox> ShapeAt(const ShapeTexels& texels, int x, int y)
{
    if (!texels.In(x, y))
        return std::nullopt;
    const int width = texels.Width();
    std::vector<bool> seen(static_cast<std::size_t>(width) * static_cast<std::size_t>(texels.Height()));
    const auto visit = [&](int vx, int vy) {
        if (!texels.In(vx, vy))
            return false;
        const std::size_t at = static_cast<std::size_t>(vy) * static_cast<std::size_t>(width) + static_cast<std::size_t>(vx);
        if (seen[at])
            return false;
        seen[at] = true;
        return true;
    };
    ShapeBox box{x, y, x, y};
    std::vector<std::pair<int, int>> seeds{{x, y}};
    visit(x, y);
    while (!seeds.empty()) {
        const auto [sx, sy] = seeds.back();
        seeds.pop_back();
        // The run through the seed, then every texel touching it in the rows above and below.
        int left = sx, right = sx;
        while (visit(left - 1, sy))
            --left;
        while (visit(right + 1, sy))
            ++right;
        box = {std::min(box.left, left), std::min(box.top, sy), std::max(box.right, right), std::max(box.bottom, sy)};
        for (int ny : {sy - 1, sy + 1})
            for (int nx = left - 1; nx <= right + 1; ++nx)
                if (visit(nx, ny))
                    seeds.emplace_back(nx, ny);
    }
    return box;
}

namespace {

// The first texel from `x` on whose byte is (`in`) or is not (!`in`) 0, or `end`; eight at a time where it can.
int Next(const std::uint8_t* row, int x, int end, bool in)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
    for (; x + 8 <= end; x += 8) {
        std::uint64_t word;
        std::memcpy(&word, row + x, 8);
        const bool stop = in ? word != 0 : ((word - kOnes) & ~word & kHighs) != 0;
        if (stop)
            break;
    }
    while (x < end && (row[x] != 0) != in)
        ++x;
    return x;
}

struct Run {
    int first;
    int last;
    int label;
};

int Root(std::vector<int>& parent, int label)
{
    while (parent[static_cast<std::size_t>(label)] != label) {
        parent[static_cast<std::size_t>(label)] = parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(label)])];
        label = parent[static_cast<std::size_t>(label)];
    }
    return label;
}

} // namespace

Shapes FindShapes(const ShapeTexels& texels, std::size_t runLimit)
{
    Shapes found;
    std::vector<int> parent;
    std::vector<ShapeBox> boxes; // per label, merged into its root's
    std::vector<Run> above, here;
    std::vector<std::uint8_t> scratch;
    const int width = texels.Width();
    for (int y = 0; y < texels.Height() && found.complete; ++y) {
        const std::uint8_t* in = texels.Row(y, scratch);
        here.clear();
        std::size_t a = 0; // the first run above that may still touch
        for (int x = Next(in, 0, width, true); x < width; x = Next(in, x + 1, width, true)) {
            const int first = x;
            x = Next(in, x, width, false) - 1;
            if (parent.size() == runLimit) {
                found.complete = false;
                break;
            }
            const int label = static_cast<int>(parent.size());
            parent.push_back(label);
            boxes.push_back({first, y, x, y});
            while (a < above.size() && above[a].last < first - 1)
                ++a;
            // Runs above that touch this one, at a side or a corner, are the same shape.
            for (std::size_t b = a; b < above.size() && above[b].first <= x + 1; ++b) {
                const int r1 = Root(parent, above[b].label), r2 = Root(parent, label);
                if (r1 == r2)
                    continue;
                const int root = std::min(r1, r2), other = std::max(r1, r2);
                parent[static_cast<std::size_t>(other)] = root;
                ShapeBox& box = boxes[static_cast<std::size_t>(root)];
                const ShapeBox& merged = boxes[static_cast<std::size_t>(other)];
                box = {std::min(box.left, merged.left), std::min(box.top, merged.top),
                       std::max(box.right, merged.right), std::max(box.bottom, merged.bottom)};
            }
            here.push_back({first, x, label});
        }
        std::swap(above, here);
    }
    for (std::size_t label = 0; label < parent.size(); ++label)
        if (parent[label] == static_cast<int>(label))
            found.boxes.push_back(boxes[label]);
    std::stable_sort(found.boxes.begin(), found.boxes.end(),
                     [](const ShapeBox& l, const ShapeBox& r) { return std::pair(l.top, l.left) < std::pair(r.top, r.left); });
    return found;
}

} // namespace targa
