// ravelock remap: carries a map to a texture whose shapes a packer has moved.
#include "app/BatchSupport.h"

#include "workspace/MapDocument.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <span>
#include <unordered_map>

namespace ravelock::batch {

namespace {

// The shapes of a texture with the runs of texels that make them up.
class ShapeIndex {
public:
    explicit ShapeIndex(const Texture& texture);

    std::size_t Count() const { return shapes_.boxes.size(); }
    QPoint TopLeft(std::size_t shape) const { return {shapes_.boxes[shape].left, shapes_.boxes[shape].top}; }
    // A digest of the shape's size, and of its texels' places in its box, colours and alphas.
    std::uint64_t Digest(std::size_t shape) const { return digests_[shape]; }
    // Whether `shape` and `theirs` of `other` hold the same texels in the same places of boxes of one size.
    bool Same(std::size_t shape, const ShapeIndex& other, std::size_t theirs) const;
    // The shapes with a texel inside `box`, in order.
    std::vector<std::size_t> Within(QRect box) const;

private:
    std::span<const targa::ShapeRun> RunsOf(std::size_t shape) const
    {
        return std::span(byShape_).subspan(shapeStart_[shape], shapeStart_[shape + 1] - shapeStart_[shape]);
    }
    std::size_t RowOffset(int y) const
    {
        return static_cast<std::size_t>(y % targa::PixelSurface::kBandRows) * static_cast<std::size_t>(width_);
    }
    const std::uint32_t* Colours(int y) const
    {
        return surface_.Band(y / targa::PixelSurface::kBandRows) + RowOffset(y);
    }
    const std::uint8_t* Alphas(int y) const
    {
        return surface_.AlphaBand(y / targa::PixelSurface::kBandRows) + RowOffset(y);
    }

