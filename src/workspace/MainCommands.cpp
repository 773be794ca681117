#include "workspace/MainCommands.h"

#include "workspace/MapDocument.h"
#include "workspace/MenuRules.h"
#include "workspace/PanelLayout.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace ravelock {

namespace {

constexpr PanelControl kPanel[] = {PanelControl::lblTop,  PanelControl::lblRight, PanelControl::lblLeft,
                                   PanelControl::lblBottom, PanelControl::txtTop, PanelControl::txtRight,
                                   PanelControl::txtBottom, PanelControl::txtLeft};

// Where the user works: the texture's folder once one was chosen, else home.
QString WorkFolder(const Workspace& ws)
{
    return ws.strTexturePath.isEmpty() ? QDir::homePath() : QFileInfo(ws.strTexturePath).absolutePath();
}

} // namespace

void MainCommands::Load()
{
    SetPanelVisible(false);
    ClearCoordinateFields();
    ws_.blnAwaitFirst = false;
    ws_.blnAwaitSecond = false;
    ws_.blnSaved = true;
    ws_.blnNoIniPath = true;
    ApplyMenuRule(view_, MenuEvent::StartUp);
    ws_.blnSaveFailed = false;
    view_.MoveWindow(QPoint(1, 1));
    for (PanelControl c : {PanelControl::txtRight, PanelControl::txtLeft, PanelControl::txtBottom,
                           PanelControl::txtTop})
        view_.SetReadOnly(c, true);
    ShowHint();
    ShowCaption();
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
    if (texture_ != Texture::None)
        return;
    ws_.strTexturePath = path;
    ApplyMenuRule(view_, MenuEvent::OpenDialogReturned);
    texture_ = Texture::Painting;
    ShowHint();
    // Nothing is mapped against a picture that is still coming in: the size
    // reaches the workspace only once painting has ended.
    const std::optional<QSize> painted = view_.LoadTexture(ws_.strTexturePath);
    if (ending_)
        return;
    if (!painted) {
        texture_ = Texture::None;
        view_.SetMenuEnabled(MenuItem::mnuFileOpen, true);
        ShowHint();
        return;
    }
    texture_ = Texture::Ready;
    ws_.lngImageHeight = painted->height();
    ws_.lngImageWidth = painted->width();
    SetPanelVisible(true);
    if (ExtractTextureName()) {
        view_.FitWindowToPicture();
        ClearCoordinateFields();
        PlaceCoordinatePanel();
        ws_.blnAwaitFirst = true;
    }
    ShowHint();
    ShowCaption();
}

void MainCommands::SetPanelVisible(bool visible)
{
    for (PanelControl c : kPanel)
        view_.SetVisible(c, visible);
}

bool MainCommands::ExtractTextureName()
{
    // The last character is never taken as the separator.
    const qsizetype separator = ws_.strTexturePath.lastIndexOf(QLatin1Char('/'), ws_.strTexturePath.size() - 2);
    if (ws_.strTexturePath.size() < 2 || separator < 0)
        return false;
    ws_.strTextureName = ws_.strTexturePath.mid(separator + 1);
    return true;
}

bool MainCommands::Save()
{
    if (ws_.blnNoIniPath)
        return SaveAs();
    return WriteDocument();
}

bool MainCommands::SaveAs()
{
    // Where the document was saved last, else beside the texture, named after it.
    const bool saved = !ws_.blnNoIniPath;
    const QString folder = saved ? QFileInfo(ws_.strIniPath).absolutePath() : WorkFolder(ws_);
    QString suggested = saved ? QFileInfo(ws_.strIniPath).fileName() : QString();
    if (!saved && !ws_.strTextureName.isEmpty())
        suggested = QFileInfo(ws_.strTextureName).completeBaseName() + QStringLiteral(".ini");
    const std::optional<QString> path = dialogs_.SaveFile(
        {QStringLiteral("Save As"), QStringLiteral("Ini File (*.ini)"), QStringLiteral("ini"), folder, suggested});
    if (!path) {
        ws_.blnSaveFailed = true;
        return false;
    }
    ws_.strIniPath = *path;
    return WriteDocument();
}

