#include "workspace/MainCommands.h"

#include "workspace/MapDocument.h"
#include "workspace/MenuRules.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace ravelock {

namespace {

// A name is one word: the first of the answer.
QString EntryName(const QString& answer) { return answer.simplified().section(QLatin1Char(' '), 0, 0); }

} // namespace

void MainCommands::Load()
{
    view_.ShowPanel(false);
    Show();
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
    const QString name = EntryName(answer);
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
    KeepRecovery();
}

void MainCommands::RemoveEntry(int index)
{
    const std::optional<Entry> removed = ravelock::RemoveEntry(ws_, index);
    if (!removed)
        return;
    Show();
    view_.ShowMessage(QStringLiteral("Removed ") + removed->name);
    KeepRecovery();
}

std::optional<std::pair<QString, QString>> MainCommands::EditRefused(int index, const Entry& edited) const
{
    const QString title = QStringLiteral("Entry Properties");
    const QString name = EntryName(edited.name);
    if (name.isEmpty())
        return std::pair(title, QStringLiteral("An entry needs a name"));
    if (std::min({edited.left, edited.top, edited.right, edited.bottom}) < 0 || edited.left > ws_.lngImageWidth ||
        edited.right > ws_.lngImageWidth || edited.top > ws_.lngImageHeight || edited.bottom > ws_.lngImageHeight)
        return std::pair(title, QStringLiteral("The corners lie outside the texture"));
    for (std::size_t other = 0; other < ws_.entries.size(); ++other)
        if (static_cast<int>(other) != index && ws_.entries[other].name == name)
            return std::pair(QStringLiteral("Duplicate Name"), name + QStringLiteral(" is already a image map name"));
    return std::nullopt;
}

bool MainCommands::RefuseEdit(int index, const Entry& edited)
{
    const auto refused = EditRefused(index, edited);
    if (refused)
        dialogs_.Message(refused->second, refused->first, MessageIcon::Information, MessageButtons::Ok);
    return refused.has_value();
}

void MainCommands::EditEntry(int index, const Entry& edited)
{
    if (index < 0 || index >= static_cast<int>(ws_.entries.size()) || EditRefused(index, edited))
        return;
    Entry& entry = ws_.entries[static_cast<std::size_t>(index)];
    Entry changed = edited;
    changed.name = EntryName(edited.name);
    if (changed == entry)
        return;
    entry = changed;
    ws_.blnSaved = false;
    Show();
    view_.ShowMessage(QStringLiteral("Changed %1: %2, %3 to %4, %5")
                          .arg(entry.name)
                          .arg(entry.left)
                          .arg(entry.top)
                          .arg(entry.right)
                          .arg(entry.bottom));
    KeepRecovery();
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
