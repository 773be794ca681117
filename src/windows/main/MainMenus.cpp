#include "windows/main/MainMenus.h"

#include <QAction>
#include <QMenuBar>

#include <optional>

namespace ravelock {

namespace {

enum class Kind { Command, Toggle, ToggleOn, Separator };

struct Row {
    const char* menu;
    Kind kind;
    const char* name;
    const char* caption;
    QList<QKeySequence> keys;
    std::optional<MenuItem> item;
};

QList<QKeySequence> Key(QKeyCombination combination) { return {QKeySequence(combination)}; }

} // namespace

MainMenus AddMainMenus(QMenuBar& bar, const std::function<void(MenuItem)>& triggered)
{
    using M = MenuItem;
    constexpr Kind C = Kind::Command, T = Kind::Toggle;
    const auto after = [](const char* menu) { return Row{menu, Kind::Separator, nullptr, nullptr, {}, {}}; };
    const Row rows[] = {
        {"&File", C, "mnuFileOpen", "&Open", Key(Qt::CTRL | Qt::Key_O), M::mnuFileOpen},
        {"&File", C, "mnuFileOpenMap", "Open &Map\u2026", Key(Qt::CTRL | Qt::SHIFT | Qt::Key_O), M::mnuFileOpenMap},
        after("&File"),
        {"&File", C, "mnuFileSave", "&Save", Key(Qt::CTRL | Qt::Key_S), M::mnuFileSave},
        {"&File", C, "mnuFileSaveAs", "Save &As", {}, M::mnuFileSaveAs},
        after("&File"),
        {"&File", C, "mnuFileExit", "E&xit", {}, M::mnuFileExit},
        {"&Edit", C, "mnuEditUndo", "&Undo", Key(Qt::CTRL | Qt::Key_Z), M::mnuEditUndo},
        {"&Edit", C, "mnuEditRedo", "&Redo", Key(Qt::CTRL | Qt::Key_Y), M::mnuEditRedo},
        {"&Edit", C, "mnuEditUndoEntry", "U&ndo Entry Change", Key(Qt::CTRL | Qt::ALT | Qt::Key_Z),
         M::mnuEditUndoEntry},
        {"&Edit", C, "mnuEditRedoEntry", "R&edo Entry Change", Key(Qt::CTRL | Qt::ALT | Qt::Key_Y),
         M::mnuEditRedoEntry},
        after("&Edit"),
        {"&Edit", C, "mnuEditComplete", "&Complete Entry", Key(Qt::CTRL | Qt::Key_E), M::mnuEditComplete},
        {"&Edit", C, "mnuEditRepeat", "&Repeat Entries\u2026", Key(Qt::CTRL | Qt::Key_D), M::mnuEditRepeat},
        {"&Edit", C, "mnuEditMapShapes", "Map &All Shapes\u2026", Key(Qt::CTRL | Qt::SHIFT | Qt::Key_A),
         M::mnuEditMapShapes},
        {"&Edit", C, "mnuEditSlice", "&Slice\u2026", Key(Qt::CTRL | Qt::Key_K), M::mnuEditSlice},
        after("&Edit"),
        {"&Edit", C, "mnuEditDelete", "&Delete Entry", Key(Qt::Key_Delete), M::mnuEditDelete},
        {"&View",
         C,
         "mnuViewZoomIn",
         "Zoom &In",
         {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
         M::mnuViewZoomIn},
        {"&View", C, "mnuViewZoomOut", "Zoom &Out", Key(Qt::CTRL | Qt::Key_Minus), M::mnuViewZoomOut},
        {"&View", C, "mnuViewActualSize", "&Actual Size", Key(Qt::CTRL | Qt::Key_0), M::mnuViewActualSize},
        {"&View", C, "mnuViewPickWithKeys", "&Pick with Keys", Key(Qt::CTRL | Qt::Key_P), M::mnuViewPickWithKeys},
        after("&View"),
        {"&View", T, "mnuViewRegions", "Show &Regions", Key(Qt::CTRL | Qt::Key_G), {}},
        {"&View", T, "mnuViewMagnifier", "&Magnifier", Key(Qt::CTRL | Qt::Key_M), {}},
        {"&View", T, "mnuViewTransparency", "Show &Transparency", Key(Qt::CTRL | Qt::Key_T), {}},
        // The grid draws only where a texel is large enough to hold one.
        {"&View", Kind::ToggleOn, "mnuViewTexelGrid", "Texel &Grid", {}, {}},
        {"&View", T, "mnuViewEntries", "&Entries", Key(Qt::CTRL | Qt::Key_L), {}},
        {"&Help", C, "mnuHelpReadme", "&Readme", Key(Qt::CTRL | Qt::Key_R), M::mnuHelpReadme},
    };
    MainMenus made;
    std::map<QString, QMenu*> menus;
    for (const Row& row : rows) {
        QMenu*& menu = menus[QString::fromLatin1(row.menu)];
        if (!menu)
            menu = bar.addMenu(QString::fromLatin1(row.menu));
        if (row.kind == Kind::Separator) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf8(row.caption));
        action->setObjectName(QString::fromLatin1(row.name));
        action->setShortcuts(row.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        if (row.item) {
            QObject::connect(action, &QAction::triggered, &bar, [triggered, item = *row.item] { triggered(item); });
            made.commands[*row.item] = action;
            continue;
        }
        action->setCheckable(true);
        action->setChecked(row.kind == Kind::ToggleOn);
        made.toggles[action->objectName()] = action;
    }
    return made;
}

} // namespace ravelock
