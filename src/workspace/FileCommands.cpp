// The commands that read and write files: the texture, the map, and the
// recovery copy of unsaved work.
#include "workspace/MainCommands.h"

#include "workspace/MapDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace ravelock {

namespace {

// Where the user works: the texture's folder once one was chosen, else home.
QString WorkFolder(const Workspace& ws)
{
    return ws.texturePath.isEmpty() ? QDir::homePath() : QFileInfo(ws.texturePath).absolutePath();
}

// The file name in `path`; the last character is never taken as the separator.
QString TextureName(const QString& path)
{
    const qsizetype separator = path.lastIndexOf(QLatin1Char('/'), path.size() - 2);
    return path.size() < 2 || separator < 0 ? QString() : path.mid(separator + 1);
}

// "1 entry", "3 entries".
QString Entries(qsizetype count)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? QStringLiteral("entry") : QStringLiteral("entries"));
}

} // namespace

void MainCommands::Open()
{
    const std::optional<QString> path = dialogs_.OpenFile(
        {QStringLiteral("Open"), QStringLiteral("Targa (*.tga)"), QString(), WorkFolder(ws_), QString()});
    if (path)
        OpenTexture(*path);
}

void MainCommands::OpenTexture(const QString& path)
{
    // One texture a run: Open is offered only until one has been painted.
    if (ws_.texture != Texture::None)
        return;
    ws_.texturePath = path;
    ws_.texture = Texture::Painting;
    Show();
    // Nothing is mapped against a picture that is still coming in: the size
    // reaches the workspace only once painting has ended.
    const std::optional<QSize> painted = view_.LoadTexture(ws_.texturePath);
    if (ending_)
        return;
    if (painted) {
        ws_.texture = Texture::Ready;
        ws_.imageHeight = painted->height();
        ws_.imageWidth = painted->width();
        ws_.textureName = TextureName(path);
        ws_.picking.step = Step::FirstCorner;
        view_.ShowPanel(true);
        view_.FitWindowToPicture();
        Show();
        OfferRecovery();
        return;
    }
    ws_.texture = Texture::None;
    Show();
}

