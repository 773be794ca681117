#include "windows/FrmMain.h"

#include "targa/SurfacePainter.h"
#include "windows/DrawingArea.h"
#include "windows/FrmDelete.h"
#include "windows/FrmReadme.h"
#include "windows/QtDialogs.h"
#include "workspace/Twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>

namespace ravelock {

namespace {

// Painting into the window's surface: progress repaints the drawing area at
// once and lets the event loop run, unless the program is ending.
class WindowPainter final : public targa::SurfacePainter {
public:
    WindowPainter(targa::PixelSurface& surface, QWidget& area, const MainCommands& commands)
        : SurfacePainter(surface), area_(&area), commands_(commands)
    {
    }
    void Refresh() override
    {
        if (area_ && !commands_.Ending())
            area_->repaint();
    }
    bool YieldToEvents() override
    {
        if (commands_.Ending())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return !commands_.Ending() && area_;
    }

private:
    QPointer<QWidget> area_;
    const MainCommands& commands_;
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

} // namespace

FrmMain::FrmMain(Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), ownDialogs_(dialogs ? nullptr : std::make_unique<QtDialogs>(this)),
      dialogs_(dialogs ? *dialogs : *ownDialogs_), commands_(*this, dialogs_)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Ravelock"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    drawing_ = new DrawingArea(surface_, this);
    drawing_->setObjectName(QStringLiteral("drawingArea"));
    setCentralWidget(drawing_);
    BuildMenus();
    BuildPanel();
    const QColor background = drawing_->palette().color(QPalette::Window);
    surface_.Reset(0, 0, targa::MakeColour(background.red(), background.green(), background.blue()));
    drawing_->OnPress([this](int button, int shift, float x, float y) {
        if (!commands_.Ending())
            commands_.MouseDown(button, shift, x, y);
    });
    resize(PixelsFromTwips(4680), PixelsFromTwips(3090) + menuBar()->sizeHint().height());
    commands_.Load();
}

FrmMain::~FrmMain() = default;

void FrmMain::AddCommand(QMenu* menu, MenuItem item, const QString& caption, const QKeySequence& shortcut,
                         void (MainCommands::*command)())
{
    QAction* action = menu->addAction(caption);
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
    AddCommand(file, MenuItem::mnuFileOpen, QStringLiteral("Open"), QKeySequence(Qt::CTRL | Qt::Key_O),
               &MainCommands::Open);
    file->addSeparator();
    AddCommand(file, MenuItem::mnuFileSave, QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S),
               &MainCommands::Save);
    AddCommand(file, MenuItem::mnuFileSaveAs, QStringLiteral("Save As"), {}, &MainCommands::SaveAs);
    file->addSeparator();
    AddCommand(file, MenuItem::mnuFileExit, QStringLiteral("Exit"), {}, &MainCommands::Exit);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    AddCommand(edit, MenuItem::mnuEditUndo, QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z),
               &MainCommands::Undo);
    AddCommand(edit, MenuItem::mnuEditRedo, QStringLiteral("Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y),
               &MainCommands::Redo);
    edit->addSeparator();
    AddCommand(edit, MenuItem::mnuEditComplete, QStringLiteral("Complete Entry"), QKeySequence(Qt::CTRL | Qt::Key_E),
               &MainCommands::CompleteEntry);
    edit->addSeparator();
    AddCommand(edit, MenuItem::mnuEditDelete, QStringLiteral("Delete Entry"), QKeySequence(Qt::Key_Delete),
               &MainCommands::DeleteEntry);

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    AddCommand(help, MenuItem::mnuHelpReadme, QStringLiteral("Readme"), QKeySequence(Qt::CTRL | Qt::Key_R),
               &MainCommands::Readme);
}