bool MainCommands::WriteDocument()
{
    if (const std::optional<QString> failure = WriteIniFile(ws_)) {
        ws_.blnSaveFailed = true;
        dialogs_.Message(QStringLiteral("There was an error writing the file:\r\n%1\r\n%2").arg(ws_.strIniPath, *failure),
                         QStringLiteral("Error"), MessageIcon::Critical, MessageButtons::Ok);
        return false;
    }
    ShowCaption();
    const qsizetype entries = static_cast<qsizetype>(ws_.entries.size());
    view_.ShowMessage(QStringLiteral("Saved %1 %2 to %3")
                          .arg(entries)
                          .arg(entries == 1 ? QStringLiteral("entry") : QStringLiteral("entries"),
                               QFileInfo(ws_.strIniPath).fileName()));
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

void MainCommands::MouseDown(int x, int y)
{
    if (texture_ != Texture::Ready || x < 0 || y < 0 || y > ws_.lngImageHeight || x > ws_.lngImageWidth)
        return;
    if (ws_.blnAwaitFirst) {
        ws_.lngTop = y;
        ws_.lngLeft = x;
        ShowCorner();
        ws_.blnAwaitFirst = false;
        ws_.blnAwaitSecond = true;
        ws_.colRedo.clear();
        ApplyMenuRule(view_, MenuEvent::ClickAwaitingFirst);
    } else if (ws_.blnAwaitSecond) {
        ws_.lngBottom = y;
        ws_.lngRight = x;
        ShowCorner();
        ws_.blnAwaitSecond = false;
        ws_.blnAwaitFirst = false;
        ApplyMenuRule(view_, MenuEvent::ClickAwaitingSecond);
    } else {
        // The corners stay as they are, but a click that changes nothing must say so.
        ApplyMenuRule(view_, MenuEvent::ClickNoCornerAwaited);
        view_.ShowHint(QStringLiteral("This region is complete: Ctrl+E names it, Ctrl+Z takes back a corner"));
        view_.Bell();
        return;
    }
    ShowHint();
}

void MainCommands::ShowCorner()
{
    if (ws_.blnAwaitFirst) {
        view_.SetText(PanelControl::txtLeft, QString::number(ws_.lngLeft));
        view_.SetText(PanelControl::txtTop, QString::number(ws_.lngTop));
        PlaceCoordinatePanel();
    } else if (ws_.blnAwaitSecond) {
        view_.SetText(PanelControl::txtRight, QString::number(ws_.lngRight));
        view_.SetText(PanelControl::txtBottom, QString::number(ws_.lngBottom));
        PlaceCoordinatePanel();
    }
}

void MainCommands::Undo()
{
    if (ws_.blnAwaitFirst == ws_.blnAwaitSecond) {
        ws_.blnAwaitSecond = true;
        ws_.colRedo.push_front(ws_.lngBottom);
        ws_.colRedo.push_front(ws_.lngRight);
        ApplyMenuRule(view_, MenuEvent::UndoFlagsEqual);
        view_.SetText(PanelControl::txtRight, QString());
        view_.SetText(PanelControl::txtBottom, QString());
    } else if (ws_.blnAwaitSecond) {
        ws_.colRedo.push_front(ws_.lngLeft);
        ws_.colRedo.push_front(ws_.lngTop);
        ws_.blnAwaitFirst = true;
        ws_.blnAwaitSecond = false;
        ApplyMenuRule(view_, MenuEvent::UndoAwaitingSecond);
        view_.SetText(PanelControl::txtLeft, QString());
        view_.SetText(PanelControl::txtTop, QString());
    } else {
        ApplyMenuRule(view_, MenuEvent::UndoAwaitingFirst);
    }
    PlaceCoordinatePanel();
    ShowHint();
}

void MainCommands::Redo()
{
    if (!ws_.blnAwaitFirst && !ws_.blnAwaitSecond) {
        ApplyMenuRule(view_, MenuEvent::RedoNoCornerAwaited);
        return;
    }
    // The menu offers Redo only while the stack holds a pair.
    if (ws_.colRedo.size() < 2)
        return;
    const auto pop = [this] {
        const std::int32_t value = ws_.colRedo.front();
        ws_.colRedo.pop_front();
        return value;
    };
    if (ws_.blnAwaitFirst) {
        ws_.lngTop = pop();
        ws_.lngLeft = pop();
        ShowCorner();
        ws_.blnAwaitFirst = false;
        ws_.blnAwaitSecond = true;
        ApplyMenuRule(view_, ws_.colRedo.empty() ? MenuEvent::RedoAwaitingFirstStackEmpty
                                                 : MenuEvent::RedoAwaitingFirstStackLeft);
    } else {
        ws_.lngRight = pop();
        ws_.lngBottom = pop();
        ShowCorner();
        ApplyMenuRule(view_, MenuEvent::RedoAwaitingSecond);
        ws_.blnAwaitFirst = false;
        ws_.blnAwaitSecond = false;
    }
    ShowHint();
}

QString EntryNameFromAnswer(const QString& answer)
{
    const QString trimmed = answer.trimmed();
    qsizetype end = 0;
    while (end < trimmed.size() && !trimmed.at(end).isSpace())
        ++end;
    return trimmed.left(end);
}

void MainCommands::CompleteEntry()
{
    if (ws_.blnAwaitFirst != ws_.blnAwaitSecond) {
        ApplyMenuRule(view_, MenuEvent::CompleteCornerAwaited);
        return;
    }
    const QString answer = dialogs_.Input(QStringLiteral("Enter Entry Name"), QStringLiteral("Entry Name"));
    const QString name = EntryNameFromAnswer(answer);
    if (name.isEmpty())
        return;
    if (ws_.colNames().contains(kEntryPrefix + name)) {
        dialogs_.Message(name + QStringLiteral(" is already a image map name"), QStringLiteral("Duplicate Name"),
                         MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    AppendEntry(ws_, name);
    ClearCoordinateFields();
    PlaceCoordinatePanel();
    ws_.blnAwaitFirst = true;
    ws_.blnSaved = false;
    ApplyMenuRule(view_, MenuEvent::CompleteEntryAdded);
    ShowCaption();
    if (answer.trimmed() != name)
        view_.ShowMessage(QStringLiteral("Added %1 (names are one word; \"%2\" was cut)").arg(name, answer.trimmed()));
    else
        view_.ShowMessage(QStringLiteral("Added %1: %2, %3 to %4, %5")
                              .arg(name)
                              .arg(ws_.lngLeft)
                              .arg(ws_.lngTop)
                              .arg(ws_.lngRight)
                              .arg(ws_.lngBottom));
    ShowHint();
}

void MainCommands::RemoveEntry(int index)
{
    const std::optional<Entry> removed = ravelock::RemoveEntry(ws_, index);
    if (!removed)
        return;
    view_.ShowMessage(QStringLiteral("Removed ") + removed->name);
    ShowCaption();
}

void MainCommands::ShowHint()
{
    QString hint;
    if (texture_ == Texture::None)
        hint = QStringLiteral("Open a texture to start (Ctrl+O)");
    else if (texture_ == Texture::Painting)
        hint = QString();
    else if (ws_.blnAwaitFirst)
        hint = QStringLiteral("Click the top-left corner of a region");
    else if (ws_.blnAwaitSecond)
        hint = QStringLiteral("Click the bottom-right corner (Ctrl+Z takes the first corner back)");
    else
        hint = QStringLiteral("Name the region: Edit > Complete Entry (Ctrl+E)");
    view_.ShowHint(hint);
}

// The document's name and whether it holds unsaved work, once there is a texture or a file.
void MainCommands::ShowCaption()
{
    QString document;
    if (!ws_.blnNoIniPath)
        document = QFileInfo(ws_.strIniPath).fileName();
    else if (texture_ != Texture::None)
        document = QStringLiteral("Untitled");
    view_.SetCaption(document.isEmpty() ? QStringLiteral("Ravelock") : QStringLiteral("%1[*] \u2014 Ravelock").arg(document),
                     !ws_.blnSaved);
}

void MainCommands::ClearCoordinateFields()
{
    for (PanelControl c : {PanelControl::txtLeft, PanelControl::txtRight, PanelControl::txtBottom,
                           PanelControl::txtTop})
        view_.SetText(c, QString());
    PlaceCoordinatePanel();
}

void MainCommands::PlaceCoordinatePanel()
{
    std::map<PanelControl, QSize> sizes;
    for (PanelControl c : kPanel)
        sizes[c] = view_.ControlSize(c);
    for (const auto& [control, at] : PlacePanel(view_.PictureInView(), sizes))
        view_.MoveControl(control, at);
}

} // namespace ravelock
