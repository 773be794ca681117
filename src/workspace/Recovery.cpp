#include "workspace/Recovery.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace ravelock {

namespace {

const QByteArray kFirstLine = QByteArrayLiteral("; Ravelock recovery copy\r\n");
const QByteArray kDocumentLine = QByteArrayLiteral("; Document: ");

} // namespace

QString Recovery::DefaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/recovery");
}

QString Recovery::PathFor(const Workspace& ws) const
{
    const QByteArray key = QFileInfo(ws.texturePath).absoluteFilePath().toUtf8();
    return folder_ + QLatin1Char('/') +
           QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex()) +
           QStringLiteral(".ini");
}

std::optional<QString> Recovery::Write(const Workspace& ws) const
{
    if (!QDir().mkpath(folder_))
        return QStringLiteral("cannot make the folder %1").arg(folder_);
    QSaveFile file(PathFor(ws));
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QByteArray bytes = kFirstLine + kDocumentLine + ws.mapPath.toUtf8() + "\r\n" + DocumentBytes(ws.Lines());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return std::nullopt;
}

void Recovery::Remove(const Workspace& ws) const { QFile::remove(PathFor(ws)); }

std::variant<std::monostate, Recovery::Copy, Recovery::Damaged> Recovery::Read(const Workspace& ws) const
{
    QFile file(PathFor(ws));
    if (!file.exists())
        return std::monostate();
    if (!file.open(QIODevice::ReadOnly))
        return Damaged{file.errorString()};
    const QByteArray bytes = file.readAll();
    const qsizetype pathEnd = bytes.indexOf("\r\n", kFirstLine.size());
    if (!bytes.startsWith(kFirstLine) || pathEnd < 0 || !bytes.mid(kFirstLine.size()).startsWith(kDocumentLine))
        return Damaged{QStringLiteral("it does not start as a recovery copy")};
    const qsizetype pathStart = kFirstLine.size() + kDocumentLine.size();
    auto read = ReadMap(bytes.mid(pathEnd + 2), ws.Header());
    if (const auto* refusal = std::get_if<MapRefusal>(&read))
        return Damaged{QStringLiteral("line %1: %2").arg(refusal->line + 2).arg(refusal->reason)};
    return Copy{std::get<std::vector<Entry>>(std::move(read)),
                QString::fromUtf8(bytes.mid(pathStart, pathEnd - pathStart)), QFileInfo(file).lastModified()};
}

QString Recovery::SetAside(const Workspace& ws) const
{
    const QString aside = PathFor(ws) + QStringLiteral(".damaged");
    QFile::remove(aside);
    QFile::rename(PathFor(ws), aside);
    return aside;
}

} // namespace ravelock
