// The main window's document side: files dropped on it, the entries list, and the dialogs that show the entries.
#include "windows/dialogs/FrmDelete.h"
#include "windows/dialogs/FrmEntryProperties.h"
#include "windows/dialogs/FrmReadme.h"
#include "windows/main/EntryList.h"
#include "windows/main/FrmMain.h"
#include "windows/main/PlanDialogs.h"
#include "windows/main/ViewAids.h"
#include "windows/picture/DrawingArea.h"
#include "windows/picture/ScrollingPicture.h"
#include "workspace/MenuRules.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>

namespace ravelock {

namespace {

// The one local file dragged, if its name ends in `suffix`.
QString DraggedFile(const QMimeData* data, const QString& suffix)
{
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return {};
    const QString path = urls.first().toLocalFile();
    return path.endsWith(suffix, Qt::CaseInsensitive) ? path : QString();
}

} // namespace

void FrmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedCommand(event->mimeData()).first.isEmpty())
        event->acceptProposedAction();
}

// A texture while Open is offered, a map while Open Map is.
std::pair<QString, bool> FrmMain::DroppedCommand(const QMimeData* data) const
{
    if (const QString texture = DraggedFile(data, QStringLiteral(".tga"));
        !texture.isEmpty() && Offered(commands_.State(), MenuItem::mnuFileOpen))
        return {texture, false};
    if (const QString map = DraggedFile(data, QStringLiteral(".ini"));
        !map.isEmpty() && Offered(commands_.State(), MenuItem::mnuFileOpenMap))
        return {map, true};
    return {};
}

void FrmMain::dropEvent(QDropEvent* event)
{
    const std::pair<QString, bool> dropped = DroppedCommand(event->mimeData());
    // Not a structured binding: clang 14 refuses to capture one.
    const QString path = dropped.first;
    const bool map = dropped.second;
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Painting yields to the event loop; the drag source must not wait on it.
    QTimer::singleShot(0, this, [this, path, map] {
        Run([path, map](MainCommands& commands) { map ? commands.OpenMapFile(path) : commands.OpenTexture(path); });
    });
}

void FrmMain::BuildEntryList(QAction& toggle)
{
    connect(&toggle, &QAction::toggled, this, [this](bool on) {
        entries_->setVisible(on);
        if (on) {
            entries_->Load(commands_.State().entries);
            entries_->setFocus();
        }
        aids_->Choose(on ? entries_->Chosen() : -1);
        plans_->OfferRepeat();
        ColumnToggled(*entries_);
    });
    connect(entries_, &EntryList::ChosenChanged, this, [this](int index) {
        aids_->Choose(index);
        if (index < 0)
            return;
        const QRect box = drawing_->Shown(commands_.State().entries[static_cast<std::size_t>(index)].Box());
        scroll_->ensureVisible(box.center().x(), box.center().y(), box.width() / 2 + 8, box.height() / 2 + 8);
    });
    connect(entries_, &QTreeWidget::itemSelectionChanged, plans_, &PlanDialogs::OfferRepeat);
    connect(entries_, &EntryList::Nudged, this, [this](int index, QPoint by, bool resize) {
        if (!properties_) // the entry being adjusted keeps its place until OK
            Run([=](MainCommands& commands) { commands.NudgeEntry(index, by, resize); });
    });
    connect(entries_, &EntryList::PropertiesRequested, this, &FrmMain::ShowEntryProperties);
}

void FrmMain::ShowEntryProperties(int index)
{
    if (properties_ || index < 0 || index >= static_cast<int>(commands_.State().entries.size()))
        return;
    const Workspace& ws = commands_.State();
    const auto apply = [this, index](const Entry& values) {
        bool applied = false;
        Run([&](MainCommands& commands) { applied = commands.EditEntry(index, values); });
        return applied;
    };
    properties_ = new FrmEntryProperties(this, ws.entries[static_cast<std::size_t>(index)],
                                         QSize(ws.imageWidth, ws.imageHeight), apply);
    properties_->setAttribute(Qt::WA_DeleteOnClose);
    connect(properties_, &FrmEntryProperties::Changed, this,
            [this, index](const Entry& values) { aids_->Preview(std::pair(index, values)); });
    connect(properties_, &QDialog::finished, this, [this] {
        properties_.clear(); // closed, deleted a little later
        aids_->Preview(std::nullopt);
        ShowState(commands_.State());
        activateWindow();
        entries_->setFocus();
    });
    // Beside the window, not in its way: the entry's handles on the picture move its edges.
    aids_->Preview(std::pair(index, properties_->Values()));
    if (delete_)
        delete_->hide(); // no entry is removed under the one being adjusted
    ShowState(commands_.State());
    ShowBeside(*this, *properties_);
}

// Loads a window that is not open yet; an open one is only brought forward.
static void Present(QWidget& window, const std::function<void()>& load)
{
    if (!window.isVisible())
        load();
    window.show();
    window.raise();
    window.activateWindow();
}

void FrmMain::ShowDeleteDialog()
{
    if (!delete_) {
        delete_ = std::make_unique<FrmDelete>(this);
        connect(delete_.get(), &FrmDelete::RemoveRequested, this,
                [this](int index) { Run([index](MainCommands& commands) { commands.RemoveEntry(index); }); });
        // A window manager may give the keyboard to no window when the dialog goes.
        connect(delete_.get(), &QDialog::finished, this, [this] { activateWindow(); });
    }
    const int chosen = entries_->isVisible() ? entries_->Chosen() : -1;
    Present(*delete_, [this, chosen] { delete_->Load(commands_.State().Headings(), chosen); });
}

void FrmMain::ShowReadme()
{
    if (!readme_)
        readme_ = std::make_unique<FrmReadme>();
    Present(*readme_, [this] { readme_->Load(); });
}

} // namespace ravelock
