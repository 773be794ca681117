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
// measured from the drawing area's top-left corner.
class MainView {
public:
    virtual ~MainView() = default;

    virtual void SetVisible(PanelControl control, bool visible) = 0;
    virtual void SetText(PanelControl control, const QString& text) = 0;
    virtual QString Text(PanelControl control) const = 0;
    virtual void SetReadOnly(PanelControl control, bool readOnly) = 0;
    virtual float Left(PanelControl control) const = 0;
    virtual float Top(PanelControl control) const = 0;
    virtual float Width(PanelControl control) const = 0;
    virtual float Height(PanelControl control) const = 0;
    virtual void SetLeft(PanelControl control, float twips) = 0;
    virtual void SetTop(PanelControl control, float twips) = 0;

    virtual void SetMenuEnabled(MenuItem item, bool enabled) = 0;
    virtual bool MenuEnabled(MenuItem item) const = 0;

    virtual void SetWindowLeft(float twips) = 0;
    virtual void SetWindowTop(float twips) = 0;
    virtual void SetOuterHeight(float twips) = 0;
    virtual void SetOuterWidth(float twips) = 0;

    // Decodes the texture onto the window's drawing surface. The size outputs
    // are written while painting goes on, so commands that run during the
    // decoder's yields see them.
    virtual void LoadTexture(const QString& path, std::int32_t& height, std::int32_t& width) = 0;
    virtual void ShowDeleteDialog() = 0;
    virtual void ShowReadme() = 0;
    // Closes every window of the program; no handler runs afterwards.
    virtual void EndProgram() = 0;
};

} // namespace ravelock
