#include "windows/FrmMain.h"

#include "targa/SurfacePainter.h"
#include "targa/TargaModule.h"
#include "windows/DrawingArea.h"
#include "windows/FrmDelete.h"
#include "windows/FrmReadme.h"
#include "windows/QtDialogs.h"
#include "workspace/Twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMimeData>
#include <QTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QWindow>

#include <climits>
#include <functional>

namespace ravelock {

namespace {

// Painting into the window's surface. A progress refresh shows the rows
// painted since the one before, at most sixty times a second (the rest wait
// for the next refresh or for Flush), and the yield that follows lets the
// event loop run, unless the program is ending.
class WindowPainter final : public targa::SurfacePainter {
public:
    WindowPainter(FrmMain& window, targa::PixelSurface& surface)
        : SurfacePainter(surface), window_(&window), commands_(window.Commands())
    {
        frameClock_.start();
    }
    bool PrepareSurface(int width, int height) override
    {
        SurfacePainter::PrepareSurface(width, height);
        if (Alive())
            window_->PictureAnnounced(width, height);
        return true;
    }
    void PaintRun(int x, int y, int count, targa::Colour colour) override
    {
        Note(y);
        SurfacePainter::PaintRun(x, y, count, colour);
    }
    void PaintPixels(int x, int y, const targa::Colour* colours, int count) override
    {
        Note(y);
        SurfacePainter::PaintPixels(x, y, colours, count);
    }
    void BlendPixels(int x, int y, const targa::Colour* colours, const std::uint8_t* alphas, int count) override
    {
        Note(y);
        SurfacePainter::BlendPixels(x, y, colours, alphas, count);
    }
    void BlendRun(int x, int y, int count, targa::Colour colour, int alpha) override
    {
        Note(y);
        SurfacePainter::BlendRun(x, y, count, colour, alpha);
    }
    void Refresh() override
    {
        if (frameClock_.hasExpired(16))
            Flush();
    }
    void Flush()
    {
        if (first_ <= last_ && Alive())
            window_->RowsPainted(first_, last_, rowsDone_);
        first_ = INT_MAX;
        last_ = -1;
        frameClock_.start();
    }
    bool YieldToEvents() override
    {
        if (!Alive())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return Alive();
    }
    bool Painted() const { return rowsDone_ > 0; }

private:
    bool Alive() const { return window_ && !commands_.Ending(); }
    void Note(int y)
    {
        first_ = std::min(first_, y);
        last_ = std::max(last_, y);
        if (y != lastRow_)
            ++rowsDone_;
        lastRow_ = y;
    }

