#include "windows/FrmMain.h"

#include "targa/LoadTarga.h"
#include "targa/SurfacePainter.h"
#include "windows/ClientArea.h"
#include "windows/CoordinatePanel.h"
#include "windows/DrawingArea.h"
#include "windows/FrmDelete.h"
#include "windows/FrmReadme.h"
#include "windows/Magnifier.h"
#include "windows/QtDialogs.h"
#include "windows/StatusLine.h"
#include "windows/ViewAids.h"
#include "windows/WindowGeometry.h"
#include "windows/WindowPainter.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include <cmath>
#include <functional>

namespace ravelock {

namespace {

// The one local Targa file a drag carries, or nothing.
QString DraggedTexture(const QMimeData* data)
{
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return {};
    const QString path = urls.first().toLocalFile();
    return path.endsWith(QStringLiteral(".tga"), Qt::CaseInsensitive) ? path : QString();
}

} // namespace

FrmMain::FrmMain(Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), ownDialogs_(dialogs ? nullptr : std::make_unique<QtDialogs>(this)),
      dialogs_(dialogs ? *dialogs : *ownDialogs_), commands_(*this, dialogs_)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Ravelock"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    client_ = new ClientArea(this, [this] { LayoutClient(); });
    client_->setObjectName(QStringLiteral("clientArea"));
    setCentralWidget(client_);
    scroll_ = new ScrollingPicture(client_);
    scroll_->setObjectName(QStringLiteral("pictureFrame"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setBackgroundRole(QPalette::Window);
    scroll_->viewport()->setAutoFillBackground(false); // the window's own background shows through
    drawing_ = new DrawingArea(surface_, scroll_);
    drawing_->setObjectName(QStringLiteral("drawingArea"));
    drawing_->setFixedSize(0, 0);
    scroll_->setWidget(drawing_);
    magnifier_ = new Magnifier(surface_, client_);
    magnifier_->setObjectName(QStringLiteral("magnifier"));
    BuildMenus();
    controls_ = BuildCoordinatePanel(*client_);
    status_ = std::make_unique<StatusLine>(*statusBar());
    SetMinimumClient();
    const QColor background = drawing_->palette().color(QPalette::Window);
    surface_.Reset(0, 0, targa::MakeColour(background.red(), background.green(), background.blue()));
    drawing_->OnPress([this](int x, int y) {
        if (!commands_.Ending())
            commands_.MouseDown(x, y);
        AfterCommand();
    });
    drawing_->OnMove([this](int x, int y) {
        status_->ShowPointer(x, y);
        aids_->PointerAt(x, y);
    });
    drawing_->OnKeyMove([this](int x, int y) { scroll_->ensureVisible(x, y, 8, 8); });
    setAcceptDrops(true);
    resize(312, 206 + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    commands_.Load();
}

FrmMain::~FrmMain() = default;

void FrmMain::AddCommand(QMenu* menu, MenuItem item, const char* name, const QString& caption,
                         const QKeySequence& shortcut, std::function<void(MainCommands&)> command)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
        if (!commands_.Ending())
            command(commands_);
        AfterCommand();
    });
    actions_[item] = action;
}

