#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

namespace ravelock {

enum class PanelControl { lblLeft, lblRight, txtLeft, txtRight, lblTop, lblBottom, txtTop, txtBottom };

enum class MenuItem {
    mnuFileOpen,
    mnuFileSave,
    mnuFileSaveAs,
    mnuFileExit,
    mnuEditUndo,
    mnuEditRedo,
    mnuEditComplete,
    mnuEditDelete,
    mnuHelpReadme,
};

// The main window as its commands see it. Positions and sizes are in the
// window's pixels, measured from the top-left corner of the client area below
// the menu bar; the picture shows one texel a pixel.
class MainView {
public:
    virtual ~MainView() = default;

    virtual void SetVisible(PanelControl control, bool visible) = 0;
    virtual void SetText(PanelControl control, const QString& text) = 0;
    virtual void SetReadOnly(PanelControl control, bool readOnly) = 0;
    virtual QSize ControlSize(PanelControl control) const = 0;
    virtual void MoveControl(PanelControl control, QPoint at) = 0;

    virtual void SetMenuEnabled(MenuItem item, bool enabled) = 0;
    // The window's caption; "[*]" in it stands where the unsaved mark goes.
    virtual void SetCaption(const QString& caption, bool modified) = 0;

    // Places the window's frame on the screen.
    virtual void MoveWindow(QPoint frameTopLeft) = 0;
    // The part of the picture the window shows; the panel stands beside it.
    virtual QSize PictureInView() const = 0;
    // Gives the client area room for the whole picture and the panel, within the screen.
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
