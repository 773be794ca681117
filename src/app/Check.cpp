// ravelock check: whether a map still fits its texture.
#include "app/BatchSupport.h"

#include "workspace/MapDocument.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

#include <algorithm>
#include <numeric>

namespace ravelock::batch {

namespace {

struct Finding {
    int line;
    bool error;
    QString text;
};

bool HoldsShapeTexel(const targa::ShapeTexels& texels, QRect box)
{
    box &= QRect(0, 0, texels.Width(), texels.Height());
    for (int y = box.top(); y <= box.bottom(); ++y)
        if (texels.RowAt(y).Next(box.left(), box.right() + 1, true) <= box.right())
            return true;
    return false;
}

QString Inverted(const Entry& entry)
{
    QStringList axes;
    if (entry.left > entry.right)
        axes << QStringLiteral("Left:%1 Right:%2").arg(entry.left).arg(entry.right);
    if (entry.top > entry.bottom)
        axes << QStringLiteral("Top:%1 Bottom:%2").arg(entry.top).arg(entry.bottom);
    return axes.join(QLatin1Char(' '));
}

// Every pair of entries whose rectangles share a texel, the later one first; swept by left edge.
std::vector<std::pair<std::size_t, std::size_t>> Overlaps(const std::vector<Entry>& entries)
{
    std::vector<QRect> boxes;
    for (const Entry& entry : entries)
        boxes.push_back(entry.Box());
    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::ranges::sort(order, {}, [&boxes](std::size_t i) { return boxes[i].left(); });
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    for (auto i = order.begin(); i != order.end(); ++i)
        for (auto j = i + 1; j != order.end() && boxes[*j].left() <= boxes[*i].right(); ++j)
            if (boxes[*i].intersects(boxes[*j]))
                pairs.emplace_back(std::max(*i, *j), std::min(*i, *j));
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

std::vector<Finding> Findings(const std::vector<Entry>& entries, const targa::ShapeTexels& texels)
{
    std::vector<Finding> findings;
    const auto overlaps = Overlaps(entries);
    auto overlap = overlaps.begin();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        const int line = EntryLine(i);
        if (const QString inverted = Inverted(entry); !inverted.isEmpty())
            findings.push_back(
                {line, false, QStringLiteral("%1 has its corners inverted: %2").arg(entry.name, inverted)});
        if (!HoldsShapeTexel(texels, entry.Box()))
            findings.push_back({line, false, QStringLiteral("%1 holds no texel of any shape").arg(entry.name)});
        for (; overlap != overlaps.end() && overlap->first == i; ++overlap) {
            const std::size_t other = overlap->second;
            findings.push_back({line, false,
                                QStringLiteral("%1 overlaps %2 (line %3)")
                                    .arg(entry.name, entries[other].name)
                                    .arg(EntryLine(other))});
        }
    }
    return findings;
}

} // namespace

int Check(const QStringList& args, QTextStream& out)
{
    const Arguments arguments = Parse(args, 2, {QStringLiteral("--json")}, {});
    const QString& mapPath = arguments.files[1];
    const std::unique_ptr<Texture> texture = LoadTexture(arguments.files[0]);
    const auto read = ReadMapFile(mapPath, texture->Header());
    std::vector<Finding> findings;
    if (const auto* refusal = std::get_if<MapRefusal>(&read)) {
        if (refusal->line == 0)
            throw Refused{mapPath, refusal->reason};
        findings.push_back({refusal->line, true, refusal->reason});
    } else {
        findings = Findings(std::get<std::vector<Entry>>(read), texture->Texels());
    }
    if (arguments.Has(QStringLiteral("--json"))) {
        QJsonArray list;
        for (const Finding& finding : findings)
            list.append(QJsonObject{{QStringLiteral("file"), mapPath},
                                    {QStringLiteral("line"), finding.line},
                                    {QStringLiteral("severity"), finding.error ? "error" : "warning"},
                                    {QStringLiteral("message"), finding.text}});
        out << QJsonDocument(QJsonObject{{QStringLiteral("texture"), texture->path},
                                         {QStringLiteral("map"), mapPath},
                                         {QStringLiteral("findings"), list}})
                   .toJson();
    } else {
        for (const Finding& finding : findings)
            out << mapPath << ':' << finding.line << ": " << (finding.error ? "error: " : "warning: ") << finding.text
                << '\n';
    }
    return findings.empty() ? 0 : 1;
}

} // namespace ravelock::batch