void FrmMain::BuildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    AddCommand(file, MenuItem::mnuFileOpen, "mnuFileOpen", QStringLiteral("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O),
               &MainCommands::Open);
    file->addSeparator();
    AddCommand(file, MenuItem::mnuFileSave, "mnuFileSave", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S),
               &MainCommands::Save);
    AddCommand(file, MenuItem::mnuFileSaveAs, "mnuFileSaveAs", QStringLiteral("Save &As"), {}, &MainCommands::SaveAs);
    file->addSeparator();
    AddCommand(file, MenuItem::mnuFileExit, "mnuFileExit", QStringLiteral("E&xit"), {}, &MainCommands::Exit);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    AddCommand(edit, MenuItem::mnuEditUndo, "mnuEditUndo", QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z),
               &MainCommands::Undo);
    AddCommand(edit, MenuItem::mnuEditRedo, "mnuEditRedo", QStringLiteral("&Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y),
               &MainCommands::Redo);
    edit->addSeparator();
    AddCommand(edit, MenuItem::mnuEditComplete, "mnuEditComplete", QStringLiteral("&Complete Entry"),
               QKeySequence(Qt::CTRL | Qt::Key_E), &MainCommands::CompleteEntry);
    edit->addSeparator();
    AddCommand(edit, MenuItem::mnuEditDelete, "mnuEditDelete", QStringLiteral("&Delete Entry"),
               QKeySequence(Qt::Key_Delete), &MainCommands::DeleteEntry);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    aids_ = new ViewAids(commands_.State(), *view, *drawing_, *magnifier_, [this] { MagnifierToggled(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    AddCommand(help, MenuItem::mnuHelpReadme, "mnuHelpReadme", QStringLiteral("&Readme"),
               QKeySequence(Qt::CTRL | Qt::Key_R), &MainCommands::Readme);
}

void FrmMain::LayoutClient()
{
    const QSize room = client_->size() - QSize(SideExtent().width(), 0);
    const PictureFrame frame = FramePicture(drawing_->size(), room, style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    scroll_->setGeometry(QRect(QPoint(0, 0), frame.frame));
    visiblePicture_ = frame.visible;
    commands_.PlaceCoordinatePanel();
    // Beside the panel, straddling the picture's middle as the panel does.
    const QSize magnifier = magnifier_->sizeHint();
    magnifier_->setGeometry(QRect(QPoint(scroll_->width() + PanelExtent(controls_).width(),
                                         std::max(0, (visiblePicture_.height() - magnifier.height()) / 2)),
                                  magnifier));
}

QSize FrmMain::SideExtent() const
{
    const QSize panel = PanelExtent(controls_);
    if (magnifier_->isHidden())
        return panel;
    const QSize magnifier = magnifier_->sizeHint();
    return {panel.width() + magnifier.width() + 8, std::max(panel.height(), magnifier.height())};
}

// However small the user makes the window, the panel, the magnifier while it
// shows, a corner of the picture and both scroll bars stay in it.
void FrmMain::SetMinimumClient()
{
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize side = SideExtent();
    client_->setMinimumSize(side.width() + 64 + bar, std::max(side.height(), 64 + bar));
    layout()->activate(); // a resize that follows obeys the new minimum
}

void FrmMain::MagnifierToggled()
{
    SetMinimumClient();
    if (!drawing_->size().isEmpty()) {
        FitWindowToPicture();
        return;
    }
    const int column = magnifier_->sizeHint().width() + 8;
    keptSize_.Resize(size() + QSize(magnifier_->isHidden() ? -column : column, 0));
    LayoutClient();
}

void FrmMain::AfterCommand()
{
    if (!commands_.Ending())
        aids_->Update();
}

void FrmMain::FitWindowToPicture()
{
    const QSize content = drawing_->size();
    if (content.isEmpty())
        return;
    const QSize panel = SideExtent();
    const QRect available = screen()->availableGeometry();
    const QRect outer = frameGeometry();
    QSize frameSize = outer.size() - geometry().size();
    // A compositor that draws the frame itself reports none and centres the
    // window without its title bar: allow for that bar twice, and borders.
    if (frameSize.isNull())
        frameSize = QSize(16, 2 * (style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8));
    const int chrome = menuBar()->height() + statusBar()->height();
    // At a fractional scale Qt asks for sizes in steps of whole device pixels,
    // and a window manager rounds down to them: a little more keeps the picture whole.
    const qreal scale = devicePixelRatioF();
    const int slack = scale == std::floor(scale) ? 0 : static_cast<int>(std::ceil(std::ceil(scale) / scale));
    const QSize room = available.size() - frameSize - QSize(panel.width() + slack, chrome + slack);
    const PictureFrame frame = FramePicture(content, room, style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    const QSize client(frame.frame.width() + panel.width() + slack,
                       std::max(frame.frame.height(), panel.height()) + slack);
    keptSize_.Resize(QSize(client.width(), client.height() + chrome));
    // Keep the whole window on the screen.
    const QSize outerSize = client + QSize(0, chrome) + frameSize;
    QPoint at = outer.topLeft();
    at.setX(std::max(available.left(), std::min(at.x(), available.right() + 1 - outerSize.width())));
    at.setY(std::max(available.top(), std::min(at.y(), available.bottom() + 1 - outerSize.height())));
    if (at != outer.topLeft())
        move(at);
    LayoutClient();
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
    drawing_->setFixedSize(width + 1, height + 1);
    FitWindowToPicture();
    status_->StartReading(height);
}

// The band is drawn by the yield that follows.
void FrmMain::RowsPainted(int first, int last, int rowsDone)
{
    const QRegion band = drawing_->visibleRegion().intersected(QRect(0, first, drawing_->width(), last - first + 1));
    if (!band.isEmpty())
        drawing_->update(band);
    if (magnifier_->isVisible()) // it may show rows just painted
        magnifier_->update();
    status_->ReadingProgress(rowsDone);
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

void FrmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (actions_.at(MenuItem::mnuFileOpen)->isEnabled() && !DraggedTexture(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void FrmMain::dropEvent(QDropEvent* event)
{
    const QString path = DraggedTexture(event->mimeData());
    if (path.isEmpty() || !actions_.at(MenuItem::mnuFileOpen)->isEnabled())
        return;
    event->acceptProposedAction();
    // Painting yields to the event loop; the drag source must not wait on it.
    QTimer::singleShot(0, this, [this, path] {
        if (!commands_.Ending())
            commands_.OpenTexture(path);
    });
}

void FrmMain::SetVisible(PanelControl control, bool visible) { controls_.at(control)->setVisible(visible); }

void FrmMain::SetText(PanelControl control, const QString& text)
{
    if (auto* field = qobject_cast<QLineEdit*>(controls_.at(control)))
        field->setText(text);
}

void FrmMain::SetReadOnly(PanelControl control, bool readOnly)
{
    if (auto* field = qobject_cast<QLineEdit*>(controls_.at(control))) {
        field->setReadOnly(readOnly);
        field->setCursor(Qt::ForbiddenCursor); // setReadOnly resets the pointer
    }
}

QSize FrmMain::ControlSize(PanelControl control) const { return controls_.at(control)->size(); }
void FrmMain::MoveControl(PanelControl control, QPoint at) { controls_.at(control)->move(at); }

void FrmMain::SetMenuEnabled(MenuItem item, bool enabled) { actions_.at(item)->setEnabled(enabled); }

void FrmMain::SetCaption(const QString& caption, bool modified)
{
    setWindowTitle(caption);
    setWindowModified(modified);
}

// The position is the frame's; Qt knows the frame only once a window manager
// has framed the window, so the native window takes the frame's position.
void FrmMain::MoveWindow(QPoint frameTopLeft)
{
    winId();
    windowHandle()->setFramePosition(frameTopLeft);
}

// The picture is one pixel larger than the image it shows (see PictureAnnounced).
QSize FrmMain::PictureInView() const
{
    return {std::max(0, scroll_->width() - 1), std::max(0, visiblePicture_.height() - 1)};
}

void FrmMain::ShowHint(const QString& text) { status_->ShowHint(text); }
void FrmMain::ShowMessage(const QString& text) { status_->ShowMessage(text); }
void FrmMain::Bell() { QApplication::beep(); }

std::optional<QSize> FrmMain::LoadTexture(const QString& path)
{
    const QSize windowBefore = size();
    const QSize pictureBefore = drawing_->size();
    status_->PrepareReading(QFileInfo(path).fileName());
    WindowPainter painter(*this, surface_);
    const targa::LoadResult loaded = targa::LoadTarga(QFile::encodeName(path).toStdString(), painter);
    painter.Flush();
    status_->StopReading();
    if (commands_.Ending())
        return std::nullopt;
    if (loaded.message)
        dialogs_.Message(QString::fromStdString(*loaded.message), QString::fromLatin1(targa::messages::kTitle),
                         MessageIcon::Critical, MessageButtons::Ok);
    if (!loaded.painted) {
        drawing_->setFixedSize(pictureBefore);
        keptSize_.Resize(windowBefore);
        LayoutClient();
        return std::nullopt;
    }
    return QSize(loaded.width, loaded.height);
}

// Loads a window that is not open yet; an open one is only brought forward.
static void Present(QWidget& window, const std::function<void()>& load)
{
    if (!window.isVisible())
        load();
    window.show();
    window.raise();
    window.activateWindow();
}

void FrmMain::ShowDeleteDialog()
{
    if (!delete_) {
        delete_ = std::make_unique<FrmDelete>(this);
        connect(delete_.get(), &FrmDelete::RemoveRequested, this, [this](int index) {
            if (!commands_.Ending())
                commands_.RemoveEntry(index);
            AfterCommand();
        });
    }
    Present(*delete_, [this] { delete_->Load(commands_.State().colNames()); });
}

void FrmMain::ShowReadme()
{
    if (!readme_)
        readme_ = std::make_unique<FrmReadme>();
    Present(*readme_, [this] { readme_->Load(); });
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
