#pragma once

#include "targa/PixelSurface.h"
#include "windows/main/KeptSize.h"
#include "windows/main/PanelLayout.h"
#include "windows/main/WindowPainter.h"
#include "windows/picture/TextureShapes.h"
#include "workspace/MainCommands.h"
#include "workspace/MainView.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>

class QAction;
class QScrollArea;

class QDialog;
class QMimeData;

namespace ravelock {

class ClientLayout;
class DrawingArea;
class EntryList;
class Magnifier;
class NameEditor;
class ScrollingPicture;
class StatusLine;
class ViewAids;
class FrmDelete;
class FrmEntryProperties;
class FrmReadme;
class PlanDialogs;

// The main window: the texture in a scrolling frame, the coordinate panel
// beside it, the menus and the status line. All its behaviour lives in
// MainCommands; this class builds the widgets and lets the commands reach them.
class FrmMain final : public QMainWindow, private MainView, private PaintProgress {
    Q_OBJECT
public:
    // `dialogs` answers the commands' modal questions; null means real Qt dialogs.
    explicit FrmMain(Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~FrmMain() override;

    const MainCommands& Commands() const { return commands_; }
    // Runs `command` unless the program is ending. Painting a texture yields to the event loop, so any
    // command may run while OpenTexture waits: hence the guards on the workspace's state.
    void Run(const std::function<void(MainCommands&)>& command);

private:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    std::pair<QString, bool> DroppedCommand(const QMimeData* data) const; // the path, and whether it is a map

    void BuildMenus();
    // View > Entries: the list beside the panel, and Entry Properties from it.
    void BuildEntryList(QAction& toggle);
    void ShowEntryProperties(int index);
    // Lays the window out again, wider or narrower by the column, after it was shown or hidden.
    void ColumnToggled(const QWidget& column);
    // The picture at `zoom`; the point `anchor` of the view keeps its texel.
    void ZoomTo(int zoom, std::optional<QPointF> anchor = std::nullopt);
    // Zoom In and Zoom Out are offered short of their last step.
    void OfferZoom();
    // Complete Entry begun by typing `typed`, the first character of the name.
    void StartNaming(const QString& typed);
    // Makes the window's minimum size follow the client area's at once.
    void UpdateMinimumSize();

    // PaintProgress
    void PictureAnnounced(int width, int height) override;
    void RowsPainted(int first, int last, int rowsDone) override;
    bool Ending() const override { return commands_.Ending(); }

    // MainView
    void ShowPanel(bool shown) override;
    void ShowState(const Workspace& ws) override;
    void FitWindowToPicture() override;
    void ShowHint(const QString& text) override;
    void ShowMessage(const QString& text) override;
    void Bell() override;
    std::optional<QSize> LoadTexture(const QString& path) override;
    void ShowDeleteDialog() override;
    void ShowReadme() override;
    void EndProgram() override;

    targa::PixelSurface surface_;
    TextureShapes shapes_{surface_};
    std::unique_ptr<Dialogs> ownDialogs_;
    Dialogs& dialogs_;
    MainCommands commands_;
    QWidget* client_ = nullptr;
    ClientLayout* layout_ = nullptr;
    ScrollingPicture* scroll_ = nullptr;
    DrawingArea* drawing_ = nullptr;
    Magnifier* magnifier_ = nullptr;
    EntryList* entries_ = nullptr;
    NameEditor* naming_ = nullptr;
    ViewAids* aids_ = nullptr;
    PlanDialogs* plans_ = nullptr;
    std::unique_ptr<StatusLine> status_;
    KeptSize keptSize_{*this};
    std::map<MenuItem, QAction*> actions_;
    std::map<PanelControl, QWidget*> controls_;
    std::unique_ptr<FrmDelete> delete_;
    std::unique_ptr<FrmReadme> readme_;
    QPointer<FrmEntryProperties> properties_;
};

} // namespace ravelock
