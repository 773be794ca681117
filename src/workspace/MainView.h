#pragma once

#include "workspace/Workspace.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

namespace ravelock {

enum class MenuItem {
    mnuFileOpen,
    mnuFileOpenMap,
    mnuFileSave,
    mnuFileSaveAs,
    mnuFileExit,
    mnuEditUndo,
    mnuEditRedo,
    mnuEditUndoEntry,
    mnuEditRedoEntry,
    mnuEditComplete,
    mnuEditRepeat,
    mnuEditMapShapes,
    mnuEditSlice,
    mnuEditDelete,
    mnuViewZoomIn,
    mnuViewZoomOut,
    mnuViewActualSize,
    mnuViewPickWithKeys,
    mnuHelpReadme,
};

// The main window as its commands see it. Corners are texels; the window
// lays out its own parts.
class MainView {
public:
    virtual ~MainView() = default;

    // The coordinate panel beside the picture.
    virtual void ShowPanel(bool shown) = 0;
    // Everything the window shows of the state `ws` is in: the corners in the fields, the menu items
    // (MenuStates, MenuTexts), the caption (Caption, marked while the document is not saved), the aids
    // over the picture and the entries list. Called after every change.
    virtual void ShowState(const Workspace& ws) = 0;
    // Gives the window room for the whole picture and the panel, within the screen.
    virtual void FitWindowToPicture() = 0;

    // The status line: what to do next, and what has just happened.
    virtual void ShowHint(const QString& text) = 0;
    virtual void ShowMessage(const QString& text) = 0;
    // The desktop's bell, for an action that could not be done.
    virtual void Bell() = 0;

    // Decodes the texture onto the window's drawing surface and returns its
    // size; nothing when not one texel could be painted, and the window then
    // looks as it did before.
    virtual std::optional<QSize> LoadTexture(const QString& path) = 0;
    virtual void ShowDeleteDialog() = 0;
    virtual void ShowReadme() = 0;
    // Closes every window of the program; no handler runs afterwards.
    virtual void EndProgram() = 0;
};

} // namespace ravelock
