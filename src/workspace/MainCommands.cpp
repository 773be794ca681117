#include "workspace/MainCommands.h"

#include "workspace/MapDocument.h"
#include "workspace/MenuRules.h"
#include "workspace/Twips.h"

#include <QDir>

#include <optional>

namespace ravelock {

namespace {

QString InitialFolder()
{
    const QString legacy = QStringLiteral("J:\\");
    return QDir(legacy).exists() ? legacy : QString();
}

std::optional<std::int32_t> CheckedAdd(std::int32_t a, std::int32_t b)
{
    std::int32_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return std::nullopt;
    return sum;
}

std::int32_t PixelOf(float twips) { return PixelsFromTwips(static_cast<double>(twips)); }

} // namespace

const FileDialogSettings kOpenDialog{QStringLiteral("Open"), QStringLiteral("Targa (*.tga)|*.tga"), QString(),
                                     InitialFolder()};
const FileDialogSettings kSaveAsDialog{QStringLiteral("Save As"), QStringLiteral("Ini File (*.ini)|*.ini"),
                                       QStringLiteral("*.ini"), InitialFolder()};

void MainCommands::Load()
{
    for (PanelControl c : {PanelControl::lblTop, PanelControl::lblRight, PanelControl::lblLeft,
                           PanelControl::lblBottom, PanelControl::txtTop, PanelControl::txtRight,
                           PanelControl::txtBottom, PanelControl::txtLeft})
        view_.SetVisible(c, false);
    ClearCoordinateFields();
    ws_.blnAwaitFirst = false;
    ws_.blnAwaitSecond = false;
    AddHeaderLines(ws_);
    ws_.blnSaved = true;
    ws_.blnNoIniPath = true;
    ApplyMenuRule(view_, MenuEvent::StartUp);
    ws_.blnSaveFailed = false;
    view_.SetWindowLeft(10);
    view_.SetWindowTop(10);
    for (PanelControl c : {PanelControl::txtRight, PanelControl::txtLeft, PanelControl::txtBottom,
                           PanelControl::txtTop})
        view_.SetReadOnly(c, true);
}

void MainCommands::Open()
{
    const std::optional<QString> path = dialogs_.OpenFile(kOpenDialog);
    if (!path)
        return;
    ws_.strTexturePath = *path;
    ApplyMenuRule(view_, MenuEvent::OpenDialogReturned);
    view_.LoadTexture(ws_.strTexturePath, ws_.lngImageHeight, ws_.lngImageWidth);
    if (ending_)
        return;
    std::int32_t height = 0;
    std::int32_t width = 0;
    if (__builtin_mul_overflow(ws_.lngImageHeight, kTwipsPerPixel, &height))
        return;
    ws_.lngImageHeight = height;
    if (__builtin_mul_overflow(ws_.lngImageWidth, kTwipsPerPixel, &width))
        return;
    ws_.lngImageWidth = width;
    for (PanelControl c : {PanelControl::lblTop, PanelControl::lblRight, PanelControl::lblLeft,
                           PanelControl::lblBottom, PanelControl::txtTop, PanelControl::txtRight,
                           PanelControl::txtBottom, PanelControl::txtLeft})
        view_.SetVisible(c, true);
    if (!ExtractTextureName() || !SizeWindowToImage())
        return;
    ClearCoordinateFields();
    PlaceCoordinatePanel();
    ws_.blnAwaitFirst = true;
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

void MainCommands::Save()
{
    if (ws_.blnNoIniPath) {
        SaveAs();
        return;
    }
    if (auto failure = WriteIniFile(ws_)) {
        ReportWriteFailure(*failure);
        return;
    }
    ws_.blnSaveFailed = false;
}

void MainCommands::SaveAs()
{
    const std::optional<QString> path = dialogs_.SaveFile(kSaveAsDialog);
    if (!path) {
        ws_.blnSaveFailed = true;
        return;
    }
    ws_.strIniPath = *path;
    if (auto failure = WriteIniFile(ws_)) {
        ReportWriteFailure(*failure);
        return;
    }
    ws_.blnSaveFailed = false;
}

void MainCommands::ReportWriteFailure(const QString& reason)
{
    ws_.blnSaveFailed = true;
    dialogs_.Message(QStringLiteral("There was an error writing the file:\r\n%1\r\n%2").arg(ws_.strIniPath, reason),
                     QStringLiteral("Error"), MessageIcon::Critical, MessageButtons::Ok);
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
        Save();
        if (!ws_.blnSaveFailed)
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

void MainCommands::MouseDown(int /*button*/, int /*shift*/, float x, float y)
{
    if (!(static_cast<double>(y) <= ws_.lngImageHeight && static_cast<double>(x) <= ws_.lngImageWidth))
        return;
    if (ws_.blnAwaitFirst) {
        ws_.lngTop = PixelOf(y);
        ws_.lngLeft = PixelOf(x);
        ShowCorner();
        ws_.blnAwaitFirst = false;
        ws_.blnAwaitSecond = true;
        ws_.colRedo.clear();
        ApplyMenuRule(view_, MenuEvent::ClickAwaitingFirst);
    } else if (ws_.blnAwaitSecond) {
        ws_.lngBottom = PixelOf(y);
        ws_.lngRight = PixelOf(x);
        ShowCorner();
        ws_.blnAwaitSecond = false;
        ws_.blnAwaitFirst = false;
        ApplyMenuRule(view_, MenuEvent::ClickAwaitingSecond);
    } else {
        ApplyMenuRule(view_, MenuEvent::ClickNoCornerAwaited);
    }
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
}

void MainCommands::Redo()
{
    // The menu offers Redo only while the stack holds a pair.
    if (ws_.blnAwaitFirst == ws_.blnAwaitSecond && !ws_.blnAwaitFirst) {
        ApplyMenuRule(view_, MenuEvent::RedoNoCornerAwaited);
        return;
    }
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
}

QString EntryNameFromAnswer(const QString& answer)
{
    qsizetype start = 0;
    while (start < answer.size() && answer.at(start).isSpace())
        ++start;
    qsizetype end = start;
    while (end < answer.size() && !answer.at(end).isSpace())
        ++end;
    return answer.mid(start, end - start);
}

void MainCommands::CompleteEntry()
{
    if (ws_.blnAwaitFirst != ws_.blnAwaitSecond) {
        ApplyMenuRule(view_, MenuEvent::CompleteCornerAwaited);
        return;
    }
    const QString name = EntryNameFromAnswer(dialogs_.Input(QStringLiteral("Enter Entry Name"), QStringLiteral("Entry Name")));
    if (name.isEmpty())
        return;
    if (ws_.colNames.contains(kEntryPrefix + name)) {
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
}

void MainCommands::RemoveEntry() { ravelock::RemoveEntry(ws_); }

void MainCommands::ClearCoordinateFields()
{
    for (PanelControl c : {PanelControl::txtLeft, PanelControl::txtRight, PanelControl::txtBottom,
                           PanelControl::txtTop})
        view_.SetText(c, QString());
    PlaceCoordinatePanel();
}

void MainCommands::PlaceCoordinatePanel()
{
    using C = PanelControl;
    const std::optional<std::int32_t> besideImage = CheckedAdd(ws_.lngImageWidth, 10);
    if (!besideImage)
        return;
    const auto nextTo = [this](C control) { return view_.Left(control) + view_.Width(control) + 10.0f; };
    view_.SetLeft(C::lblLeft, static_cast<float>(*besideImage));
    view_.SetLeft(C::txtLeft, nextTo(C::lblLeft));
    view_.SetLeft(C::lblTop, nextTo(C::txtLeft));
    view_.SetLeft(C::txtTop, nextTo(C::lblTop));
    view_.SetLeft(C::lblRight, static_cast<float>(*besideImage));
    view_.SetLeft(C::txtRight, nextTo(C::lblRight));
    view_.SetLeft(C::lblBottom, nextTo(C::txtRight));
    view_.SetLeft(C::txtBottom, nextTo(C::lblBottom));

    const double middle = static_cast<double>(ws_.lngImageHeight) / 2.0;
    view_.SetTop(C::txtLeft, static_cast<float>(middle - 10.0 - static_cast<double>(view_.Height(C::txtLeft))));
    view_.SetTop(C::lblLeft, view_.Top(C::txtLeft));
    view_.SetTop(C::lblTop, view_.Top(C::txtLeft));
    view_.SetTop(C::txtTop, view_.Top(C::txtLeft));
    view_.SetTop(C::txtBottom, static_cast<float>(middle + 10.0));
    view_.SetTop(C::txtRight, view_.Top(C::txtBottom));
    view_.SetTop(C::lblRight, view_.Top(C::txtBottom));
    view_.SetTop(C::lblBottom, view_.Top(C::txtBottom));
}

bool MainCommands::SizeWindowToImage()
{
    const std::optional<std::int32_t> height = CheckedAdd(ws_.lngImageHeight, 750);
    const std::optional<std::int32_t> width = CheckedAdd(ws_.lngImageWidth, 4050);
    if (!height || !width)
        return false;
    view_.SetOuterHeight(static_cast<float>(*height));
    view_.SetOuterWidth(static_cast<float>(*width));
    return true;
}

} // namespace ravelock
