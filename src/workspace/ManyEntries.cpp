#include "workspace/ManyEntries.h"

#include "workspace/MapDocument.h"

#include <QSet>

#include <algorithm>
#include <optional>
#include <utility>

namespace ravelock {

QString EntryName(const QString& answer) { return answer.simplified().section(QLatin1Char(' '), 0, 0); }

QString DuplicateName(const QString& name) { return name + QStringLiteral(" is already a image map name"); }

QString PieceName(const QString& base, const QString& word)
{
    const qsizetype star = base.indexOf(QLatin1Char('*'));
    return star < 0 ? base + word : QString(base).replace(star, 1, word);
}

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

std::vector<Entry> Numbered(const QString& base, const std::vector<QRect>& boxes, Numbers numbers)
{
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const QString number =
            numbers == Numbers::Padded ? NumberedName(QString(), i + 1, boxes.size()) : QString::number(i + 1);
        entries.push_back(FromBox(PieceName(base, number), boxes[i]));
    }
    return entries;
}

// The base name of many entries: one word, with at most one `*`.
std::optional<Plan> RefusedBase(const QString& base, const QString& title)
{
    if (base.isEmpty())
        return Refused(QStringLiteral("An entry needs a name"), title);
    if (base.count(QLatin1Char('*')) > 1)
        return Refused(QStringLiteral("A base name may hold one *"), title);
    return std::nullopt;
}

// Consecutive spans of the given lengths from `from` on, both ends included, `gap` between two that are not empty;
// a length of 0 gives an empty span.
std::vector<std::pair<int, int>> Spans(int from, std::initializer_list<int> lengths, int gap)
{
    std::vector<std::pair<int, int>> spans;
    bool first = true;
    for (int length : lengths) {
        if (length > 0 && !std::exchange(first, false))
            from += gap;
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
            const QString name =
                settings.replace.isEmpty() ? source.name + word : QString(source.name).replace(settings.replace, word);
            copies.push_back(
                {name, source.left + by.x(), source.top + by.y(), source.right + by.x(), source.bottom + by.y()});
        }
    }
    return Checked(ws, std::move(copies), title);
}

Plan PlanShapes(const Workspace& ws, const std::vector<QRect>& shapes, const QString& base, int join, Numbers numbers)
{
    std::vector<targa::ShapeBox> left;
    for (const QRect& shape : shapes)
        if (std::none_of(ws.entries.begin(), ws.entries.end(),
                         [&shape](const Entry& entry) { return entry.Box().contains(shape); }))
            left.push_back({shape.left(), shape.top(), shape.right(), shape.bottom()});
    std::vector<QRect> boxes;
    for (const targa::ShapeBox& box : targa::JoinShapes(std::move(left), join))
        boxes.push_back(QRect(QPoint(box.left, box.top), QPoint(box.right, box.bottom)));
    const QString title = QStringLiteral("Map All Shapes");
    const QString name = EntryName(base);
    if (const std::optional<Plan> refused = RefusedBase(name, title); refused && !boxes.empty())
        return *refused;
    return Checked(ws, Numbered(name, boxes, numbers), title);
}

Plan PlanSlice(const Workspace& ws, const QRect& rect, const SliceSettings& settings, const targa::ShapeTexels* texels)
{
    const QString title = QStringLiteral("Slice");
    const QString base = EntryName(settings.base);
    if (const std::optional<Plan> refused = RefusedBase(base, title))
        return *refused;
    const QSize gap(std::max(settings.spacing.width(), 0), std::max(settings.spacing.height(), 0));
    if (settings.kind == SliceSettings::Kind::NinePieces) {
        const QMargins b = settings.borders;
        const int middleWidth = rect.width() - b.left() - b.right() - gap.width() * ((b.left() > 0) + (b.right() > 0));
        const int middleHeight =
            rect.height() - b.top() - b.bottom() - gap.height() * ((b.top() > 0) + (b.bottom() > 0));
        if (middleWidth < 1 || middleHeight < 1)
            return Refused(QStringLiteral("The borders leave no middle piece"), title);
        const auto columns = Spans(rect.left(), {b.left(), middleWidth, b.right()}, gap.width());
        const auto rows = Spans(rect.top(), {b.top(), middleHeight, b.bottom()}, gap.height());
        std::vector<std::pair<int, QRect>> pieces; // each with its place among the nine
        for (std::size_t row = 0; row < 3; ++row)
            for (std::size_t column = 0; column < 3; ++column)
                if (rows[row].second >= rows[row].first && columns[column].second >= columns[column].first)
                    pieces.emplace_back(static_cast<int>(row * 3 + column),
                                        QRect(QPoint(columns[column].first, rows[row].first),
                                              QPoint(columns[column].second, rows[row].second)));
        const QStringList words = settings.names.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() != 9 && words.size() != static_cast<qsizetype>(pieces.size()))
            return Refused(
                QStringLiteral("Names needs nine words, or one for each of the %1 pieces").arg(pieces.size()), title);
        std::vector<Entry> entries;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const QString& word = words[words.size() == 9 ? pieces[i].first : static_cast<int>(i)];
            entries.push_back(FromBox(PieceName(base, word), pieces[i].second));
        }
        return Checked(ws, std::move(entries), title);
    }
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
    return Checked(ws, Numbered(base, cells, settings.numbers), title);
}

} // namespace ravelock
