#include "workspace/ManyEntries.h"

#include "workspace/MapDocument.h"

#include <QSet>

#include <algorithm>

namespace ravelock {

QString EntryName(const QString& answer) { return answer.simplified().section(QLatin1Char(' '), 0, 0); }

QString DuplicateName(const QString& name) { return name + QStringLiteral(" is already a image map name"); }

namespace {

Plan Refused(const QString& text, const QString& title, std::vector<Entry> entries = {})
{
    return {std::move(entries), text, title};
}

// Complete Entry's rules for every name, the new ones' among themselves too, and the picture's bounds. A
// refused plan keeps its entries, to be shown.
Plan Checked(const Workspace& ws, std::vector<Entry> entries, const QString& title)
{
    QSet<QString> names;
    for (const Entry& entry : ws.entries)
        names.insert(entry.name);
    for (Entry& entry : entries)
        entry.name = EntryName(entry.name);
    for (const Entry& entry : entries) {
        if (entry.name.isEmpty())
            return Refused(QStringLiteral("An entry needs a name"), title, std::move(entries));
        if (names.contains(entry.name))
            return Refused(DuplicateName(entry.name), QStringLiteral("Duplicate Name"), std::move(entries));
        names.insert(entry.name);
        if (!ws.Holds({entry.left, entry.top}) || !ws.Holds({entry.right, entry.bottom}))
            return Refused(QStringLiteral("%1 would leave the picture").arg(entry.name), title, std::move(entries));
    }
    return {std::move(entries), {}, {}};
}

Entry FromBox(const QString& name, const QRect& box)
{
    return {name, box.left(), box.top(), box.right(), box.bottom()};
}

std::vector<Entry> Numbered(const QString& base, const std::vector<QRect>& boxes)
{
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < boxes.size(); ++i)
        entries.push_back(FromBox(NumberedName(base, i + 1, boxes.size()), boxes[i]));
    return entries;
}

// Consecutive spans of the given lengths from `from` on, both ends included; a length of 0 gives an empty span.
std::vector<std::pair<int, int>> Spans(int from, std::initializer_list<int> lengths)
{
    std::vector<std::pair<int, int>> spans;
    for (int length : lengths) {
        spans.emplace_back(from, from + length - 1);
        from += length;
    }
    return spans;
}

} // namespace

Plan PlanRepeat(const Workspace& ws, const std::vector<Entry>& sources, const RepeatSettings& settings)
{
    const QString title = QStringLiteral("Repeat Entries");
    const QStringList words = settings.with.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (settings.times > 1 && words.size() > 1 && words.size() != settings.times)
        return Refused(QStringLiteral("With needs one word, or one for each of the %1 copies").arg(settings.times),
                       title);
    std::vector<Entry> copies;
    for (int k = 1; k <= settings.times; ++k) {
        const QString word = words.isEmpty() ? QString() : words.value(words.size() > 1 ? k - 1 : 0);
        const QPoint by = settings.offset * k;
        for (const Entry& source : sources) {
            const QString name = settings.replace.isEmpty() ? source.name + word
                                                            : QString(source.name).replace(settings.replace, word);
            copies.push_back({name, source.left + by.x(), source.top + by.y(), source.right + by.x(),
                              source.bottom + by.y()});
        }
    }
    return Checked(ws, std::move(copies), title);
}

Plan PlanShapes(const Workspace& ws, const std::vector<QRect>& shapes, const QString& base, int join)
{
    std::vector<targa::ShapeBox> left;
    for (const QRect& shape : shapes)
        if (std::none_of(ws.entries.begin(), ws.entries.end(),
                         [&shape](const Entry& entry) { return entry.Box().contains(shape); }))
            left.push_back({shape.left(), shape.top(), shape.right(), shape.bottom()});
    std::vector<QRect> boxes;
    for (const targa::ShapeBox& box : targa::JoinShapes(std::move(left), join))
        boxes.push_back(QRect(QPoint(box.left, box.top), QPoint(box.right, box.bottom)));
    const QString name = EntryName(base);
    if (name.isEmpty() && !boxes.empty())
        return Refused(QStringLiteral("An entry needs a name"), QStringLiteral("Map All Shapes"));
    return Checked(ws, Numbered(name, boxes), QStringLiteral("Map All Shapes"));
}

Plan PlanSlice(const Workspace& ws, const QRect& rect, const SliceSettings& settings,
               const targa::ShapeTexels* texels)
{
    const QString title = QStringLiteral("Slice");
    const QString base = EntryName(settings.base);
    if (base.isEmpty())
        return Refused(QStringLiteral("An entry needs a name"), title);
    if (settings.kind == SliceSettings::Kind::NinePieces) {
        const QMargins b = settings.borders;
        if (b.left() + b.right() >= rect.width() || b.top() + b.bottom() >= rect.height())
            return Refused(QStringLiteral("The borders leave no middle piece"), title);
        const auto columns = Spans(rect.left(), {b.left(), rect.width() - b.left() - b.right(), b.right()});
        const auto rows = Spans(rect.top(), {b.top(), rect.height() - b.top() - b.bottom(), b.bottom()});
        static const char* const names[3][3] = {{"TopLeft", "Top", "TopRight"},
                                                {"Left", "Middle", "Right"},
                                                {"BottomLeft", "Bottom", "BottomRight"}};
        std::vector<Entry> pieces;
        for (std::size_t row = 0; row < 3; ++row)
            for (std::size_t column = 0; column < 3; ++column)
                if (rows[row].second >= rows[row].first && columns[column].second >= columns[column].first)
                    pieces.push_back({base + QLatin1String(names[row][column]), columns[column].first,
                                      rows[row].first, columns[column].second, rows[row].second});
        return Checked(ws, std::move(pieces), title);
    }
    const QSize gap(std::max(settings.spacing.width(), 0), std::max(settings.spacing.height(), 0));
    const QSize count = settings.bySize
                            ? QSize((rect.width() + gap.width()) / std::max(settings.size.width() + gap.width(), 1),
                                    (rect.height() + gap.height()) / std::max(settings.size.height() + gap.height(), 1))
                            : settings.count;
    const QSize cell = settings.bySize
                           ? settings.size
                           : QSize((rect.width() - (count.width() - 1) * gap.width()) / std::max(count.width(), 1),
                                   (rect.height() - (count.height() - 1) * gap.height()) / std::max(count.height(), 1));
    if (count.isEmpty() || cell.isEmpty())
        return Refused(QStringLiteral("Not one cell fits in the rectangle"), title);
    std::vector<QRect> cells;
    for (int row = 0; row < count.height(); ++row)
        for (int column = 0; column < count.width(); ++column) {
            const QPoint at(rect.left() + column * (cell.width() + gap.width()),
                            rect.top() + row * (cell.height() + gap.height()));
            QRect box(at, cell);
            std::optional<targa::ShapeBox> held;
            if (texels && (settings.skipEmpty || settings.trim))
                held = targa::TexelsWithin(*texels, {box.left(), box.top(), box.right(), box.bottom()});
            if (settings.skipEmpty && texels && !held)
                continue;
            if (settings.trim && held)
                box = QRect(QPoint(held->left, held->top), QPoint(held->right, held->bottom));
            cells.push_back(box);
        }
    return Checked(ws, Numbered(base, cells), title);
}

} // namespace ravelock
