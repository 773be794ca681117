#include "workspace/MapDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>

namespace ravelock {

QStringList HeaderLines()
{
    return {QStringLiteral("; Ravelock Auto-Generated INI File"),
            QStringLiteral("; Regions marked on a Targa texture, one MappedImage block each."),
            QStringLiteral("; Coordinates are pixels from the texture's top-left corner."),
            QStringLiteral("; Made with Ravelock, the texture region mapper."), QStringLiteral(" ")};
}

QStringList EntryBlock(const MapHeader& map, const Entry& entry)
{
    return {
        kEntryPrefix + entry.name,
        QStringLiteral("Texture = ") + map.texture,
        QStringLiteral("TextureWidth = ") + QString::number(map.width),
        QStringLiteral("TextureHeight = ") + QString::number(map.height),
        QStringLiteral("Coords = Left:%1 Top:%2 Right:%3 Bottom:%4")
            .arg(entry.left)
            .arg(entry.top)
            .arg(entry.right)
            .arg(entry.bottom),
        QStringLiteral("Status = NONE"),
        QStringLiteral("End"),
        QStringLiteral(" "),
    };
}

QStringList Workspace::Headings() const
{
    QStringList names;
    for (const Entry& entry : entries)
        names << kEntryPrefix + entry.name;
    return names;
}

QStringList MapLines(const MapHeader& map, const std::vector<Entry>& entries)
{
    QStringList lines = HeaderLines();
    for (const Entry& entry : entries)
        lines << EntryBlock(map, entry);
    return lines;
}

QStringList Workspace::Lines() const { return MapLines(Header(), entries); }

namespace {

// Left, Top, Right and Bottom of a Coords line; nothing where a value is not a whole number in the texture.
std::optional<Entry> Coords(const QString& line, const MapHeader& map, QString& reason)
{
    static const QRegularExpression pattern(
        QStringLiteral("^Coords = Left:(\\S*) Top:(\\S*) Right:(\\S*) Bottom:(\\S*)$"));
    const QRegularExpressionMatch match = pattern.match(line);
    if (!match.hasMatch()) {
        reason = QStringLiteral("expected \"Coords = Left:L Top:T Right:R Bottom:B\"");
        return std::nullopt;
    }
    std::int32_t values[4];
    for (int i = 0; i < 4; ++i) {
        bool whole = false;
        values[i] = match.captured(i + 1).toInt(&whole);
        const std::int32_t limit = i % 2 ? map.height : map.width;
        if (!whole || values[i] < 0 || values[i] > limit) {
            reason = QStringLiteral("\"%1\" is not a whole number from 0 to %2").arg(match.captured(i + 1)).arg(limit);
            return std::nullopt;
        }
    }
    return Entry{QString(), values[0], values[1], values[2], values[3]};
}

// Devices and pipes cannot be replaced by renaming, nor can a file whose
// folder refuses the replacement; they are written in place.
std::optional<QString> WriteInPlace(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(bytes) != bytes.size() || !file.flush())
        return file.errorString();
    return std::nullopt;
}

std::optional<QString> WriteReplacing(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // A folder the user may not write still lets the user's own file be written.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (file.commit())
        return std::nullopt;
    // In a sticky folder another user's file may be writable but not replaceable.
    if (file.error() == QFileDevice::RenameError && QFileInfo(path).isWritable())
        return WriteInPlace(path, bytes);
    return file.errorString();
}

} // namespace

