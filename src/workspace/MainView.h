#pragma once

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
    mnuEditDelete,
    mnuHelpReadme,
};

// The main window as its commands see it. Corners are texels; the window
// lays out its own parts.
class MainView {
public:
    virtual ~MainView() = default;

    // The coordinate panel beside the picture.
    virtual void ShowPanel(bool shown) = 0;
    // Left and Top from `first`, Right and Bottom from `second`; empty fields where there is none.
    virtual void ShowCorners(std::optional<QPoint> first, std::optional<QPoint> second) = 0;
    virtual void SetMenuEnabled(MenuItem item, bool enabled) = 0;
    // An item whose words name what it would do ("Undo Removing Button"); the window adds the mnemonic.
    virtual void SetMenuText(MenuItem item, const QString& text) = 0;
    // The window's caption; "[*]" in it stands where the unsaved mark goes.
    virtual void SetCaption(const QString& caption, bool modified) = 0;
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
