#include "windows/ViewAids.h"

#include "windows/DrawingArea.h"
#include "windows/Magnifier.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace ravelock {

namespace {

QAction* AddToggle(QMenu& menu, const char* name, const QString& caption, const QKeySequence& shortcut)
{
    QAction* action = menu.addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setCheckable(true);
    return action;
}

QRect Spanned(int left, int top, int right, int bottom)
{
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)), QPoint(std::max(left, right), std::max(top, bottom)));
}

} // namespace

ViewAids::ViewAids(const Workspace& ws, QMenu& menu, DrawingArea& drawing, Magnifier& magnifier,
                   std::function<void()> magnifierToggled)
    : QObject(&menu), ws_(ws), drawing_(drawing), magnifier_(magnifier),
      regions_(AddToggle(menu, "mnuViewRegions", QStringLiteral("Show &Regions"), QKeySequence(Qt::CTRL | Qt::Key_G))),
      magnify_(AddToggle(menu, "mnuViewMagnifier", QStringLiteral("&Magnifier"), QKeySequence(Qt::CTRL | Qt::Key_M)))
{
    magnifier_.hide();
    connect(regions_, &QAction::toggled, this, &ViewAids::ShowRegions);
    connect(magnify_, &QAction::toggled, this, [this, toggled = std::move(magnifierToggled)](bool on) {
        magnifier_.setVisible(on);
        Follow();
        toggled();
    });
}

bool ViewAids::RegionComplete() const
{
    return !ws_.blnAwaitFirst && !ws_.blnAwaitSecond && !ws_.strTextureName.isEmpty();
}

void ViewAids::Update()
{
    lastCorner_.reset();
    if (ws_.blnAwaitSecond)
        lastCorner_ = QPoint(ws_.lngLeft, ws_.lngTop);
    else if (RegionComplete())
        lastCorner_ = QPoint(ws_.lngRight, ws_.lngBottom);
    ShowRegions(regions_->isChecked());
    Follow();
}

void ViewAids::ShowRegions(bool shown)
{
    RegionScene scene;
    if (shown) {
        scene.entries.reserve(ws_.entries.size());
        for (const Entry& entry : ws_.entries)
            scene.entries.push_back({Spanned(entry.left, entry.top, entry.right, entry.bottom), entry.name});
        if (ws_.blnAwaitSecond)
            scene.firstCorner = QPoint(ws_.lngLeft, ws_.lngTop);
        else if (RegionComplete())
            scene.pending = Spanned(ws_.lngLeft, ws_.lngTop, ws_.lngRight, ws_.lngBottom);
    }
    drawing_.SetScene(std::move(scene));
}

void ViewAids::PointerAt(int x, int y)
{
    pointer_ = x < 0 ? std::nullopt : std::optional(QPoint(x, y));
    Follow();
}

void ViewAids::Follow()
{
    if (magnify_->isChecked())
        magnifier_.Centre(pointer_ ? pointer_ : lastCorner_);
}

} // namespace ravelock