void MainCommands::OfferRecovery()
{
    const auto found = recovery_.Read(ws_);
    const QString title = QStringLiteral("Recover Unsaved Work");
    if (const auto* damaged = std::get_if<Recovery::Damaged>(&found)) {
        const QString aside = recovery_.SetAside(ws_);
        dialogs_.Message(
            QStringLiteral("The copy of unsaved work on %1 cannot be read (%2).\r\nIt was set aside as %3.")
                .arg(ws_.textureName, damaged->reason, aside),
            title, MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    const auto* copy = std::get_if<Recovery::Copy>(&found);
    if (!copy)
        return;
    const qsizetype count = static_cast<qsizetype>(copy->entries.size());
    const QString question =
        QStringLiteral("Unsaved work on %1 was kept when Ravelock last ended without saving: "
                       "%2, written %3.\r\nBring it back?")
            .arg(ws_.textureName, Entries(count), QLocale().toString(copy->written, QLocale::ShortFormat));
    if (dialogs_.Message(question, title, MessageIcon::Exclamation, MessageButtons::YesNo) != Answer::Yes) {
        recovery_.Remove(ws_);
        return;
    }
    ws_.entries = copy->entries;
    ws_.mapPath = copy->iniPath;
    ws_.history.Restart(false);
    ws_.deleteOffered = !ws_.entries.empty();
    Show();
    view_.ShowMessage(QStringLiteral("Brought back %1 unsaved %2").arg(count).arg(count == 1 ? "entry" : "entries"));
}

void MainCommands::KeepRecovery()
{
    if (ws_.Saved() || ws_.texture != Texture::Ready)
        recovery_.Remove(ws_);
    else if (const std::optional<QString> failure = recovery_.Write(ws_))
        view_.ShowMessage(QStringLiteral("Unsaved work could not be copied for recovery: ") + *failure);
}

void MainCommands::OpenMap()
{
    const std::optional<QString> path = dialogs_.OpenFile(
        {QStringLiteral("Open Map"), QStringLiteral("Ini File (*.ini)"), QString(), WorkFolder(ws_), QString()});
    if (path)
        OpenMapFile(*path);
}

void MainCommands::OpenMapFile(const QString& path)
{
    if (ws_.texture != Texture::Ready || !ws_.entries.empty())
        return;
    const QString name = QFileInfo(path).fileName();
    const auto refuse = [&](const QString& why) {
        dialogs_.Message(QStringLiteral("%1 cannot be opened as a map of %2:\r\n%3").arg(name, ws_.textureName, why),
                         QStringLiteral("Open Map"), MessageIcon::Exclamation, MessageButtons::Ok);
    };
    auto read = ReadMapFile(path, ws_.Header());
    if (const auto* refusal = std::get_if<MapRefusal>(&read))
        return refuse(refusal->Text());
    ws_.entries = std::move(std::get<std::vector<Entry>>(read));
    ws_.history.Restart(true);
    ws_.SavedAs(path);
    ws_.deleteOffered = !ws_.entries.empty();
    KeepRecovery();
    Show();
    view_.ShowMessage(
        QStringLiteral("Opened %1 from %2").arg(Entries(static_cast<qsizetype>(ws_.entries.size())), name));
}

void MainCommands::OpenFiles(const QStringList& files)
{
    OpenTexture(files.value(0));
    if (files.size() > 1 && !ending_)
        OpenMapFile(files[1]);
}

bool MainCommands::Save() { return ws_.mapPath.isEmpty() ? SaveAs() : WriteDocument(ws_.mapPath); }

bool MainCommands::SaveAs()
{
    // Where the document was saved last, else beside the texture, named after it.
    const bool saved = !ws_.mapPath.isEmpty();
    const QString folder = saved ? QFileInfo(ws_.mapPath).absolutePath() : WorkFolder(ws_);
    QString suggested = saved ? QFileInfo(ws_.mapPath).fileName() : QString();
    if (!saved && !ws_.textureName.isEmpty())
        suggested = QFileInfo(ws_.textureName).completeBaseName() + QStringLiteral(".ini");
    FileDialogSettings settings{QStringLiteral("Save As"), QStringLiteral("Ini File (*.ini)"), QStringLiteral("ini"),
                                folder, suggested};
    for (;;) {
        const std::optional<QString> path = dialogs_.SaveFile(settings);
        if (!path)
            return false;
        if (!QFileInfo::exists(*path) || ConfirmReplacing(*path))
            return WriteDocument(*path);
        // No: back to the choice of a file.
        settings.initialDirectory = QFileInfo(*path).absolutePath();
        settings.initialFileName = QFileInfo(*path).fileName();
    }
}

bool MainCommands::ConfirmReplacing(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const int lost = EntriesNotHeld(path, ws_);
    const QString question =
        lost == 0 ? QStringLiteral("%1 already exists.\r\nDo you want to replace it?").arg(name)
                  : QStringLiteral("%1 holds %2 Ravelock %3 that this document does not hold, and replacing it loses "
                                   "them. File > Open Map (Ctrl+Shift+O) continues that map instead, while this "
                                   "document has no entries.\r\nReplace it?")
                        .arg(name)
                        .arg(lost)
                        .arg(lost == 1 ? QStringLiteral("entry") : QStringLiteral("entries"));
    return dialogs_.Message(question, QStringLiteral("Save As"), MessageIcon::Exclamation,
                            MessageButtons::YesNoDefaultNo) == Answer::Yes;
}

bool MainCommands::WriteDocument(const QString& path)
{
    if (const std::optional<QString> failure = WriteIniFile(ws_, path)) {
        dialogs_.Message(QStringLiteral("There was an error writing the file:\r\n%1\r\n%2").arg(path, *failure),
                         QStringLiteral("Error"), MessageIcon::Critical, MessageButtons::Ok);
        return false;
    }
    KeepRecovery();
    Show();
    view_.ShowMessage(QStringLiteral("Saved %1 to %2")
                          .arg(Entries(static_cast<qsizetype>(ws_.entries.size())), QFileInfo(path).fileName()));
    return true;
}

} // namespace ravelock
