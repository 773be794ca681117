#include "workspace/MainCommands.h"

#include "workspace/MapDocument.h"
#include "workspace/MenuRules.h"

#include <algorithm>
#include <optional>

namespace ravelock {

void MainCommands::Load()
{
    view_.ShowPanel(false);
    Show();
}

void MainCommands::Exit()
{
    if (ws_.Saved()) {
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
    if (ws_.texture != Texture::Ready || !ws_.Holds(texel))
        return;
    Picking& picking = ws_.picking;
    switch (picking.step) {
    case Step::FirstCorner:
        picking.first = texel;
        picking.step = Step::SecondCorner;
        ws_.redoCorners.clear();
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
    view_.ShowHint(QStringLiteral("This region is complete: type its name (or Ctrl+E), Ctrl+Z takes back a corner"));
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
    if (grow && picking.step != Step::FirstCorner)
        box |=
            Picking{picking.step, picking.first, picking.step == Step::Naming ? picking.second : picking.first}.Box();
    if (picking.step != Step::Naming)
        ws_.redoCorners.clear(); // a new first corner
    picking = {Step::Naming, box.topLeft(), box.bottomRight()};
    Show();
    view_.ShowHint(QStringLiteral("Shape %1 x %2 at %3, %4: type its name (or Ctrl+E)")
                       .arg(box.width())
                       .arg(box.height())
                       .arg(box.left())
                       .arg(box.top()));
}

void MainCommands::Undo()
{
    Picking& picking = ws_.picking;
    if (picking.step == Step::Naming) {
        ws_.redoCorners.push_back({Step::SecondCorner, picking.second});
        picking.step = Step::SecondCorner;
    } else if (picking.step == Step::SecondCorner) {
        ws_.redoCorners.push_back({Step::FirstCorner, picking.first});
        picking.step = Step::FirstCorner;
    }
    Show();
}

void MainCommands::Redo()
{
    Picking& picking = ws_.picking;
    if (ws_.redoCorners.empty() || ws_.redoCorners.back().step != picking.step)
        return;
    const QPoint texel = ws_.redoCorners.back().texel;
    ws_.redoCorners.pop_back();
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
    if (ws_.picking.step == Step::Naming)
        NameRectangle(dialogs_.Input(QStringLiteral("Enter Entry Name"), QStringLiteral("Entry Name")));
}

bool MainCommands::NameRectangle(const QString& typed)
{
    if (ws_.picking.step != Step::Naming)
        return false;
    const QString answer = typed.trimmed();
    const QString name = EntryName(answer);
    if (name.isEmpty())
        return false;
    if (ws_.Find(name)) {
        dialogs_.Message(DuplicateName(name), QStringLiteral("Duplicate Name"), MessageIcon::Information,
                         MessageButtons::Ok);
        return false;
    }
    const QPoint first = ws_.picking.first;
    const QPoint second = ws_.picking.second;
    const Entry entry{name, first.x(), first.y(), second.x(), second.y()};
    ws_.picking.step = Step::FirstCorner;
    ws_.deleteOffered = true;
    Change({QStringLiteral("Adding ") + name, {}, {{ws_.entries.size(), entry}}},
           answer != name ? QStringLiteral("Added %1 (names are one word; \"%2\" was cut)").arg(name, answer)
                          : QStringLiteral("Added %1: %2, %3 to %4, %5")
                                .arg(name)
                                .arg(first.x())
                                .arg(first.y())
                                .arg(second.x())
                                .arg(second.y()));
    return true;
}

void MainCommands::DeleteEntry(const std::vector<int>& chosen)
{
    if (chosen.size() < 2)
        return view_.ShowDeleteDialog();
    std::vector<std::pair<std::size_t, Entry>> out;
    QStringList names;
    for (int index : chosen)
        if (index >= 0 && index < static_cast<int>(ws_.entries.size())) {
            out.emplace_back(static_cast<std::size_t>(index), ws_.entries[static_cast<std::size_t>(index)]);
            names << out.back().second.name;
        }
    std::sort(out.begin(), out.end(), [](const auto& l, const auto& r) { return l.first < r.first; });
    const QString count = QStringLiteral("%1 entries").arg(out.size());
    const QString shown =
        names.mid(0, 3).join(QStringLiteral(", ")) + (names.size() > 3 ? QStringLiteral(", \u2026") : QString());
    if (dialogs_.Message(QStringLiteral("Remove %1 (%2)?").arg(count, shown), QStringLiteral("Delete Entry"),
                         MessageIcon::Exclamation, MessageButtons::YesNoDefaultNo) != Answer::Yes)
        return;
    Change({QStringLiteral("Removing ") + count, std::move(out), {}}, QStringLiteral("Removed ") + count);
}

void MainCommands::RemoveEntry(int index)
{
    if (index < 0 || index >= static_cast<int>(ws_.entries.size()))
        return;
    const Entry removed = ws_.entries[static_cast<std::size_t>(index)];
    Change({QStringLiteral("Removing ") + removed.name, {{static_cast<std::size_t>(index), removed}}, {}},
           QStringLiteral("Removed ") + removed.name);
}

bool MainCommands::EditEntry(int index, const Entry& edited)
{
    const auto refuse = [this](const QString& text, const QString& title) {
        dialogs_.Message(text, title, MessageIcon::Information, MessageButtons::Ok);
        return false;
    };
    if (index < 0 || index >= static_cast<int>(ws_.entries.size()))
        return false;
    const auto at = static_cast<std::size_t>(index);
    Entry changed = edited;
    changed.name = EntryName(edited.name);
    if (changed.name.isEmpty())
        return refuse(QStringLiteral("An entry needs a name"), QStringLiteral("Entry Properties"));
    if (const std::optional<std::size_t> other = ws_.Find(changed.name); other && *other != at)
        return refuse(DuplicateName(changed.name), QStringLiteral("Duplicate Name"));
    if (changed == ws_.entries[at])
        return true;
    Change({QStringLiteral("Changing ") + changed.name, {{at, ws_.entries[at]}}, {{at, changed}}},
           QStringLiteral("Changed %1: %2, %3 to %4, %5")
               .arg(changed.name)
               .arg(changed.left)
               .arg(changed.top)
               .arg(changed.right)
               .arg(changed.bottom));
    return true;
}

void MainCommands::NudgeEntry(int index, QPoint by, bool resize)
{
    if (ws_.texture != Texture::Ready || index < 0 || index >= static_cast<int>(ws_.entries.size()))
        return;
    const auto at = static_cast<std::size_t>(index);
    const Entry before = ws_.entries[at];
    QRect box = before.Box();
    if (resize)
        box.setBottomRight(box.bottomRight() + by);
    else
        box.translate(by);
    if (box.width() < 1 || box.height() < 1 || !ws_.Holds(box.topLeft()) || !ws_.Holds(box.bottomRight())) {
        view_.Bell();
        return;
    }
    const Entry moved{before.name, box.left(), box.top(), box.right(), box.bottom()};
    EntryStep step{QStringLiteral("Nudging ") + moved.name, {{at, before}}, {{at, moved}}};
    const QString message = QStringLiteral("%1: %2, %3 to %4, %5")
                                .arg(moved.name)
                                .arg(moved.left)
                                .arg(moved.top)
                                .arg(moved.right)
                                .arg(moved.bottom);
    if (ws_.history.Amend(ws_.entries, step))
        Changed(message);
    else
        Change(std::move(step), message);
}

void MainCommands::UndoEntryChange()
{
    if (const EntryStep* step = ws_.history.Undo(ws_.entries))
        Changed(step->in.empty() ? QStringLiteral("Brought back ") + step->what.section(QLatin1Char(' '), 1)
                                 : QStringLiteral("Undid ") + step->what.left(1).toLower() + step->what.mid(1));
}

void MainCommands::RedoEntryChange()
{
    if (const EntryStep* step = ws_.history.Redo(ws_.entries))
        Changed(QStringLiteral("Redid ") + step->what.left(1).toLower() + step->what.mid(1));
}

void MainCommands::Change(EntryStep step, const QString& message)
{
    ws_.history.Do(ws_.entries, std::move(step));
    Changed(message);
}

void MainCommands::Changed(const QString& message)
{
    Show();
    view_.ShowMessage(message);
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
    return QStringLiteral("Type its name (or Ctrl+E)");
}

void MainCommands::Show()
{
    view_.ShowState(ws_);
    view_.ShowHint(Hint());
}

} // namespace ravelock
