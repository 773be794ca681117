#include "workspace/MapDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ravelock {

QStringList HeaderLines()
{
    return {QStringLiteral("; Ravelock Auto-Generated INI File"),
            QStringLiteral("; Regions marked on a Targa texture, one MappedImage block each."),
            QStringLiteral("; Coordinates are pixels from the texture's top-left corner."),
            QStringLiteral("; Made with Ravelock, the texture region mapper."), QStringLiteral(" ")};
}

QStringList EntryBlock(const Workspace& ws, const Entry& entry)
{
    return {
        kEntryPrefix + entry.name,
        QStringLiteral("Texture = ") + ws.strTextureName,
        QStringLiteral("TextureWidth = ") + QString::number(ws.lngImageWidth),
        QStringLiteral("TextureHeight = ") + QString::number(ws.lngImageHeight),
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

QStringList Workspace::colNames() const
{
    QStringList names;
    for (const Entry& entry : entries)
        names << kEntryPrefix + entry.name;
    return names;
}

QStringList Workspace::colLines() const
{
    QStringList lines = HeaderLines();
    for (const Entry& entry : entries)
        lines << EntryBlock(*this, entry);
    return lines;
}

std::optional<Entry> RemoveEntry(Workspace& ws, qsizetype index)
{
    if (index < 0 || index >= static_cast<qsizetype>(ws.entries.size()))
        return std::nullopt;
    Entry removed = ws.entries[static_cast<std::size_t>(index)];
    ws.entries.erase(ws.entries.begin() + index);
    ws.blnSaved = false;
    return removed;
}

namespace {

QByteArray DocumentBytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
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

std::optional<QString> WriteIniFile(Workspace& ws, const QString& path)
{
    if (path.isEmpty())
        return QStringLiteral("No file name was given");
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("It is a folder, not a file");
    const QByteArray bytes = DocumentBytes(ws.colLines());
    const bool special = info.exists() && !info.isFile();
    if (auto failure = special ? WriteInPlace(path, bytes) : WriteReplacing(path, bytes))
        return failure;
    ws.strIniPath = path;
    ws.blnSaved = true;
    return std::nullopt;
}

} // namespace ravelock
