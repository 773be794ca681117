#include "windows/main/FrmMain.h"

#include "targa/LoadTarga.h"
#include "targa/SurfacePainter.h"
#include "windows/dialogs/FrmDelete.h"
#include "windows/dialogs/FrmEntryProperties.h"
#include "windows/dialogs/FrmReadme.h"
#include "windows/dialogs/QtDialogs.h"
#include "windows/main/ClientLayout.h"
#include "windows/main/CoordinatePanel.h"
#include "windows/main/EntryList.h"
#include "windows/main/MainMenus.h"
#include "windows/main/NameEditor.h"
#include "windows/main/PlanDialogs.h"
#include "windows/main/StatusLine.h"
#include "windows/main/ViewAids.h"
#include "windows/main/WindowPainter.h"
#include "windows/picture/DrawingArea.h"
#include "windows/picture/Magnifier.h"
#include "windows/picture/ScrollingPicture.h"
#include "workspace/MapDocument.h"
#include "workspace/MenuRules.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>

#include <functional>

namespace ravelock {

FrmMain::FrmMain(Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), ownDialogs_(dialogs ? nullptr : std::make_unique<QtDialogs>(this)),
      dialogs_(dialogs ? *dialogs : *ownDialogs_), commands_(*this, dialogs_)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Ravelock"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("clientArea"));
    setCentralWidget(client_);
    scroll_ = new ScrollingPicture(client_);
    scroll_->setObjectName(QStringLiteral("pictureFrame"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setBackgroundRole(QPalette::Window);
    scroll_->viewport()->setAutoFillBackground(false); // the window's own background shows through
    drawing_ = new DrawingArea(surface_, scroll_);
    drawing_->setObjectName(QStringLiteral("drawingArea"));
    drawing_->SetExtent(QSize(0, 0));
    drawing_->setFocusPolicy(Qt::StrongFocus);
    scroll_->setFocusPolicy(Qt::NoFocus);
    connect(scroll_, &ScrollingPicture::ZoomWheeled, this,
            [this](bool in, QPointF at) { ZoomTo(ScrollingPicture::NextZoom(drawing_->Zoom(), in), at); });
    scroll_->setWidget(drawing_);
    naming_ = new NameEditor(*scroll_->viewport(), *drawing_);
    connect(naming_, &NameEditor::Named, this, [this](const QString& text) {
        bool added = false;
        Run([&](MainCommands& commands) { added = commands.NameRectangle(text); });
        if (added || text.trimmed().isEmpty())
            naming_->Stop();
        else
            naming_->selectAll(); // a name in use: the message said so; another is typed over it
    });
    magnifier_ = new Magnifier(surface_, client_);
    magnifier_->setObjectName(QStringLiteral("magnifier"));
    entries_ = new EntryList(client_);
    BuildMenus();
    controls_ = BuildCoordinatePanel(*client_);
    layout_ = new ClientLayout(*client_, *scroll_, controls_, {magnifier_, entries_});
    status_ = std::make_unique<StatusLine>(*statusBar());
    connect(aids_, &ViewAids::ShapesLeft, this,
            [this](std::optional<int> count) { status_->ShowShapesLeft(count, shapes_.Complete()); });
    UpdateMinimumSize();
    const QColor background = drawing_->palette().color(QPalette::Window);
    surface_.Reset(0, 0, targa::MakeColour(background.red(), background.green(), background.blue()));
    connect(drawing_, &DrawingArea::TexelPressed, this, [this](QPoint texel) {
        if (!plans_->Aim(texel))
            Run([texel](MainCommands& commands) { commands.Click(texel); });
    });
    connect(drawing_, &DrawingArea::ShapePressed, this, [this](QPoint texel, bool grow) {
        if (plans_->Aim(texel))
            return;
        const std::optional<QRect> shape = shapes_.At(texel);
        Run([shape, grow](MainCommands& commands) { commands.TakeShape(shape, grow); });
    });
    connect(drawing_, &DrawingArea::KeysArrived, scroll_, &ScrollingPicture::PickWithKeys);
    connect(drawing_, &DrawingArea::Adjusted, this, [this](QRect box) {
        if (!properties_)
            return;
        properties_->SetBox(box);
        status_->ShowBox(box);
    });
    connect(drawing_, &DrawingArea::TexelHovered, this, [this](std::optional<QPoint> texel) {
        status_->ShowPointer(texel);
        aids_->PointerAt(texel);
    });
    connect(drawing_, &DrawingArea::KeyboardMoved, this, [this](QPoint texel) {
        const QRect shown = drawing_->Shown(QRect(texel, QSize(1, 1)));
        scroll_->ensureVisible(shown.center().x(), shown.center().y(), 8 + shown.width(), 8 + shown.height());
    });
    setAcceptDrops(true);
    resize(312, 206 + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    // Moved before its native window exists, a window is placed by its frame.
    move(1, 1);
    commands_.Load();
}

void FrmMain::Run(const std::function<void(MainCommands&)>& command)
{
    if (commands_.Ending())
        return;
    command(commands_);
}

FrmMain::~FrmMain() = default;

void FrmMain::BuildMenus()
{
    using M = MenuItem;
    const auto window = [](std::function<void()> command) { return [command](MainCommands&) { command(); }; };
    const std::map<MenuItem, std::function<void(MainCommands&)>> commands = {
        {M::mnuFileOpen, &MainCommands::Open},
        {M::mnuFileOpenMap, &MainCommands::OpenMap},
        {M::mnuFileSave, &MainCommands::Save},
        {M::mnuFileSaveAs, &MainCommands::SaveAs},
        {M::mnuFileExit, &MainCommands::Exit},
        {M::mnuEditUndo, &MainCommands::Undo},
        {M::mnuEditRedo, &MainCommands::Redo},
        {M::mnuEditUndoEntry, &MainCommands::UndoEntryChange},
        {M::mnuEditRedoEntry, &MainCommands::RedoEntryChange},
        {M::mnuEditComplete, &MainCommands::CompleteEntry},
        {M::mnuEditRepeat, window([this] { plans_->ShowRepeat(); })},
        {M::mnuEditMapShapes, window([this] { plans_->ShowMapShapes(); })},
        {M::mnuEditSlice, window([this] { plans_->ShowSlice(); })},
        {M::mnuEditDelete,
         [this](MainCommands& commands) {
             commands.DeleteEntry(entries_->isVisible() ? entries_->ChosenRows() : std::vector<int>());
         }},
        {M::mnuViewZoomIn, window([this] { ZoomTo(ScrollingPicture::NextZoom(drawing_->Zoom(), true)); })},
        {M::mnuViewZoomOut, window([this] { ZoomTo(ScrollingPicture::NextZoom(drawing_->Zoom(), false)); })},
        {M::mnuViewActualSize, window([this] { ZoomTo(1); })},
        {M::mnuViewPickWithKeys, window([this] { scroll_->PickWithKeys(); })},
        {M::mnuHelpReadme, &MainCommands::Readme},
    };
    const MainMenus menus = AddMainMenus(*menuBar(), [this, commands](MenuItem item) { Run(commands.at(item)); });
    actions_ = menus.commands;
    aids_ = new ViewAids(
        commands_.State(), menus.toggles, *drawing_, *magnifier_, [this] { ColumnToggled(*magnifier_); }, shapes_);
    plans_ = new PlanDialogs(
        *this, commands_, [this](const std::function<void(MainCommands&)>& command) { Run(command); }, *aids_,
        *entries_, shapes_, *actions_.at(MenuItem::mnuEditRepeat));
    BuildEntryList(*menus.toggles.at(QStringLiteral("mnuViewEntries")));
}

// The client area's minimum follows its layout; the window's follows at once,
// so that a resize right after obeys it.
void FrmMain::UpdateMinimumSize()
{
    layout_->activate();
    layout()->activate();
}

void FrmMain::ColumnToggled(const QWidget& column)
{
    layout_->invalidate();
    UpdateMinimumSize();
    if (!drawing_->Extent().isEmpty()) {
        FitWindowToPicture();
        return;
    }
    const int width = column.sizeHint().width() + ClientLayout::kColumnGap;
    keptSize_.Resize(size() + QSize(column.isHidden() ? -width : width, 0));
    layout_->Relayout();
}

void FrmMain::FitWindowToPicture()
{
    // The window holds the picture at one texel a pixel; zoomed, the picture scrolls in it.
    if (drawing_->Extent().isEmpty())
        return;
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) { // else the size is the desktop's
        const QRect fitted = FitWindow(*this, *layout_, drawing_->Extent());
        keptSize_.Resize(fitted.size());
        if (fitted.topLeft() != frameGeometry().topLeft())
            move(fitted.topLeft());
    }
    layout_->Relayout();
}

void FrmMain::ZoomTo(int zoom, std::optional<QPointF> anchor)
{
    if (commands_.State().texture != Texture::Ready || zoom == drawing_->Zoom())
        return;
    scroll_->ZoomTo(zoom, anchor, [this, zoom] {
        status_->ShowZoom(zoom);
        OfferZoom();
        if (zoom == 1)
            FitWindowToPicture(); // the window of the start
        else
            layout_->Relayout(); // the frame takes the room the larger picture can fill
    });
}

void FrmMain::OfferZoom()
{
    const bool ready = commands_.State().texture == Texture::Ready;
    const int zoom = drawing_->Zoom();
    actions_.at(MenuItem::mnuViewZoomIn)->setEnabled(ready && ScrollingPicture::NextZoom(zoom, true) != zoom);
    actions_.at(MenuItem::mnuViewZoomOut)->setEnabled(ready && ScrollingPicture::NextZoom(zoom, false) != zoom);
}

void FrmMain::StartNaming(const QString& typed)
{
    const QRect shown = drawing_->Shown(commands_.State().picking.Box());
    naming_->Start(typed, QRect(drawing_->mapTo(scroll_->viewport(), shown.topLeft()), shown.size()));
}

// Arrows that reach the window went to no part of it that takes them; a name can be typed at once.
void FrmMain::keyPressEvent(QKeyEvent* event)
{
    const Workspace& ws = commands_.State();
    if (ws.texture == Texture::Ready && ws.picking.step == Step::Naming && !properties_ && NameEditor::Begins(*event))
        return StartNaming(event->text());
    switch (event->key()) {
    case Qt::Key_Escape: // the entry being adjusted goes back, wherever the keyboard is
        if (properties_) {
            properties_->reject();
            return;
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (commands_.State().texture == Texture::Ready) {
            status_->ShowMessage(QStringLiteral("The arrows move a cursor on the picture once it has the keyboard: "
                                                "Ctrl+P or Tab gives it"));
            return;
        }
        break;
    default:
        break;
    }
    QMainWindow::keyPressEvent(event);
}

void FrmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    keptSize_.Resized();
}

void FrmMain::PictureAnnounced(int width, int height)
{
    // One column and one row more than the image: a click just past its last
    // texel is still taken.
    drawing_->SetExtent(QSize(width + 1, height + 1));
    FitWindowToPicture();
    status_->StartReading(height);
}

// The band is drawn by the yield that follows.
void FrmMain::RowsPainted(int first, int last, int rowsDone)
{
    const QRect rows = drawing_->Shown(QRect(0, first, drawing_->Extent().width(), last - first + 1));
    const QRegion band = drawing_->visibleRegion().intersected(rows);
    if (!band.isEmpty())
        drawing_->update(band);
    if (magnifier_->isVisible()) // it may show rows just painted
        magnifier_->update();
    status_->ReadingProgress(rowsDone);
}

bool FrmMain::event(QEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    // A compositor may tell the window its fractional scale only after the window took the picture's size,
    // whose spare device pixels depend on that scale.
    if (event->type() == QEvent::DevicePixelRatioChange && !drawing_->Extent().isEmpty())
        QTimer::singleShot(0, this, [this] { FitWindowToPicture(); });
#endif
    return QMainWindow::event(event);
}

void FrmMain::closeEvent(QCloseEvent* event)
{
    if (!commands_.Ending())
        commands_.Exit();
    if (commands_.Ending())
        event->accept();
    else
        event->ignore();
}

void FrmMain::ShowPanel(bool shown)
{
    for (const auto& [control, widget] : controls_)
        widget->setVisible(shown);
}

void FrmMain::ShowState(const Workspace& ws)
{
    const auto show = [this](PanelControl field, std::optional<int> value) {
        static_cast<QLineEdit*>(controls_.at(field))->setText(value ? QString::number(*value) : QString());
    };
    const std::optional<QPoint> first = ws.picking.First(), second = ws.picking.Second();
    show(PanelControl::txtLeft, first ? std::optional(first->x()) : std::nullopt);
    show(PanelControl::txtTop, first ? std::optional(first->y()) : std::nullopt);
    show(PanelControl::txtRight, second ? std::optional(second->x()) : std::nullopt);
    show(PanelControl::txtBottom, second ? std::optional(second->y()) : std::nullopt);
    for (const auto& [item, enabled] : MenuStates(ws))
        actions_.at(item)->setEnabled(enabled);
    // The entry in Entry Properties is neither removed nor changed under it.
    if (properties_)
        for (MenuItem item : {MenuItem::mnuEditDelete, MenuItem::mnuEditUndoEntry, MenuItem::mnuEditRedoEntry})
            actions_.at(item)->setEnabled(false);
    OfferZoom();
    // The mnemonic stays on the second letter: U&ndo, R&edo.
    for (const auto& [item, text] : MenuTexts(ws))
        actions_.at(item)->setText(
            QString(text).replace(QLatin1Char('&'), QStringLiteral("&&")).insert(1, QLatin1Char('&')));
    setWindowTitle(Caption(ws));
    setWindowModified(!ws.Saved());
    aids_->Update();
    if (entries_->isVisible())
        entries_->Load(ws.entries, ws.history.Put());
    if (ws.picking.step != Step::Naming)
        naming_->Stop();
    if (delete_ && delete_->isVisible())
        delete_->Follow(ws.Headings());
    plans_->OfferRepeat();
}

void FrmMain::ShowHint(const QString& text) { status_->ShowHint(text); }
void FrmMain::ShowMessage(const QString& text) { status_->ShowMessage(text); }
void FrmMain::Bell() { QApplication::beep(); }

std::optional<QSize> FrmMain::LoadTexture(const QString& path)
{
    const QSize windowBefore = size();
    const QSize pictureBefore = drawing_->Extent();
    status_->PrepareReading(QFileInfo(path).fileName());
    WindowPainter painter(*this, *this, surface_);
    const targa::LoadResult loaded = targa::LoadTarga(TexturePath(path), painter);
    painter.Flush();
    status_->StopReading();
    if (commands_.Ending())
        return std::nullopt;
    if (loaded.message)
        dialogs_.Message(QString::fromStdString(*loaded.message), QString::fromLatin1(targa::messages::kTitle),
                         MessageIcon::Critical, MessageButtons::Ok);
    if (!loaded.painted) {
        drawing_->SetExtent(pictureBefore);
        keptSize_.Resize(windowBefore);
        layout_->Relayout();
        return std::nullopt;
    }
    shapes_.Search(loaded.alpha);
    return QSize(loaded.width, loaded.height);
}

void FrmMain::EndProgram()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this)
            window->close();
    close();
    QCoreApplication::quit();
}

} // namespace ravelock