    QPointer<FrmMain> window_;
    const MainCommands& commands_;
    QElapsedTimer frameClock_;
    int first_ = INT_MAX;
    int last_ = -1;
    int lastRow_ = -1;
    int rowsDone_ = 0;
};

// The decoder's messages, shown once the progress is gone.
class WindowReporter final : public targa::ErrorReporter {
public:
    WindowReporter(Dialogs& dialogs, QWidget& reading, QWidget& progress)
        : dialogs_(dialogs), reading_(&reading), progress_(&progress)
    {
    }
    void ShowError(const std::string& title, const std::string& text) override
    {
        for (QWidget* shown : {reading_.data(), progress_.data()})
            if (shown)
                shown->hide();
        dialogs_.Message(QString::fromStdString(text), QString::fromStdString(title), MessageIcon::Critical,
                         MessageButtons::Ok);
    }

private:
    Dialogs& dialogs_;
    QPointer<QWidget> reading_, progress_;
};

QFont PanelFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(13.5);
    font.setWeight(QFont::Normal);
    return font;
}

float Twips(int pixels) { return static_cast<float>(TwipsFromPixels(pixels)); }

struct PictureFrame {
    QSize frame;   // the scrolling frame, scroll bars included
    QSize visible; // the part of the picture in view
};

// Fits a picture of `content` pixels into `room`, with scroll bars of
// `bar` pixels only along the directions that do not fit.
PictureFrame FramePicture(QSize content, QSize room, int bar)
{
    bool across = false;
    bool down = false;
    for (int pass = 0; pass < 2; ++pass) {
        across = content.width() > room.width() - (down ? bar : 0);
        down = content.height() > room.height() - (across ? bar : 0);
    }
    const QSize visible(std::min(content.width(), std::max(0, room.width() - (down ? bar : 0))),
                        std::min(content.height(), std::max(0, room.height() - (across ? bar : 0))));
    return {visible + QSize(down ? bar : 0, across ? bar : 0), visible};
}

// The panel's room beside the picture: its wider row with the gaps, and a margin.
QSize PanelExtent(const std::map<PanelControl, QWidget*>& controls)
{
    using C = PanelControl;
    const auto row = [&controls](std::initializer_list<C> row) {
        int width = 0;
        for (C c : row)
            width += controls.at(c)->width() + PixelsFromTwips(10);
        return width;
    };
    const int fieldHeight = controls.at(C::txtLeft)->height();
    return {std::max(row({C::lblLeft, C::txtLeft, C::lblTop, C::txtTop}),
                     row({C::lblRight, C::txtRight, C::lblBottom, C::txtBottom})) + 8,
            2 * fieldHeight + PixelsFromTwips(20) + 2};
}

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
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("clientArea"));
    setCentralWidget(client_);
    scroll_ = new QScrollArea(client_);
    scroll_->setObjectName(QStringLiteral("pictureFrame"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setBackgroundRole(QPalette::Window);
    scroll_->viewport()->setAutoFillBackground(false); // the window's own background shows through
    scroll_->viewport()->installEventFilter(this);
    drawing_ = new DrawingArea(surface_, scroll_);
    drawing_->setObjectName(QStringLiteral("drawingArea"));
    drawing_->setFixedSize(0, 0);
    scroll_->setWidget(drawing_);
    BuildMenus();
    BuildPanel();
    BuildStatusBar();
    // However small the user makes the window, the panel, a corner of the
    // picture and both scroll bars stay in it.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize panel = PanelExtent(controls_);
    client_->setMinimumSize(panel.width() + 64 + bar, std::max(panel.height(), 64 + bar));
    const QColor background = drawing_->palette().color(QPalette::Window);
    surface_.Reset(0, 0, targa::MakeColour(background.red(), background.green(), background.blue()));
    drawing_->OnPress([this](int x, int y) {
        if (!commands_.Ending())
            commands_.MouseDown(static_cast<float>(TwipsFromPixels(x)), static_cast<float>(TwipsFromPixels(y)));
    });
    drawing_->OnMove([this](int x, int y) { ShowPointer(x, y); });
    client_->installEventFilter(this);
    setAcceptDrops(true);
    resize(PixelsFromTwips(4680),
           PixelsFromTwips(3090) + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    commands_.Load();
}

FrmMain::~FrmMain() = default;

void FrmMain::AddCommand(QMenu* menu, MenuItem item, const char* name, const QString& caption,
                         const QKeySequence& shortcut, void (MainCommands::*command)())
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, command] {
        if (!commands_.Ending())
            (commands_.*command)();
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

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    AddCommand(help, MenuItem::mnuHelpReadme, "mnuHelpReadme", QStringLiteral("&Readme"),
               QKeySequence(Qt::CTRL | Qt::Key_R), &MainCommands::Readme);
}

void FrmMain::BuildPanel()
{
    struct Control {
        PanelControl control;
        const char* name;
        const char* caption; // labels only
    };
    const Control panel[] = {
        {PanelControl::lblLeft, "lblLeft", "Left "},     {PanelControl::lblRight, "lblRight", "Right "},
        {PanelControl::txtLeft, "txtLeft", nullptr},     {PanelControl::txtRight, "txtRight", nullptr},
        {PanelControl::lblTop, "lblTop", "Top "},        {PanelControl::lblBottom, "lblBottom", "Bottom "},
        {PanelControl::txtTop, "txtTop", nullptr},       {PanelControl::txtBottom, "txtBottom", nullptr},
    };
    const QFont font = PanelFont();
    const QFontMetrics metrics(font);
    for (const Control& entry : panel) {
        QWidget* widget = nullptr;
        if (entry.caption) {
            auto* label = new QLabel(QString::fromLatin1(entry.caption), client_);
            label->setFont(font);
            // Auto-sized to the caption, trailing blank included.
            label->resize(metrics.horizontalAdvance(label->text()), metrics.height());
            widget = label;
        } else {
            auto* field = new QLineEdit(QStringLiteral("0"), client_);
            field->setFont(font);
            field->setFixedSize(PixelsFromTwips(735), PixelsFromTwips(405));
            field->setCursor(Qt::ForbiddenCursor);
            field->installEventFilter(this);
            widget = field;
        }
        widget->setObjectName(QString::fromLatin1(entry.name));
        controls_[entry.control] = widget;
    }
    setTabOrder(controls_[PanelControl::txtLeft], controls_[PanelControl::txtRight]);
    setTabOrder(controls_[PanelControl::txtRight], controls_[PanelControl::txtTop]);
    setTabOrder(controls_[PanelControl::txtTop], controls_[PanelControl::txtBottom]);
}

void FrmMain::BuildStatusBar()
{
    hint_ = new QLabel(this);
    hint_->setObjectName(QStringLiteral("statusHint"));
    hint_->setMinimumWidth(1); // long hints are shortened, never widen the window
    hint_->installEventFilter(this);
    statusBar()->addWidget(hint_, 1);
    reading_ = new QLabel(this);
    reading_->setObjectName(QStringLiteral("statusReading"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("statusProgress"));
    progress_->setMaximumHeight(hint_->sizeHint().height());
    progress_->setMaximumWidth(160);
    pointer_ = new QLabel(this);
    pointer_->setObjectName(QStringLiteral("statusPointer"));
    for (QWidget* permanent : std::initializer_list<QWidget*>{reading_, progress_, pointer_})
        statusBar()->addPermanentWidget(permanent);
    reading_->hide();
    progress_->hide();
}

void FrmMain::LayoutClient()
{
    const QSize room = client_->size() - QSize(PanelExtent(controls_).width(), 0);
    const PictureFrame frame = FramePicture(drawing_->size(), room, style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    scroll_->setGeometry(QRect(QPoint(0, 0), frame.frame));
    visiblePicture_ = frame.visible;
    commands_.PlaceCoordinatePanel();
}

void FrmMain::FitWindowToPicture()
{
    const QSize content = drawing_->size();
    if (content.isEmpty())
        return;
    const QSize panel = PanelExtent(controls_);
    const QRect available = screen()->availableGeometry();
    const QRect outer = frameGeometry();
    QSize frameSize = outer.size() - geometry().size();
    // A compositor that draws the frame itself reports none and centres the
    // window without its title bar: allow for that bar twice, and borders.
    if (frameSize.isNull())
        frameSize = QSize(16, 2 * (style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8));
    const int chrome = menuBar()->height() + statusBar()->height();
    const QSize room = available.size() - frameSize - QSize(panel.width(), chrome);
    const PictureFrame frame = FramePicture(content, room, style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    const QSize client(frame.frame.width() + panel.width(), std::max(frame.frame.height(), panel.height()));
    ResizeAndKeep(QSize(client.width(), client.height() + chrome));
    // Keep the whole window on the screen.
    const QSize outerSize = client + QSize(0, chrome) + frameSize;
    QPoint at = outer.topLeft();
    at.setX(std::max(available.left(), std::min(at.x(), available.right() + 1 - outerSize.width())));
    at.setY(std::max(available.top(), std::min(at.y(), available.bottom() + 1 - outerSize.height())));
    if (at != outer.topLeft())
        move(at);
    LayoutClient();
}

void FrmMain::ResizeAndKeep(QSize wanted)
{
    if (size() != wanted)
        sizesLeft_.insert({size().width(), size().height()});
    sizeWanted_ = wanted;
    reassertions_ = 0;
    resize(wanted);
}

// Some compositors answer a size the program sets with configures that were
// already under way and carry a size the window had before; Qt obeys them.
// A user's resize lands on exactly such a size only by chance.
void FrmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (!sizeWanted_.isValid() || size() == sizeWanted_)
        return;
    if (!sizesLeft_.contains({size().width(), size().height()})) {
        sizeWanted_ = QSize(); // the user's own size from now on
        sizesLeft_.clear();
    } else if (reassertions_ < 3) {
        ++reassertions_;
        QTimer::singleShot(0, this, [this] {
            if (sizeWanted_.isValid())
                resize(sizeWanted_);
        });
    }
}

void FrmMain::PictureAnnounced(int width, int height)
{
    // One column and one row more than the image: a click just past its last
    // texel is still taken.
    drawing_->setFixedSize(width + 1, height + 1);
    FitWindowToPicture();
    progress_->setRange(0, height);
    progress_->setValue(0);
    progressClock_.start();
    reading_->show();
    progress_->show();
}

// Both are drawn by the yield that follows, in one pass; the progress bar
// draws itself at once on every change, so it changes at most ten times a second.
void FrmMain::RowsPainted(int first, int last, int rowsDone)
{
    const QRegion band = drawing_->visibleRegion().intersected(QRect(0, first, drawing_->width(), last - first + 1));
    if (!band.isEmpty())
        drawing_->update(band);
    if (progressClock_.hasExpired(100)) {
        progress_->setValue(rowsDone);
        progressClock_.start();
    }
}

void FrmMain::ShowPointer(int x, int y)
{
    pointer_->setText(x < 0 ? QString() : QStringLiteral("x %1  y %2").arg(x).arg(y));
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event)
{
    // A text field claims keys such as Delete, Ctrl+Z and Ctrl+E for editing
    // even when it is read-only; the menu's shortcuts must win over that.
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const auto& [item, action] : actions_) {
            if (!action->shortcut().isEmpty() && action->shortcut() == pressed) {
                event->ignore();
                return true;
            }
        }
    }
    if (watched == client_ && event->type() == QEvent::Resize)
        LayoutClient();
    if (watched == hint_ && event->type() == QEvent::Resize)
        ShowHint(hint_->toolTip());
    // Shift turns the wheel sideways, as in other picture viewers.
    if (watched == scroll_->viewport() && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ShiftModifier) {
            const QPoint delta(wheel->angleDelta().y(), 0);
            QWheelEvent sideways(wheel->position(), wheel->globalPosition(), QPoint(), delta, wheel->buttons(),
                                 Qt::NoModifier, wheel->phase(), wheel->inverted());
            QCoreApplication::sendEvent(scroll_->horizontalScrollBar(), &sideways);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
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

float FrmMain::Left(PanelControl control) const { return Twips(controls_.at(control)->x()); }
float FrmMain::Width(PanelControl control) const { return Twips(controls_.at(control)->width()); }
float FrmMain::Height(PanelControl control) const { return Twips(controls_.at(control)->height()); }

void FrmMain::SetLeft(PanelControl control, float twips)
{
    QWidget* w = controls_.at(control);
    w->move(PixelsFromTwips(twips), w->y());
}

void FrmMain::SetTop(PanelControl control, float twips)
{
    QWidget* w = controls_.at(control);
    w->move(w->x(), PixelsFromTwips(twips));
}

void FrmMain::SetMenuEnabled(MenuItem item, bool enabled) { actions_.at(item)->setEnabled(enabled); }

void FrmMain::SetCaption(const QString& caption, bool modified)
{
    setWindowTitle(caption);
    setWindowModified(modified);
}

// The position is the frame's; Qt knows the frame only once a window manager
// has framed the window, so the native window takes the frame's position.
void FrmMain::SetWindowLeft(float twips)
{
    winId();
    windowHandle()->setFramePosition(QPoint(PixelsFromTwips(twips), windowHandle()->framePosition().y()));
}
void FrmMain::SetWindowTop(float twips)
{
    winId();
    windowHandle()->setFramePosition(QPoint(windowHandle()->framePosition().x(), PixelsFromTwips(twips)));
}

// The picture is one pixel larger than the image it shows (see PictureAnnounced).
float FrmMain::PictureWidth() const { return Twips(std::max(0, scroll_->width() - 1)); }
float FrmMain::PictureHeight() const { return Twips(std::max(0, visiblePicture_.height() - 1)); }

void FrmMain::ShowHint(const QString& text)
{
    hint_->setToolTip(text);
    hint_->setText(hint_->fontMetrics().elidedText(text, Qt::ElideRight, hint_->width()));
}
void FrmMain::ShowMessage(const QString& text) { statusBar()->showMessage(text, 6000); }
void FrmMain::Bell() { QApplication::beep(); }

bool FrmMain::LoadTexture(const QString& path, std::int32_t& height, std::int32_t& width)
{
    const QSize windowBefore = size();
    const QSize pictureBefore = drawing_->size();
    reading_->setText(QStringLiteral("Reading %1").arg(QFileInfo(path).fileName()));
    WindowPainter painter(*this, surface_);
    WindowReporter reporter(dialogs_, *reading_, *progress_);
    targa::LoadTarga(QFile::encodeName(path).toStdString(), painter, height, width, reporter);
    painter.Flush();
    reading_->hide();
    progress_->hide();
    if (!painter.Painted() && !commands_.Ending()) {
        drawing_->setFixedSize(pictureBefore);
        ResizeAndKeep(windowBefore);
        LayoutClient();
    }
    return painter.Painted();
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
        connect(delete_.get(), &FrmDelete::RemoveRequested, this, [this](int number) {
            if (!commands_.Ending())
                commands_.RemoveEntry(number);
        });
    }
    Present(*delete_, [this] { delete_->Load(commands_.State().colNames); });
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
