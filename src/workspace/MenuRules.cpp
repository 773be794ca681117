#include "workspace/MenuRules.h"

namespace ravelock {

std::vector<std::pair<MenuItem, bool>> MenuStates(const Workspace& ws)
{
    const bool ready = ws.texture == Texture::Ready;
    const Step step = ws.picking.step;
    // Redo sets again only a corner of the step it is at: after a name was
    // given, what is left on the stack waits for the next first corner to clear it.
    const bool redo = ready && !ws.colRedo.empty() && ws.colRedo.back().step == step;
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
        {MenuItem::mnuEditDelete, ws.deleteOffered},
        {MenuItem::mnuHelpReadme, true},
    };
}

} // namespace ravelock
