#pragma once

#include "targa/PixelSurface.h"
#include "workspace/MainCommands.h"
#include "workspace/MainView.h"

#include <QMainWindow>

#include <map>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;

namespace ravelock {

class DrawingArea;
class FrmDelete;
class FrmReadme;

// The main window: the texture's drawing area, the coordinate panel beside it
// and the menus. All its behaviour lives in MainCommands; this class builds
// the widgets and lets the commands reach them.
class FrmMain final : public QMainWindow, private MainView {
    Q_OBJECT
public:
    // `dialogs` answers the commands' modal questions; null means real Qt dialogs.
    explicit FrmMain(Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~FrmMain() override;

    MainCommands& Commands() { return commands_; }
    QAction* Action(MenuItem item) const { return actions_.at(item); }
    QWidget* Control(PanelControl control) const { return controls_.at(control); }
    DrawingArea* Drawing() const { return drawing_; }
    const targa::PixelSurface& Surface() const { return surface_; }
    FrmDelete* DeleteDialog() const { return delete_.get(); }
    FrmReadme* ReadmeWindow() const { return readme_.get(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildPanel();
    void AddCommand(QMenu* menu, MenuItem item, const QString& caption, const QKeySequence& shortcut,
                    void (MainCommands::*command)());

    // MainView
    void SetVisible(PanelControl control, bool visible) override;
    void SetText(PanelControl control, const QString& text) override;
    QString Text(PanelControl control) const override;
    void SetReadOnly(PanelControl control, bool readOnly) override;
    float Left(PanelControl control) const override;
    float Top(PanelControl control) const override;
    float Width(PanelControl control) const override;
    float Height(PanelControl control) const override;
    void SetLeft(PanelControl control, float twips) override;
    void SetTop(PanelControl control, float twips) override;
    void SetMenuEnabled(MenuItem item, bool enabled) override;
    bool MenuEnabled(MenuItem item) const override;
    void SetWindowLeft(float twips) override;
    void SetWindowTop(float twips) override;
    void SetOuterHeight(float twips) override;
    void SetOuterWidth(float twips) override;
    void LoadTexture(const QString& path, std::int32_t& height, std::int32_t& width) override;
    void ShowDeleteDialog() override;
    void ShowReadme() override;
    void EndProgram() override;

    targa::PixelSurface surface_;
    std::unique_ptr<Dialogs> ownDialogs_;
    Dialogs& dialogs_;
    MainCommands commands_;
    DrawingArea* drawing_ = nullptr;
    std::map<MenuItem, QAction*> actions_;
    std::map<PanelControl, QWidget*> controls_;
    std::unique_ptr<FrmDelete> delete_;
    std::unique_ptr<FrmReadme> readme_;
};

} // namespace ravelock
