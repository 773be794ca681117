#pragma once

#include <QString>

#include <cstdint>

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

// The main window as its commands see it. Positions and sizes are in twips,
// measured from the top-left corner of the client area below the menu bar.
class MainView {
public:
    virtual ~MainView() = default;

    virtual void SetVisible(PanelControl control, bool visible) = 0;
    virtual void SetText(PanelControl control, const QString& text) = 0;
    virtual void SetReadOnly(PanelControl control, bool readOnly) = 0;
    virtual float Left(PanelControl control) const = 0;
    virtual float Width(PanelControl control) const = 0;
    virtual float Height(PanelControl control) const = 0;
    virtual void SetLeft(PanelControl control, float twips) = 0;
    virtual void SetTop(PanelControl control, float twips) = 0;

    virtual void SetMenuEnabled(MenuItem item, bool enabled) = 0;
    // The window's caption; "[*]" in it stands where the unsaved mark goes.
    virtual void SetCaption(const QString& caption, bool modified) = 0;

    virtual void SetWindowLeft(float twips) = 0;
    virtual void SetWindowTop(float twips) = 0;
    // The part of the picture the window shows; the panel stands beside it.
    virtual float PictureWidth() const = 0;
    virtual float PictureHeight() const = 0;
    // Gives the client area room for the whole picture and the panel, within the screen.
    virtual void FitWindowToPicture() = 0;

    // The status line: what to do next, and what has just happened.
    virtual void ShowHint(const QString& text) = 0;
    virtual void ShowMessage(const QString& text) = 0;
    // The desktop's bell, for an action that could not be done.
    virtual void Bell() = 0;

    // Decodes the texture onto the window's drawing surface and reports its
    // size in pixels. False when nothing at all could be painted; the window
    // then looks as it did before.
    virtual bool LoadTexture(const QString& path, std::int32_t& height, std::int32_t& width) = 0;
    virtual void ShowDeleteDialog() = 0;
    virtual void ShowReadme() = 0;
    // Closes every window of the program; no handler runs afterwards.
    virtual void EndProgram() = 0;
};

} // namespace ravelock
