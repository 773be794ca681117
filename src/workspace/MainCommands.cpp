#include "workspace/MainCommands.h"

#include "workspace/MapDocument.h"
#include "workspace/MenuRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <optional>

namespace ravelock {

namespace {

// Where the user works: the texture's folder once one was chosen, else home.
QString WorkFolder(const Workspace& ws)
{
    return ws.strTexturePath.isEmpty() ? QDir::homePath() : QFileInfo(ws.strTexturePath).absolutePath();
}

// The file name in `path`; the last character is never taken as the separator.
QString TextureName(const QString& path)
{
    const qsizetype separator = path.lastIndexOf(QLatin1Char('/'), path.size() - 2);
    return path.size() < 2 || separator < 0 ? QString() : path.mid(separator + 1);
}

} // namespace

void MainCommands::Load()
{
    view_.ShowPanel(false);
    Show();
}

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
    ws_.strTexturePath = path;
    ws_.texture = Texture::Painting;
    Show();
    // Nothing is mapped against a picture that is still coming in: the size
    // reaches the workspace only once painting has ended.
    const std::optional<QSize> painted = view_.LoadTexture(ws_.strTexturePath);
    if (ending_)
        return;
    if (painted) {
        ws_.texture = Texture::Ready;
        ws_.lngImageHeight = painted->height();
        ws_.lngImageWidth = painted->width();
        ws_.strTextureName = TextureName(path);
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
        dialogs_.Message(QStringLiteral("The copy of unsaved work on %1 cannot be read (%2).\r\nIt was set aside as %3.")
                             .arg(ws_.strTextureName, damaged->reason, aside),
                         title, MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    const auto* copy = std::get_if<Recovery::Copy>(&found);
    if (!copy)
        return;
    const qsizetype count = static_cast<qsizetype>(copy->entries.size());
    const QString question = QStringLiteral("Unsaved work on %1 was kept when Ravelock last ended without saving: "
                                            "%2 %3, written %4.\r\nBring it back?")
                                 .arg(ws_.strTextureName)
                                 .arg(count)
                                 .arg(count == 1 ? QStringLiteral("entry") : QStringLiteral("entries"),
                                      QLocale().toString(copy->written, QLocale::ShortFormat));
    if (dialogs_.Message(question, title, MessageIcon::Exclamation, MessageButtons::YesNo) != Answer::Yes) {
        recovery_.Remove(ws_);
        return;
    }
    ws_.entries = copy->entries;
    ws_.strIniPath = copy->iniPath;
    ws_.blnSaved = false;
    ws_.deleteOffered = !ws_.entries.empty();
    Show();
    view_.ShowMessage(QStringLiteral("Brought back %1 unsaved %2").arg(count).arg(count == 1 ? "entry" : "entries"));
}

void MainCommands::KeepRecovery()
{
    if (ws_.blnSaved || ws_.texture != Texture::Ready)
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
        dialogs_.Message(QStringLiteral("%1 cannot be opened as a map of %2:\r\n%3").arg(name, ws_.strTextureName, why),
                         QStringLiteral("Open Map"), MessageIcon::Exclamation, MessageButtons::Ok);
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(file.errorString());
    // Far more than the entries a texture can hold: anything larger is not a map.
    constexpr qint64 kLargest = qint64{1} << 28;
    const QByteArray bytes = file.read(kLargest + 1);
    if (bytes.size() > kLargest)
        return refuse(QStringLiteral("it is too large to be a map"));
    auto read = ReadMap(bytes, ws_);
    if (const auto* refusal = std::get_if<MapRefusal>(&read))
        return refuse(QStringLiteral("line %1: %2").arg(refusal->line).arg(refusal->reason));
    ws_.entries = std::move(std::get<std::vector<Entry>>(read));
    ws_.strIniPath = path;
    ws_.blnSaved = true;
    ws_.deleteOffered = !ws_.entries.empty();
    KeepRecovery();
    Show();
    const qsizetype entries = static_cast<qsizetype>(ws_.entries.size());
    view_.ShowMessage(QStringLiteral("Opened %1 %2 from %3")
                          .arg(entries)
                          .arg(entries == 1 ? QStringLiteral("entry") : QStringLiteral("entries"), name));
}

bool MainCommands::Save()
{
    return ws_.strIniPath.isEmpty() ? SaveAs() : WriteDocument(ws_.strIniPath);
}

bool MainCommands::SaveAs()
{
    // Where the document was saved last, else beside the texture, named after it.
    const bool saved = !ws_.strIniPath.isEmpty();
    const QString folder = saved ? QFileInfo(ws_.strIniPath).absolutePath() : WorkFolder(ws_);
    QString suggested = saved ? QFileInfo(ws_.strIniPath).fileName() : QString();
    if (!saved && !ws_.strTextureName.isEmpty())
        suggested = QFileInfo(ws_.strTextureName).completeBaseName() + QStringLiteral(".ini");
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
    return dialogs_.Message(question, QStringLiteral("Save As"), MessageIcon::Exclamation, MessageButtons::YesNo) ==
           Answer::Yes;
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
    const qsizetype entries = static_cast<qsizetype>(ws_.entries.size());
    view_.ShowMessage(QStringLiteral("Saved %1 %2 to %3")
                          .arg(entries)
                          .arg(entries == 1 ? QStringLiteral("entry") : QStringLiteral("entries"),
                               QFileInfo(path).fileName()));
    return true;
}

void MainCommands::Exit()
{
    if (ws_.blnSaved) {
        EndProgram();
        return;
    }
    switch (dialogs_.Message(QStringLiteral("Save Changes?"), QStringLiteral("Ravelock"), MessageIcon::Exclamation,
                             MessageButtons::YesNoCancel)) {
    case Answer::Yes:
        if (Save())
            EndProgram();
        break;
    case Answer::No:
        recovery_.Remove(ws_);
        EndProgram();
        break;
    default:
        break;
    }
}

void MainCommands::EndProgram()
{
    ending_ = true;
    view_.EndProgram();
}

void MainCommands::Click(QPoint texel)
{
    if (ws_.texture != Texture::Ready || texel.x() < 0 || texel.y() < 0 || texel.y() > ws_.lngImageHeight ||
        texel.x() > ws_.lngImageWidth)
        return;
    Picking& picking = ws_.picking;
    switch (picking.step) {
    case Step::FirstCorner:
        picking.first = texel;
        picking.step = Step::SecondCorner;
        ws_.colRedo.clear();
        break;
    case Step::SecondCorner:
        picking.second = texel;
        picking.step = Step::Naming;
        break;
    case Step::Naming:
        ShowRegionComplete();
        return;
    }
    Show();
}

// The corners stay as they are, but a click that changes nothing must say so.
void MainCommands::ShowRegionComplete()
{
    Show();
    view_.ShowHint(QStringLiteral("This region is complete: Ctrl+E names it, Ctrl+Z takes back a corner"));
    view_.Bell();
}

void MainCommands::TakeShape(std::optional<QRect> shape, bool grow)
{
    if (ws_.texture != Texture::Ready)
        return;
    Picking& picking = ws_.picking;
    if (!shape) {
        Show();
        view_.ShowHint(QStringLiteral("No shape under the pointer"));
        return;
    }
    if (picking.step == Step::Naming && !grow) {
        ShowRegionComplete();
        return;
    }
    QRect box = *shape;
    if (grow && picking.step != Step::FirstCorner) {
        const QPoint second = picking.step == Step::Naming ? picking.second : picking.first;
        box |= QRect(picking.first, second).normalized();
    }
    if (picking.step != Step::Naming)
        ws_.colRedo.clear(); // a new first corner
    picking = {Step::Naming, box.topLeft(), box.bottomRight()};
    Show();
    view_.ShowHint(QStringLiteral("Shape %1 x %2 at %3, %4: Edit > Complete Entry names it")
                       .arg(box.width())
                       .arg(box.height())
                       .arg(box.left())
                       .arg(box.top()));
}

void MainCommands::Undo()
{
    Picking& picking = ws_.picking;
    if (picking.step == Step::Naming) {
        ws_.colRedo.push_back({Step::SecondCorner, picking.second});
        picking.step = Step::SecondCorner;
    } else if (picking.step == Step::SecondCorner) {
        ws_.colRedo.push_back({Step::FirstCorner, picking.first});
        picking.step = Step::FirstCorner;
    }
    Show();
}

void MainCommands::Redo()
{
    Picking& picking = ws_.picking;
    if (ws_.colRedo.empty() || ws_.colRedo.back().step != picking.step)
        return;
    const QPoint texel = ws_.colRedo.back().texel;
    ws_.colRedo.pop_back();
    if (picking.step == Step::FirstCorner) {
        picking.first = texel;
        picking.step = Step::SecondCorner;
    } else {
        picking.second = texel;
        picking.step = Step::Naming;
    }
    Show();
}

void MainCommands::CompleteEntry()
{
    if (ws_.picking.step != Step::Naming)
        return;
    const QString answer = dialogs_.Input(QStringLiteral("Enter Entry Name"), QStringLiteral("Entry Name")).trimmed();
    // A name is one word: the first of the answer.
    const QString name = answer.simplified().section(QLatin1Char(' '), 0, 0);
    if (name.isEmpty())
        return;
    if (std::any_of(ws_.entries.begin(), ws_.entries.end(), [&name](const Entry& e) { return e.name == name; })) {
        dialogs_.Message(name + QStringLiteral(" is already a image map name"), QStringLiteral("Duplicate Name"),
                         MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    const QPoint first = ws_.picking.first;
    const QPoint second = ws_.picking.second;
    ws_.entries.push_back({name, first.x(), first.y(), second.x(), second.y()});
    ws_.picking.step = Step::FirstCorner;
    ws_.blnSaved = false;
    ws_.deleteOffered = true;
    KeepRecovery();
    Show();
    if (answer != name)
        view_.ShowMessage(QStringLiteral("Added %1 (names are one word; \"%2\" was cut)").arg(name, answer));
    else
        view_.ShowMessage(QStringLiteral("Added %1: %2, %3 to %4, %5")
                              .arg(name)
                              .arg(first.x())
                              .arg(first.y())
                              .arg(second.x())
                              .arg(second.y()));
}

void MainCommands::RemoveEntry(int index)
{
    const std::optional<Entry> removed = ravelock::RemoveEntry(ws_, index);
    if (!removed)
        return;
    KeepRecovery();
    Show();
    view_.ShowMessage(QStringLiteral("Removed ") + removed->name);
}

std::optional<QString> MainCommands::EditRefused(int index, const Entry& edited) const
{
    const QString name = edited.name.simplified().section(QLatin1Char(' '), 0, 0);
    if (name.isEmpty())
        return QStringLiteral("An entry needs a name");
    if (std::min({edited.left, edited.top, edited.right, edited.bottom}) < 0 || edited.left > ws_.lngImageWidth ||
        edited.right > ws_.lngImageWidth || edited.top > ws_.lngImageHeight || edited.bottom > ws_.lngImageHeight)
        return QStringLiteral("The corners lie outside the texture");
    for (std::size_t other = 0; other < ws_.entries.size(); ++other)
        if (static_cast<int>(other) != index && ws_.entries[other].name == name)
            return name + QStringLiteral(" is already a image map name");
    return std::nullopt;
}

bool MainCommands::RefuseEdit(int index, const Entry& edited)
{
    const std::optional<QString> why = EditRefused(index, edited);
    if (why)
        dialogs_.Message(*why,
                         why->endsWith(QStringLiteral("image map name")) ? QStringLiteral("Duplicate Name")
                                                                          : QStringLiteral("Entry Properties"),
                         MessageIcon::Information, MessageButtons::Ok);
    return why.has_value();
}

void MainCommands::EditEntry(int index, const Entry& edited)
{
    if (index < 0 || index >= static_cast<int>(ws_.entries.size()) || EditRefused(index, edited))
        return;
    Entry& entry = ws_.entries[static_cast<std::size_t>(index)];
    const Entry before = entry;
    entry = edited;
    entry.name = edited.name.simplified().section(QLatin1Char(' '), 0, 0);
    if (entry.name == before.name && entry.left == before.left && entry.top == before.top &&
        entry.right == before.right && entry.bottom == before.bottom)
        return;
    ws_.blnSaved = false;
    KeepRecovery();
    Show();
    view_.ShowMessage(QStringLiteral("Changed %1: %2, %3 to %4, %5")
                          .arg(entry.name)
                          .arg(entry.left)
                          .arg(entry.top)
                          .arg(entry.right)
                          .arg(entry.bottom));
}

QString MainCommands::Hint() const
{
    switch (ws_.texture) {
    case Texture::None:
        return QStringLiteral("Open a texture to start (Ctrl+O)");
    case Texture::Painting:
        return QString();
    case Texture::Ready:
        break;
    }
    switch (ws_.picking.step) {
    case Step::FirstCorner:
        return QStringLiteral("Click the top-left corner of a region");
    case Step::SecondCorner:
        return QStringLiteral("Click the bottom-right corner (Ctrl+Z takes the first corner back)");
    case Step::Naming:
        break;
    }
    return QStringLiteral("Name the region: Edit > Complete Entry (Ctrl+E)");
}

// The fields, the menus, the hint and the caption as the workspace now has them.
void MainCommands::Show()
{
    view_.ShowCorners(ws_.picking.First(), ws_.picking.Second());
    for (const auto& [item, enabled] : MenuStates(ws_))
        view_.SetMenuEnabled(item, enabled);
    view_.ShowHint(Hint());
    ShowCaption();
}

// The document's name and whether it holds unsaved work, once there is a texture or a file.
void MainCommands::ShowCaption()
{
    QString document;
    if (!ws_.strIniPath.isEmpty())
        document = QFileInfo(ws_.strIniPath).fileName();
    else if (ws_.texture == Texture::Ready)
        document = QStringLiteral("Untitled");
    view_.SetCaption(document.isEmpty() ? QStringLiteral("Ravelock") : QStringLiteral("%1[*] \u2014 Ravelock").arg(document),
                     !ws_.blnSaved);
}

} // namespace ravelock