    const targa::PixelSurface& surface_;
    int width_;
    targa::Shapes shapes_;
    std::vector<targa::ShapeRun> byShape_; // grouped by shape, each shape's in row order
    std::vector<std::size_t> shapeStart_;  // where each shape's runs start in byShape_, and the end
    std::vector<std::size_t> rowStart_;    // where each row's runs start in shapes_.runs, and the end
    std::vector<std::uint64_t> digests_;
};

ShapeIndex::ShapeIndex(const Texture& texture)
    : surface_(texture.surface), width_(texture.surface.Width()),
      shapes_(targa::FindShapes(texture.Texels(), std::size_t{1} << 20, true))
{
    if (!shapes_.complete)
        throw Refused{texture.path, QStringLiteral("it holds more runs of texels than the shape search follows")};
    const auto starts = [](std::vector<std::size_t>& start, std::size_t count, auto key, const auto& runs) {
        start.assign(count + 1, 0);
        for (const targa::ShapeRun& run : runs)
            ++start[static_cast<std::size_t>(key(run)) + 1];
        std::partial_sum(start.begin(), start.end(), start.begin());
    };
    starts(
        shapeStart_, Count(), [](const targa::ShapeRun& run) { return run.shape; }, shapes_.runs);
    starts(
        rowStart_, static_cast<std::size_t>(texture.height), [](const targa::ShapeRun& run) { return run.y; },
        shapes_.runs);
    byShape_.resize(shapes_.runs.size());
    std::vector<std::size_t> next(shapeStart_.begin(), shapeStart_.end() - 1);
    for (const targa::ShapeRun& run : shapes_.runs)
        byShape_[next[static_cast<std::size_t>(run.shape)]++] = run;
    digests_.resize(Count());
    for (std::size_t shape = 0; shape < Count(); ++shape) {
        const targa::ShapeBox& box = shapes_.boxes[shape];
        std::uint64_t digest = 0xcbf29ce484222325u;
        const auto mix = [&digest](std::uint64_t value) { digest = (digest ^ value) * 0x100000001b3u; };
        mix(static_cast<std::uint64_t>(box.right - box.left) << 32 | static_cast<std::uint32_t>(box.bottom - box.top));
        for (const targa::ShapeRun& run : RunsOf(shape)) {
            mix(static_cast<std::uint64_t>(run.y - box.top) << 32 | static_cast<std::uint32_t>(run.first - box.left));
            mix(static_cast<std::uint64_t>(run.last - run.first));
            const std::uint32_t* colours = Colours(run.y);
            const std::uint8_t* alphas = Alphas(run.y);
            for (int x = run.first; x <= run.last; ++x)
                mix(static_cast<std::uint64_t>(colours[x]) << 8 | alphas[x]);
        }
        digests_[shape] = digest;
    }
}

bool ShapeIndex::Same(std::size_t shape, const ShapeIndex& other, std::size_t theirs) const
{
    const targa::ShapeBox &mine = shapes_.boxes[shape], &box = other.shapes_.boxes[theirs];
    const auto runs = RunsOf(shape), otherRuns = other.RunsOf(theirs);
    if (mine.right - mine.left != box.right - box.left || mine.bottom - mine.top != box.bottom - box.top ||
        runs.size() != otherRuns.size())
        return false;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const targa::ShapeRun &a = runs[i], &b = otherRuns[i];
        const auto length = static_cast<std::size_t>(a.last - a.first + 1);
        if (a.y - mine.top != b.y - box.top || a.first - mine.left != b.first - box.left)
            return false;
        if (b.last - b.first != a.last - a.first)
            return false;
        if (std::memcmp(Colours(a.y) + a.first, other.Colours(b.y) + b.first, sizeof(std::uint32_t) * length) ||
            std::memcmp(Alphas(a.y) + a.first, other.Alphas(b.y) + b.first, length))
            return false;
    }
    return true;
}

std::vector<std::size_t> ShapeIndex::Within(QRect box) const
{
    box &= QRect(0, 0, width_, static_cast<int>(rowStart_.size()) - 1);
    std::vector<std::size_t> found;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const auto first = shapes_.runs.begin() + static_cast<std::ptrdiff_t>(rowStart_[static_cast<std::size_t>(y)]);
        const auto end = shapes_.runs.begin() + static_cast<std::ptrdiff_t>(rowStart_[static_cast<std::size_t>(y) + 1]);
        auto run = std::partition_point(first, end, [&box](const targa::ShapeRun& r) { return r.last < box.left(); });
        for (; run != end && run->first <= box.right(); ++run)
            found.push_back(static_cast<std::size_t>(run->shape));
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

struct Outcome {
    enum Kind { Moved, Unchanged, NotFound, Several } kind;
    QString why;               // NotFound: why not
    std::vector<Entry> places; // Moved and Unchanged: the one place; Several: every one
};

Entry Shifted(const Entry& entry, QPoint by)
{
    return {entry.name, entry.left + by.x(), entry.top + by.y(), entry.right + by.x(), entry.bottom + by.y()};
}

// Where every shape of the old texture went. Shapes identical within a texture form a class; where the old and
// the new texture hold classes of the same size, their shapes are paired, a shape that did not move with itself
// first, the rest in reading order, so each has one offset. Otherwise a shape may have gone to any of its twins.
class Twins {
public:
    Twins(const ShapeIndex& before, const ShapeIndex& after) : before_(before), after_(after), offsets_(before.Count())
    {
        for (std::size_t shape = 0; shape < before.Count(); ++shape)
            beforeByDigest_[before.Digest(shape)].push_back(shape);
        for (std::size_t shape = 0; shape < after.Count(); ++shape)
            afterByDigest_[after.Digest(shape)].push_back(shape);
    }

    const std::vector<QPoint>& Offsets(std::size_t shape)
    {
        if (!offsets_[shape])
            Pair(shape);
        return *offsets_[shape];
    }

private:
    // The shapes of `index` that are the same as `shape` of the old texture, in reading order.
    std::vector<std::size_t> Class(std::size_t shape, const ShapeIndex& index,
                                   const std::unordered_map<std::uint64_t, std::vector<std::size_t>>& byDigest) const
    {
        std::vector<std::size_t> same;
        if (const auto found = byDigest.find(before_.Digest(shape)); found != byDigest.end())
            for (std::size_t other : found->second)
                if (before_.Same(shape, index, other))
                    same.push_back(other);
        const auto reading = [&index](std::size_t l, std::size_t r) {
            return std::pair(index.TopLeft(l).y(), index.TopLeft(l).x()) <
                   std::pair(index.TopLeft(r).y(), index.TopLeft(r).x());
        };
        std::sort(same.begin(), same.end(), reading);
        return same;
    }

    void Pair(std::size_t shape)
    {
        std::vector<std::size_t> mine = Class(shape, before_, beforeByDigest_);
        std::vector<std::size_t> theirs = Class(shape, after_, afterByDigest_);
        for (std::size_t m : mine)
            offsets_[m].emplace();
        if (mine.size() != theirs.size()) {
            for (std::size_t m : mine)
                for (std::size_t t : theirs)
                    offsets_[m]->push_back(after_.TopLeft(t) - before_.TopLeft(m));
            return;
        }
        for (auto m = mine.begin(); m != mine.end();) { // the shapes that did not move
            const auto t = std::find_if(theirs.begin(), theirs.end(),
                                        [&](std::size_t t) { return after_.TopLeft(t) == before_.TopLeft(*m); });
            if (t == theirs.end()) {
                ++m;
                continue;
            }
            offsets_[*m]->push_back(QPoint());
            theirs.erase(t);
            m = mine.erase(m);
        }
        for (std::size_t i = 0; i < mine.size(); ++i)
            offsets_[mine[i]]->push_back(after_.TopLeft(theirs[i]) - before_.TopLeft(mine[i]));
    }

    const ShapeIndex& before_;
    const ShapeIndex& after_;
    std::vector<std::optional<std::vector<QPoint>>> offsets_;
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> beforeByDigest_, afterByDigest_;
};

Outcome Place(const Entry& entry, const ShapeIndex& before, Twins& twins, const Texture& fresh)
{
    const std::vector<std::size_t> shapes = before.Within(entry.Box());
    if (shapes.empty())
        return {Outcome::NotFound, QStringLiteral("on no shape"), {}};
    // The offsets by which every shape under the entry moved alike.
    std::vector<QPoint> common = twins.Offsets(shapes.front());
    const auto order = [](QPoint l, QPoint r) { return std::pair(l.x(), l.y()) < std::pair(r.x(), r.y()); };
    std::sort(common.begin(), common.end(), order);
    for (std::size_t i = 1; i < shapes.size() && !common.empty(); ++i) {
        std::vector<QPoint> offsets = twins.Offsets(shapes[i]), both;
        std::sort(offsets.begin(), offsets.end(), order);
        std::set_intersection(common.begin(), common.end(), offsets.begin(), offsets.end(), std::back_inserter(both),
                              order);
        common = std::move(both);
    }
    const QString freshName = QFileInfo(fresh.path).fileName();
    if (common.empty())
        return {Outcome::NotFound,
                shapes.size() == 1 ? QStringLiteral("its shape is not in %1").arg(freshName)
                                   : QStringLiteral("its shapes did not move alike"),
                {}};
    std::vector<Entry> places;
    for (QPoint offset : common) {
        const Entry moved = Shifted(entry, offset);
        if (std::min({moved.left, moved.top, moved.right, moved.bottom}) >= 0 &&
            std::max(moved.left, moved.right) <= fresh.width && std::max(moved.top, moved.bottom) <= fresh.height)
            places.push_back(moved);
    }
    if (places.empty())
        return {Outcome::NotFound, QStringLiteral("it would leave %1").arg(freshName), {}};
    if (places.size() > 1)
        return {Outcome::Several, QString(), places};
    return {places.front() == entry ? Outcome::Unchanged : Outcome::Moved, QString(), places};
}

QString Corner(const Entry& entry) { return QStringLiteral("%1, %2").arg(entry.left).arg(entry.top); }

QString Line(const Entry& entry, const Outcome& outcome)
{
    switch (outcome.kind) {
    case Outcome::Moved:
        return QStringLiteral("%1 -> %2").arg(Corner(entry), Corner(outcome.places.front()));
    case Outcome::Unchanged:
        return QStringLiteral("unchanged");
    case Outcome::NotFound:
        return QStringLiteral("not found (%1)").arg(outcome.why);
    case Outcome::Several:
        break;
    }
    QStringList places;
    for (const Entry& place : outcome.places)
        places << Corner(place);
    return QStringLiteral("found in %1 places: %2").arg(outcome.places.size()).arg(places.join(QStringLiteral("; ")));
}

QJsonObject Json(const Entry& entry, int line, const Outcome& outcome)
{
    static const char* const kStatus[] = {"moved", "unchanged", "not found", "found in several places"};
    QJsonObject json = JsonEntry(entry);
    json.insert(QStringLiteral("line"), line);
    json.insert(QStringLiteral("status"), kStatus[outcome.kind]);
    if (outcome.kind == Outcome::NotFound)
        json.insert(QStringLiteral("reason"), outcome.why);
    QJsonArray places;
    for (const Entry& place : outcome.places)
        places.append(JsonEntry(place));
    json.insert(QStringLiteral("places"), places);
    return json;
}

} // namespace

int Remap(const QStringList& args, QTextStream& out)
{
    const Arguments arguments =
        Parse(args, 3, {QStringLiteral("--partial"), QStringLiteral("--json")}, {QStringLiteral("-o")});
    const QString output = arguments.Value(QStringLiteral("-o")), &mapPath = arguments.files[1];
    const std::unique_ptr<Texture> old = LoadTexture(arguments.files[0]);
    auto read = ReadMapFile(mapPath, old->Header());
    if (const auto* refusal = std::get_if<MapRefusal>(&read))
        throw Refused{mapPath, refusal->Text()};
    const std::vector<Entry> entries = std::get<std::vector<Entry>>(std::move(read));
    const std::unique_ptr<Texture> fresh = LoadTexture(arguments.files[2]);
    const ShapeIndex before(*old), after(*fresh);
    Twins twins(before, after);

    std::vector<Entry> placed;
    QStringList lines;
    QJsonArray json;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Outcome outcome = Place(entries[i], before, twins, *fresh);
        if (outcome.kind == Outcome::Moved || outcome.kind == Outcome::Unchanged)
            placed.push_back(outcome.places.front());
        lines << entries[i].name + QStringLiteral(": ") + Line(entries[i], outcome);
        json.append(Json(entries[i], EntryLine(i), outcome));
    }
    const bool all = placed.size() == entries.size(), written = all || arguments.Has(QStringLiteral("--partial"));
    if (written)
        WriteMap(fresh->Header(), placed, output);
    if (arguments.Has(QStringLiteral("--json"))) {
        out << QJsonDocument(QJsonObject{{QStringLiteral("entries"), json},
                                         {QStringLiteral("output"), output},
                                         {QStringLiteral("written"), written}})
                   .toJson();
    } else {
        for (const QString& line : lines)
            out << line << '\n';
        const std::size_t found = placed.size();
        out << (written ? QStringLiteral("wrote %1 of %2 entries to %3").arg(found).arg(entries.size()).arg(output)
                        : QStringLiteral("wrote nothing: %1 of %2 entries were not found once")
                              .arg(entries.size() - found)
                              .arg(entries.size()))
            << '\n';
    }
    return all ? 0 : 1;
}

} // namespace ravelock::batch
