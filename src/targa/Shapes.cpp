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

ShapeTexels::Row ShapeTexels::RowAt(int y) const
{
    const int band = y / PixelSurface::kBandRows;
    const std::size_t offset =
        static_cast<std::size_t>(y % PixelSurface::kBandRows) * static_cast<std::size_t>(Width());
    if (alpha_)
        return {.alphas = surface_.AlphaBand(band) ? surface_.AlphaBand(band) + offset : nullptr};
    return {.colours = surface_.Band(band) ? surface_.Band(band) + offset : nullptr, .key = key_};
}

// Eight texels at a time where they are all on the side being skipped.
int ShapeTexels::Row::Next(int x, int end, bool in) const
{
    if (alphas) {
        constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
        for (; x + 8 <= end; x += 8) {
            std::uint64_t word;
            std::memcpy(&word, alphas + x, 8);
            if (in ? word != 0 : ((word - kOnes) & ~word & kHighs) != 0)
                break;
        }
        while (x < end && (alphas[x] != 0) != in)
            ++x;
        return x;
    }
    if (!colours)
        return in ? end : x;
    const auto out = [key = key](std::uint32_t c) { return static_cast<int>(c == 0) | static_cast<int>(c == key); };
    // Compared four at a time: a lane is all ones where its texel is out of every shape.
    using Lanes = std::uint32_t __attribute__((vector_size(16)));
    for (; x + 8 <= end; x += 8) {
        Lanes low, high;
        std::memcpy(&low, colours + x, sizeof low);
        std::memcpy(&high, colours + x + 4, sizeof high);
        const auto outLow = (low == 0) | (low == key), outHigh = (high == 0) | (high == key);
        const auto all = outLow & outHigh, any = outLow | outHigh;
        std::uint64_t words[4];
        std::memcpy(words, &all, 16);
        std::memcpy(words + 2, &any, 16);
        if (in ? (words[0] & words[1]) != ~std::uint64_t{0} : (words[2] | words[3]) != 0)
            break;
    }
    while (x < end && (out(colours[x]) == 0) != in)
        ++x;
    return x;
}

std::optional<ShapeBox> ShapeAt(const ShapeTexels& texels, int x, int y)
{
    if (!texels.In(x, y))
        return std::nullopt;
    // A row's marks are made when the fill first reaches it: a small shape on a huge texture costs little.
    std::vector<std::vector<bool>> seen(static_cast<std::size_t>(texels.Height()));
    const auto visit = [&](int vx, int vy) {
        if (!texels.In(vx, vy))
            return false;
        std::vector<bool>& row = seen[static_cast<std::size_t>(vy)];
        if (row.empty())
            row.resize(static_cast<std::size_t>(texels.Width()));
        const auto at = static_cast<std::size_t>(vx);
        if (row[at])
            return false;
        row[at] = true;
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

struct Run {
    int first;
    int last;
    int label;
};

int Root(std::vector<int>& parent, int label)
{
    while (parent[static_cast<std::size_t>(label)] != label) {
        parent[static_cast<std::size_t>(label)] =
            parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(label)])];
        label = parent[static_cast<std::size_t>(label)];
    }
    return label;
}

bool ReadingOrder(const ShapeBox& l, const ShapeBox& r) { return std::pair(l.top, l.left) < std::pair(r.top, r.left); }

} // namespace

Shapes FindShapes(const ShapeTexels& texels, std::size_t runLimit, bool keepRuns)
{
    Shapes found;
    std::vector<int> parent;
    std::vector<ShapeRun> runs;  // their shape still a label
    std::vector<ShapeBox> boxes; // per label, merged into its root's
    std::vector<Run> above, here;
    const int width = texels.Width();
    for (int y = 0; y < texels.Height() && found.complete; ++y) {
        const ShapeTexels::Row row = texels.RowAt(y);
        here.clear();
        std::size_t a = 0; // the first run above that may still touch
        for (int x = row.Next(0, width, true); x < width; x = row.Next(x + 1, width, true)) {
            const int first = x;
            x = row.Next(x, width, false) - 1;
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
            if (keepRuns)
                runs.push_back({y, first, x, label});
        }
        std::swap(above, here);
    }
    std::vector<std::size_t> roots;
    for (std::size_t label = 0; label < parent.size(); ++label)
        if (parent[label] == static_cast<int>(label))
            roots.push_back(label);
    std::stable_sort(roots.begin(), roots.end(),
                     [&boxes](std::size_t l, std::size_t r) { return ReadingOrder(boxes[l], boxes[r]); });
    for (std::size_t root : roots)
        found.boxes.push_back(boxes[root]);
    if (keepRuns) {
        std::vector<int> index(parent.size());
        for (std::size_t i = 0; i < roots.size(); ++i)
            index[roots[i]] = static_cast<int>(i);
        for (ShapeRun& run : runs)
            run.shape = index[static_cast<std::size_t>(Root(parent, run.shape))];
        found.runs = std::move(runs);
    }
    return found;
}

std::optional<ShapeBox> TexelsWithin(const ShapeTexels& texels, ShapeBox area)
{
    const int left = std::max(area.left, 0), right = std::min(area.right, texels.Width() - 1);
    std::optional<ShapeBox> found;
    for (int y = std::max(area.top, 0); y <= std::min(area.bottom, texels.Height() - 1) && left <= right; ++y) {
        const ShapeTexels::Row row = texels.RowAt(y);
        const int first = row.Next(left, right + 1, true);
        if (first > right)
            continue;
        int last = first;
        for (int x = first; x <= right;) {
            const int out = row.Next(x, right + 1, false);
            last = out - 1;
            x = row.Next(out, right + 1, true);
        }
        if (!found)
            found = ShapeBox{first, y, last, y};
        found = ShapeBox{std::min(found->left, first), found->top, std::max(found->right, last), y};
    }
    return found;
}

std::vector<ShapeBox> JoinShapes(std::vector<ShapeBox> boxes, int distance)
{
    const auto gap = [](int firstEnd, int secondStart) { return std::max(0, secondStart - firstEnd - 1); };
    for (bool joined = distance > 0; joined;) {
        joined = false;
        std::sort(boxes.begin(), boxes.end(), [](const ShapeBox& l, const ShapeBox& r) { return l.left < r.left; });
        for (std::size_t i = 0; i < boxes.size(); ++i)
            for (std::size_t j = i + 1; j < boxes.size() && gap(boxes[i].right, boxes[j].left) < distance;) {
                ShapeBox& box = boxes[i];
                const ShapeBox& other = boxes[j];
                if (std::max(gap(box.bottom, other.top), gap(other.bottom, box.top)) >= distance) {
                    ++j;
                    continue;
                }
                box = {std::min(box.left, other.left), std::min(box.top, other.top), std::max(box.right, other.right),
                       std::max(box.bottom, other.bottom)};
                boxes.erase(boxes.begin() + static_cast<std::ptrdiff_t>(j));
                joined = true;
            }
    }
    std::stable_sort(boxes.begin(), boxes.end(), ReadingOrder);
    return boxes;
}

} // namespace targa
