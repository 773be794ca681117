#include "windows/main/PlanDialogs.h"

#include "windows/dialogs/FrmManyEntries.h"
#include "windows/main/EntryList.h"
#include "windows/main/ViewAids.h"
#include "windows/picture/TextureShapes.h"
#include "workspace/MenuRules.h"

#include <QAction>
#include <QScreen>

namespace ravelock {

void ShowBeside(const QWidget& window, QDialog& dialog)
{
    dialog.adjustSize();
    const QRect frame = window.frameGeometry();
    const QRect available = window.screen()->availableGeometry();
    const int width = dialog.frameGeometry().width() + 16;
    if (frame.right() + width <= available.right())
        dialog.move(frame.right() + 8, frame.top());
    else if (frame.left() - width >= available.left())
        dialog.move(frame.left() - width, frame.top());
    else // over the window's right side, where the panel and the columns are
        dialog.move(available.right() + 1 - dialog.frameGeometry().width(), frame.top());
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

PlanDialogs::PlanDialogs(QWidget& window, const MainCommands& commands, Runner run, ViewAids& aids,
                         const EntryList& entries, const TextureShapes& shapes, QAction& repeat)
    : QObject(&window), window_(window), commands_(commands), run_(std::move(run)), aids_(aids), entries_(entries),
      shapes_(shapes), repeatAction_(repeat)
{
}

void PlanDialogs::OfferRepeat()
{
    repeatAction_.setEnabled(Offered(commands_.State(), MenuItem::mnuEditRepeat) && entries_.isVisible() &&
                             !entries_.ChosenRows().empty());
}

bool PlanDialogs::Aim(QPoint texel)
{
    if (!repeat_)
        return false;
    repeat_->Aim(texel);
    repeat_->activateWindow();
    return true;
}

bool PlanDialogs::Added(const std::function<bool(MainCommands&)>& command)
{
    bool added = false;
    run_([&](MainCommands& commands) { added = command(commands); });
    return added;
}

void PlanDialogs::Open(PlanDialog& dialog, std::function<Plan()> plan, std::function<bool()> apply, const QString& hint)
{
    connect(&dialog, &PlanDialog::Planned, this, [this](const std::vector<QRect>& boxes) { aids_.Plan(boxes); });
    connect(&dialog, &QDialog::finished, this, [this] {
        aids_.Plan({});
        window_.activateWindow();
    });
    dialog.Start(std::move(plan), std::move(apply), hint);
    ShowBeside(window_, dialog);
}

void PlanDialogs::ShowRepeat()
{
    if (repeat_ || !repeatAction_.isEnabled())
        return;
    std::vector<Entry> sources;
    for (int row : entries_.ChosenRows())
        sources.push_back(commands_.State().entries[static_cast<std::size_t>(row)]);
    repeat_ = new FrmRepeat(&window_, sources);
    connect(repeat_, &QDialog::finished, this, [this] { repeat_.clear(); }); // closed, deleted a little later
    FrmRepeat& dialog = *repeat_;
    Open(
        dialog, [this, &dialog] { return PlanRepeat(commands_.State(), dialog.Sources(), dialog.Settings()); },
        [this, &dialog] {
            return Added(
                [&](MainCommands& commands) { return commands.RepeatEntries(dialog.Sources(), dialog.Settings()); });
        },
        QStringLiteral("Type the offset and the words that change, or click where the first copy goes"));
}

void PlanDialogs::ShowMapShapes()
{
    auto* dialog = new FrmMapShapes(&window_);
    dialog->setWindowModality(Qt::WindowModal);
    connect(&shapes_, &TextureShapes::Found, dialog, &PlanDialog::Replan);
    // While the search runs, the plan is refused as waiting, so OK keeps the dialog open.
    Open(
        *dialog,
        [this, dialog] {
            if (!shapes_.All())
                return Plan{{}, QStringLiteral("Finding the shapes\u2026"), dialog->windowTitle()};
            return PlanShapes(commands_.State(), *shapes_.All(), dialog->Base(), dialog->Join(), dialog->Numbers());
        },
        [this, dialog] {
            const std::vector<QRect>* found = shapes_.All();
            return found && Added([&](MainCommands& commands) {
                       return commands.MapAllShapes(*found, dialog->Base(), dialog->Join(), dialog->Numbers());
                   });
        });
}

void PlanDialogs::ShowSlice()
{
    if (!Offered(commands_.State(), MenuItem::mnuEditSlice))
        return;
    const QRect rectangle = commands_.State().picking.Box();
    auto* dialog = new FrmSlice(&window_, rectangle.size());
    dialog->setWindowModality(Qt::WindowModal);
    Open(
        *dialog,
        [this, dialog, rectangle] {
            const targa::ShapeTexels texels = shapes_.Texels();
            return PlanSlice(commands_.State(), rectangle, dialog->Settings(), &texels);
        },
        [this, dialog] {
            const targa::ShapeTexels texels = shapes_.Texels();
            return Added([&](MainCommands& commands) { return commands.SliceRectangle(dialog->Settings(), &texels); });
        });
}

} // namespace ravelock