std::variant<std::vector<Entry>, MapRefusal> ReadMap(const QByteArray& bytes, const MapHeader& map)
{
    if (bytes.isEmpty())
        return MapRefusal{1, QStringLiteral("the file is empty")};
    QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    const QStringList header = HeaderLines();
    // Any other file is refused where it starts, not where it ends.
    if (lines.first() != header.first())
        return MapRefusal{1, QStringLiteral("line 1 is not the start of a Ravelock map")};
    // The last element is what follows the last line end: empty unless that line is cut short.
    const bool cut = !lines.last().isEmpty();
    const qsizetype whole = lines.size() - 1;
    std::vector<Entry> entries;
    for (qsizetype at = 0; at < whole; ++at) {
        const int number = static_cast<int>(at + 1);
        const qsizetype block = at - header.size();
        if (block < 0) {
            if (lines[at] != header[at])
                return MapRefusal{number, QStringLiteral("expected the header line \"%1\"").arg(header[at])};
            continue;
        }
        if (block % 8 == 0) {
            const QString name = lines[at].mid(kEntryPrefix.size());
            if (!lines[at].startsWith(kEntryPrefix) || name.isEmpty() || name.contains(QLatin1Char(' ')))
                return MapRefusal{number, QStringLiteral("expected \"MappedImage\" and a one-word name")};
            if (std::any_of(entries.begin(), entries.end(), [&name](const Entry& e) { return e.name == name; }))
                return MapRefusal{number, QStringLiteral("%1 is already the name of an entry above").arg(name)};
            entries.push_back({name});
            continue;
        }
        if (block % 8 == 4) {
            QString reason;
            const std::optional<Entry> coords = Coords(lines[at], map, reason);
            if (!coords)
                return MapRefusal{number, reason};
            entries.back() = {entries.back().name, coords->left, coords->top, coords->right, coords->bottom};
            continue;
        }
        // Every other line is as this texture's block has it.
        const QString expected = EntryBlock(map, {})[static_cast<qsizetype>(block % 8)];
        if (lines[at] != expected)
            return MapRefusal{number, QStringLiteral("expected \"%1\"").arg(expected)};
    }
    const int last = static_cast<int>(lines.size() - (cut ? 0 : 1));
    if (cut)
        return MapRefusal{last, QStringLiteral("the last line is cut short")};
    if (whole < header.size())
        return MapRefusal{last, QStringLiteral("the header is cut short")};
    if ((whole - header.size()) % 8 != 0)
        return MapRefusal{last, QStringLiteral("the entry's block is cut short")};
    return entries;
}

std::variant<std::vector<Entry>, MapRefusal> ReadMapFile(const QString& path, const MapHeader& map)
{
    QFile file(path);
    if (QFileInfo(path).isDir())
        return MapRefusal{0, QStringLiteral("it is a folder, not a file")};
    if (!file.open(QIODevice::ReadOnly))
        return MapRefusal{0, file.errorString()};
    // Far more than the entries a texture can hold: anything larger is not a map.
    constexpr qint64 kLargest = qint64{1} << 28;
    const QByteArray bytes = file.read(kLargest + 1);
    if (bytes.size() > kLargest)
        return MapRefusal{0, QStringLiteral("it is too large to be a map")};
    return ReadMap(bytes, map);
}

QString MapRefusal::Text() const
{
    const QString at = QStringLiteral("line %1").arg(line);
    return line == 0 || reason.startsWith(at + QLatin1Char(' ')) ? reason : at + QStringLiteral(": ") + reason;
}

int EntryLine(std::size_t index) { return static_cast<int>(HeaderLines().size() + 8 * index + 1); }

std::string TexturePath(const QString& path)
{
#ifdef _WIN32
    return path.toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

QString NumberedName(const QString& base, std::size_t number, std::size_t count)
{
    return base +
           QStringLiteral("%1").arg(number, static_cast<int>(QString::number(count).size()), 10, QLatin1Char('0'));
}

int EntriesNotHeld(const QString& path, const Workspace& ws)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) ||
        file.readLine(256).trimmed() != HeaderLines().first().toUtf8())
        return 0;
    const QStringList held = ws.Headings();
    int lost = 0;
    // Read a line at a time: the file may be large, and only the names count.
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine(64 * 1024)).trimmed();
        lost += line.startsWith(kEntryPrefix) && !held.contains(line);
    }
    return lost;
}

QByteArray DocumentBytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<QString> WriteMapFile(const MapHeader& map, const std::vector<Entry>& entries, const QString& path)
{
    if (path.isEmpty())
        return QStringLiteral("No file name was given");
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("It is a folder, not a file");
    const QByteArray bytes = DocumentBytes(MapLines(map, entries));
    const bool special = info.exists() && !info.isFile();
    return special ? WriteInPlace(path, bytes) : WriteReplacing(path, bytes);
}

std::optional<QString> WriteIniFile(Workspace& ws, const QString& path)
{
    if (auto failure = WriteMapFile(ws.Header(), ws.entries, path))
        return failure;
    ws.SavedAs(path);
    return std::nullopt;
}

} // namespace ravelock