void FrmMain::BuildPanel()
{
    struct Layout {
        PanelControl control;
        const char* name;
        const char* caption; // labels only
        int left, top;
    };
    const Layout layouts[] = {
        {PanelControl::lblLeft, "lblLeft", "Left ", 960, 1560},
        {PanelControl::lblRight, "lblRight", "Right ", 960, 2160},
        {PanelControl::txtLeft, "txtLeft", nullptr, 1920, 1560},
        {PanelControl::txtRight, "txtRight", nullptr, 1920, 2160},
        {PanelControl::lblTop, "lblTop", "Top ", 2760, 1560},
        {PanelControl::lblBottom, "lblBottom", "Bottom ", 2760, 2160},
        {PanelControl::txtTop, "txtTop", nullptr, 3720, 1560},
        {PanelControl::txtBottom, "txtBottom", nullptr, 3720, 2160},
    };
    const QFont font = PanelFont();
    const QFontMetrics metrics(font);
    for (const Layout& layout : layouts) {
        QWidget* widget = nullptr;
        if (layout.caption) {
            auto* label = new QLabel(QString::fromLatin1(layout.caption), drawing_);
            label->setFont(font);
            // Auto-sized to the caption, trailing blank included.
            label->resize(metrics.horizontalAdvance(label->text()), metrics.height());
            label->setAttribute(Qt::WA_NoMousePropagation);
            label->setCursor(Qt::CrossCursor);
            widget = label;
        } else {
            auto* field = new QLineEdit(QStringLiteral("0"), drawing_);
            field->setFont(font);
            field->setFixedSize(PixelsFromTwips(735), PixelsFromTwips(405));
            field->setAlignment(Qt::AlignLeft);
            field->setCursor(Qt::ForbiddenCursor);
            field->setAttribute(Qt::WA_NoMousePropagation);
            field->installEventFilter(this);
            widget = field;
        }
        widget->setObjectName(QString::fromLatin1(layout.name));
        widget->move(PixelsFromTwips(layout.left), PixelsFromTwips(layout.top));
        controls_[layout.control] = widget;
    }
    setTabOrder(controls_[PanelControl::txtLeft], controls_[PanelControl::txtRight]);
    setTabOrder(controls_[PanelControl::txtRight], controls_[PanelControl::txtTop]);
    setTabOrder(controls_[PanelControl::txtTop], controls_[PanelControl::txtBottom]);
}

// A text field claims keys such as Delete, Ctrl+Z and Ctrl+E for editing even
// when it is read-only; the menu's shortcuts must win over that.
bool FrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const auto& [item, action] : actions_) {
            if (!action->shortcut().isEmpty() && action->shortcut() == pressed) {
                event->ignore();
                return true;
            }
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

void FrmMain::SetVisible(PanelControl control, bool visible) { controls_.at(control)->setVisible(visible); }

void FrmMain::SetText(PanelControl control, const QString& text)
{
    if (auto* field = qobject_cast<QLineEdit*>(controls_.at(control)))
        field->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(controls_.at(control)))
        label->setText(text);
}

QString FrmMain::Text(PanelControl control) const
{
    if (auto* field = qobject_cast<QLineEdit*>(controls_.at(control)))
        return field->text();
    return qobject_cast<QLabel*>(controls_.at(control))->text();
}

void FrmMain::SetReadOnly(PanelControl control, bool readOnly)
{
    if (auto* field = qobject_cast<QLineEdit*>(controls_.at(control))) {
        field->setReadOnly(readOnly);
        field->setCursor(Qt::ForbiddenCursor); // setReadOnly resets the pointer
    }
}

float FrmMain::Left(PanelControl control) const { return Twips(controls_.at(control)->x()); }
float FrmMain::Top(PanelControl control) const { return Twips(controls_.at(control)->y()); }
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
bool FrmMain::MenuEnabled(MenuItem item) const { return actions_.at(item)->isEnabled(); }

void FrmMain::SetWindowLeft(float twips) { move(PixelsFromTwips(twips), frameGeometry().y()); }
void FrmMain::SetWindowTop(float twips) { move(frameGeometry().x(), PixelsFromTwips(twips)); }

void FrmMain::SetOuterHeight(float twips)
{
    const int frame = frameGeometry().height() - geometry().height();
    resize(width(), std::max(1, PixelsFromTwips(twips) - frame));
}

void FrmMain::SetOuterWidth(float twips)
{
    const int frame = frameGeometry().width() - geometry().width();
    resize(std::max(1, PixelsFromTwips(twips) - frame), height());
}

void FrmMain::LoadTexture(const QString& path, std::int32_t& height, std::int32_t& width)
{
    WindowPainter painter(surface_, *drawing_, commands_);
    DialogErrorReporter reporter(dialogs_);
    targa::LoadTarga(QFile::encodeName(path).toStdString(), painter, height, width, reporter);
}

void FrmMain::ShowDeleteDialog()
{
    if (!delete_)
        delete_ = std::make_unique<FrmDelete>(commands_, this);
    if (!delete_->isVisible())
        delete_->Load();
    delete_->show();
    delete_->raise();
    delete_->activateWindow();
}

void FrmMain::ShowReadme()
{
    if (!readme_)
        readme_ = std::make_unique<FrmReadme>();
    if (!readme_->isVisible())
        readme_->Load();
    readme_->show();
    readme_->raise();
    readme_->activateWindow();
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
