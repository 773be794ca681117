#include "workspace/MenuRules.h"

#include <QFileInfo>

namespace ravelock {

std::vector<std::pair<MenuItem, bool>> MenuStates(const Workspace& ws)
{
    const bool ready = ws.texture == Texture::Ready;
    const Step step = ws.picking.step;
    // Redo sets again only a corner of the step it is at: after a name was
    // given, what is left on the stack waits for the next first corner to clear it.
    const bool redo = ready && !ws.redoCorners.empty() && ws.redoCorners.back().step == step;
    return {
        {MenuItem::mnuFileOpen, ws.texture == Texture::None},
        {MenuItem::mnuFileOpenMap, ready && ws.entries.empty()},
        {MenuItem::mnuFileSave, true},
        {MenuItem::mnuFileSaveAs, true},
        {MenuItem::mnuFileExit, true},
        {MenuItem::mnuEditUndo, ready && step != Step::FirstCorner},
        {MenuItem::mnuEditRedo, redo},
        {MenuItem::mnuEditUndoEntry, ws.history.Undoable() != nullptr},
        {MenuItem::mnuEditRedoEntry, ws.history.Redoable() != nullptr},
        {MenuItem::mnuEditComplete, ready && step == Step::Naming},
        {MenuItem::mnuEditRepeat, ready && !ws.entries.empty()}, // and entries chosen in the list
        {MenuItem::mnuEditMapShapes, ready},
        {MenuItem::mnuEditSlice, ready && step == Step::Naming},
        {MenuItem::mnuEditDelete, ws.deleteOffered},
        {MenuItem::mnuViewZoomIn, ready},
        {MenuItem::mnuViewZoomOut, ready},
        {MenuItem::mnuViewActualSize, ready},
        {MenuItem::mnuViewPickWithKeys, ready},
        {MenuItem::mnuHelpReadme, true},
    };
}

bool Offered(const Workspace& ws, MenuItem item)
{
    for (const auto& [each, enabled] : MenuStates(ws))
        if (each == item)
            return enabled;
    return false;
}

std::vector<std::pair<MenuItem, QString>> MenuTexts(const Workspace& ws)
{
    const EntryStep* undoable = ws.history.Undoable();
    const EntryStep* redoable = ws.history.Redoable();
    const QString any = QStringLiteral("Entry Change");
    return {{MenuItem::mnuEditUndoEntry, QStringLiteral("Undo ") + (undoable ? undoable->what : any)},
            {MenuItem::mnuEditRedoEntry, QStringLiteral("Redo ") + (redoable ? redoable->what : any)}};
}

QString Caption(const Workspace& ws)
{
    QString document;
    if (!ws.mapPath.isEmpty())
        document = QFileInfo(ws.mapPath).fileName();
    else if (ws.texture == Texture::Ready)
        document = QStringLiteral("Untitled");
    return document.isEmpty() ? QStringLiteral("Ravelock") : QStringLiteral("%1[*] \u2014 Ravelock").arg(document);
}

} // namespace ravelock
