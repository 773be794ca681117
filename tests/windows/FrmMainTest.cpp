#include "support/WindowHarness.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPaintEvent>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

using namespace ravelock;
using testing_support::GradientTexture;
using testing_support::WindowHarness;

namespace {

const char* const kFields[] = {"txtLeft", "txtTop", "txtRight", "txtBottom"};
const char* const kPanel[] = {"lblLeft", "txtLeft", "lblTop", "txtTop", "lblRight", "txtRight", "lblBottom", "txtBottom"};

bool OnXcb() { return QGuiApplication::platformName() == "xcb"; }

// Every control of the panel is shown, lies inside the client area and on the screen.
void ExpectPanelInView(WindowHarness& h, const std::string& what)
{
    const QWidget* client = h.Find("clientArea");
    const QRect screen = h.window.screen()->geometry();
    for (const char* name : kPanel) {
        const QWidget* control = h.Find(name);
        EXPECT_TRUE(control->isVisible()) << what << " " << name;
        EXPECT_TRUE(client->rect().contains(control->geometry())) << what << " " << name;
        EXPECT_TRUE(screen.contains(QRect(control->mapToGlobal(QPoint(0, 0)), control->size()))) << what << " " << name;
    }
}

} // namespace

TEST(MainWindow, IsBuiltWithItsMenusAndStartsWithTheEmptyPanelHidden)
{
    WindowHarness h;
    EXPECT_EQ(h.window.windowTitle(), "Ravelock");
    EXPECT_FALSE(h.window.windowFlags() & Qt::WindowMaximizeButtonHint);
    QStringList menus;
    for (QAction* top : h.window.menuBar()->actions())
        for (QAction* item : top->menu()->actions())
            menus << top->text() + " " + (item->isSeparator() ? "-" : item->text() + " " + item->shortcut().toString());
    EXPECT_EQ(menus, QStringList({"&File Open Ctrl+O", "&File -", "&File Save Ctrl+S", "&File Save As ", "&File -",
                                  "&File Exit ", "&Edit Undo Ctrl+Z", "&Edit Redo Ctrl+Y", "&Edit -",
                                  "&Edit Complete Entry Ctrl+E", "&Edit -", "&Edit Delete Entry Del", "Help Readme Ctrl+R"}));
    EXPECT_EQ(h.Drawing()->cursor().shape(), Qt::CrossCursor);
    for (const char* name : kFields) {
        EXPECT_EQ(h.Field(name), "");
        EXPECT_TRUE(h.Find<QLineEdit>(name)->isReadOnly());
        EXPECT_EQ(h.Find(name)->cursor().shape(), Qt::ForbiddenCursor);
    }
    for (auto [name, caption] : {std::pair{"lblLeft", "Left "}, {"lblTop", "Top "}, {"lblRight", "Right "}, {"lblBottom", "Bottom "}})
        EXPECT_EQ(h.Find<QLabel>(name)->text(), caption);
    for (const char* name : kPanel)
        EXPECT_FALSE(h.Find(name)->isVisible()) << name;
    EXPECT_EQ(h.Find<QLabel>("statusHint")->text(), "Open a texture to start (Ctrl+O)");
    if (!OnXcb()) { // where a window manager places the frame itself
        EXPECT_EQ(h.window.frameGeometry().topLeft(), QPoint(1, 1));
    }
}

TEST(MainWindow, TypicalRoadFromTextureToSavedFile)
{
    WindowHarness h;
    h.Open(h.WriteFile("ui.tga", GradientTexture(512, 256)));
    const QImage shown = h.Drawing()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(300, 200), QColor(300 - 256, 200, 7));
    EXPECT_EQ(shown.pixelColor(73, 83), QColor(73, 83, 7));
    const auto* frame = h.Find<QScrollArea>("pictureFrame");
    EXPECT_EQ(frame->geometry(), QRect(0, 0, 513, 257)) << "the whole picture, no scroll bars";
    EXPECT_EQ(h.Find("lblLeft")->x(), 512 + 1);
    ExpectPanelInView(h, "512 x 256");
    EXPECT_FALSE(h.Enabled("mnuFileOpen"));

    h.Click(10, 20);
    EXPECT_EQ(h.Field("txtLeft") + "," + h.Field("txtTop") + "," + h.Field("txtRight"), "10,20,");
    h.Click(73, 83, Qt::RightButton);
    EXPECT_EQ(h.Field("txtRight") + "," + h.Field("txtBottom"), "73,83");
    EXPECT_EQ(h.Find<QLabel>("statusHint")->text(), "Name the region: Edit > Complete Entry (Ctrl+E)");
    h.dialogs.inputAnswers.push_back("Button");
    h.Trigger("mnuEditComplete");
    EXPECT_EQ(h.Field("txtLeft"), "");
    EXPECT_EQ(h.Message(), "Added Button: 10, 20 to 73, 83");

    const QString ini = h.dir.filePath("ui.ini");
    h.dialogs.saveAnswers.push_back(ini);
    h.Trigger("mnuFileSaveAs");
    EXPECT_EQ(testing_support::ReadAll(ini),
              testing_support::DocumentWith("MappedImage Button\r\nTexture = ui.tga\r\nTextureWidth = 512\r\n"
                                            "TextureHeight = 256\r\nCoords = Left:10 Top:20 Right:73 Bottom:83\r\n"
                                            "Status = NONE\r\nEnd\r\n \r\n"));
    EXPECT_EQ(h.Message(), "Saved 1 entry to ui.ini");
    h.Trigger("mnuFileExit");
    EXPECT_EQ(h.dialogs.messages, QStringList());
    EXPECT_FALSE(h.window.isVisible());
}

TEST(MainWindow, TakesClicksUpToOnePastTheTextureAndShowsTheTexelUnderThePointer)
{
    WindowHarness h;
    h.Open(h.WriteFile("small.tga", GradientTexture(100, 50)));
    h.Click(101, 10);
    h.Click(10, 51);
    QTest::mouseClick(h.Find("lblLeft"), Qt::LeftButton);
    QTest::mouseClick(h.Find("txtTop"), Qt::LeftButton);
    EXPECT_FALSE(h.Enabled("mnuEditUndo"));
    const QPointF at(10.75, 20.5); // between logical pixels: the texel whose cell holds it
    QMouseEvent move(QEvent::MouseMove, at, h.Drawing()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(h.Drawing(), &move);
    EXPECT_EQ(h.Find<QLabel>("statusPointer")->text(), "x 10  y 20");
    QMouseEvent press(QEvent::MouseButtonPress, at, h.Drawing()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(h.Drawing(), &press);
    EXPECT_EQ(h.Field("txtLeft") + "," + h.Field("txtTop"), "10,20");
    h.Click(100, 50);
    EXPECT_EQ(h.Field("txtRight") + "," + h.Field("txtBottom"), "100,50");
}

TEST(MainWindow, ATextureLargerThanTheScreenScrollsAndEveryCornerTexelMapsExactly)
{
    WindowHarness h;
    h.Open(h.WriteFile("big.tga", GradientTexture(3000, 2000)));
    const QRect available = h.window.screen()->availableGeometry();
    EXPECT_TRUE(available.contains(h.window.frameGeometry())) << "the window stays on the screen";
    auto* frame = h.Find<QScrollArea>("pictureFrame");
    QScrollBar* across = frame->horizontalScrollBar();
    QScrollBar* down = frame->verticalScrollBar();
    ASSERT_TRUE(across->isVisible() && down->isVisible());
    ExpectPanelInView(h, "scrolled to the top left");
    QWidget* viewport = frame->viewport();
    EXPECT_EQ(h.Find("lblLeft")->x(), frame->width()) << "beside the visible part";
    EXPECT_NEAR(h.Find("txtLeft")->geometry().bottom() + 1, viewport->height() / 2, 2) << "straddling its middle";

    const auto wheel = [viewport](Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(10, 10), viewport->mapToGlobal(QPointF(10, 10)), {}, QPoint(0, -120), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &event);
    };
    wheel(Qt::ShiftModifier);
    EXPECT_EQ(std::pair(across->value() > 0, down->value()), std::pair(true, 0)) << "Shift+wheel scrolls sideways";
    wheel(Qt::NoModifier);
    EXPECT_GT(down->value(), 0) << "the wheel scrolls down";

    struct Corner {
        int x, y;
    };
    for (const Corner& c : {Corner{0, 0}, Corner{2999, 0}, Corner{0, 1999}, Corner{2999, 1999}}) {
        frame->ensureVisible(c.x, c.y, 5, 5);
        QApplication::processEvents();
        h.Click(c.x, c.y);
        if (h.State().blnAwaitSecond) {
            EXPECT_EQ(h.Field("txtLeft") + "," + h.Field("txtTop"), QString("%1,%2").arg(c.x).arg(c.y));
        } else {
            EXPECT_EQ(h.Field("txtRight") + "," + h.Field("txtBottom"), QString("%1,%2").arg(c.x).arg(c.y));
            h.Trigger("mnuEditUndo");
            h.Trigger("mnuEditUndo");
        }
        const QImage shown = h.Drawing()->grab(QRect(c.x, c.y, 1, 1)).toImage();
        EXPECT_EQ(shown.pixelColor(0, 0), QColor(c.x & 255, c.y & 255, 7));
    }
    ExpectPanelInView(h, "scrolled to the bottom right");
}

TEST(MainWindow, ShortTexturesKeepEveryFieldInsideTheWindow)
{
    for (int size : {1, 8}) {
        WindowHarness h;
        h.Open(h.WriteFile("small.tga", GradientTexture(size, size)));
        ExpectPanelInView(h, std::to_string(size) + " x " + std::to_string(size));
        EXPECT_EQ(h.Find("txtLeft")->y(), 0);
    }
}

TEST(MainWindow, AFailedOpenLeavesTheProgramReadyForAnotherTexture)
{
    WindowHarness h;
    const QSize before = h.window.size();
    h.Open(h.WriteFile("grey.tga", testing_support::Tga{.type = 3, .depth = 8}.Bytes()));
    std::vector<std::uint8_t> cut = GradientTexture(900, 900);
    cut.resize(20); // the header is read and the window grows, but not one pixel can be painted
    h.Open(h.WriteFile("cut.tga", cut));
    EXPECT_EQ(h.dialogs.messages,
              QStringList({"Error: This image type is not supported.",
                           "Error: There was an error reading the file:\r\nthe file ends before the image is complete"}));
    EXPECT_EQ(h.dialogs.icons, std::vector(2, MessageIcon::Critical));
    EXPECT_TRUE(h.Enabled("mnuFileOpen"));
    EXPECT_EQ(h.window.size(), before);
    EXPECT_FALSE(h.Find("txtLeft")->isVisible());

    h.Open(h.WriteFile("good.tga", GradientTexture(40, 30)));
    EXPECT_FALSE(h.Enabled("mnuFileOpen"));
    h.Click(39, 29);
    EXPECT_EQ(h.Field("txtLeft") + "," + h.Field("txtTop"), "39,29");
}

TEST(MainWindowWhilePainting, ShowsTheBuildUpAndProgressButTakesNoCorner)
{
    WindowHarness h;
    const QString path = h.WriteFile("big.tga", GradientTexture(300, 300));
    struct : QObject {
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                rects.push_back(static_cast<QPaintEvent*>(event)->rect());
            return false;
        }
        std::vector<QRect> rects;
    } paints;
    h.Drawing()->installEventFilter(&paints);
    QString progress;
    QSize frameWhilePainting;
    QTimer::singleShot(0, &h.window, [&] {
        auto* bar = h.Find<QProgressBar>("statusProgress");
        progress = h.Find<QLabel>("statusReading")->text() + (bar->isVisible() && bar->value() > 0 ? " shown" : " hidden");
        frameWhilePainting = h.Find("pictureFrame")->size();
        h.Click(0, 0);
        h.Trigger("mnuEditComplete");
        h.dialogs.saveAnswers.push_back(h.dir.filePath("early.ini"));
        h.Trigger("mnuFileSaveAs");
    });
    h.Open(path);
    EXPECT_EQ(progress, "Reading big.tga shown");
    EXPECT_EQ(frameWhilePainting, h.Find("pictureFrame")->size()) << "sized as soon as the header was read";
    EXPECT_FALSE(h.Find("statusProgress")->isVisible());
    EXPECT_EQ(h.Field("txtLeft"), "") << "no corner from a click while painting";
    EXPECT_EQ(h.State().colNames, QStringList());
    EXPECT_EQ(testing_support::ReadAll(h.dir.filePath("early.ini")), testing_support::DocumentWith());
    std::vector<bool> repainted(300, false);
    for (const QRect& r : paints.rects)
        for (int y = std::max(0, r.top()); y <= r.bottom() && y < 300; ++y)
            repainted[std::size_t(y)] = true;
    EXPECT_EQ(std::count(repainted.begin(), repainted.end(), true), 300);
    EXPECT_GE(std::count_if(paints.rects.begin(), paints.rects.end(), [](QRect r) { return r.height() <= 32; }), 8)
        << "each refresh repaints only the rows painted since the last";
}

TEST(MainWindowWhilePainting, ClosingEndsPromptlyAndAsksFirstWhenThereIsUnsavedWork)
{
    WindowHarness h;
    QTimer::singleShot(0, &h.window, [&] { h.window.close(); });
    h.Open(h.WriteFile("big.tga", GradientTexture(600, 600)));
    EXPECT_TRUE(h.window.Commands().Ending());
    EXPECT_FALSE(h.window.isVisible());
    EXPECT_NE(h.window.Surface().GetPixel(5, 599), targa::MakeColour(5, 599 & 255, 7)) << "painting stopped";
}

TEST(MainWindow, ClosingItAsksLikeExit)
{
    struct Case {
        bool unsaved;
        Answer answer;
        bool closes;
    };
    for (const Case& c : {Case{false, Answer::Ok, true}, Case{true, Answer::Cancel, false}, Case{true, Answer::No, true}}) {
        WindowHarness h;
        if (c.unsaved) {
            h.Open(h.WriteFile("t.tga", GradientTexture(2, 2)));
            h.Click(0, 0);
            h.Click(1, 1);
            h.dialogs.inputAnswers.push_back("A");
            h.Trigger("mnuEditComplete");
            h.dialogs.messageAnswers.push_back(c.answer);
        }
        if (OnXcb()) // through the window manager's close button
            QProcess::execute("wmctrl", {"-c", "Ravelock"});
        else
            h.window.close();
        QTest::qWait(OnXcb() ? 300 : 0);
        EXPECT_EQ(h.window.isVisible(), !c.closes) << int(c.answer);
        EXPECT_EQ(h.dialogs.messages.size(), c.unsaved ? 1 : 0) << int(c.answer);
    }
}

TEST(MainWindow, MenuShortcutsWinOverAFocusedField)
{
    if (!OnXcb())
        GTEST_SKIP() << "key delivery to a focused field needs a real display (runs under Xvfb)";
    WindowHarness h;
    h.Open(h.WriteFile("small.tga", GradientTexture(100, 50)));
    QApplication::setActiveWindow(&h.window);
    h.Click(1, 2);
    h.Click(3, 4);
    h.Find("txtLeft")->setFocus();
    h.dialogs.inputAnswers.push_back("Door");
    QTest::keyClick(h.Find("txtLeft"), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(h.State().colNames, QStringList{"MappedImage Door"});
    QTest::keyClick(h.Find("txtLeft"), Qt::Key_Delete);
    const QWidget* dialog = h.window.findChild<QWidget*>("frmDelete");
    EXPECT_TRUE(dialog && dialog->isVisible());
}

TEST(ScaledDisplay, DrawsEachTexelAsASharpBlockAndMapsThePointerToIt)
{
    WindowHarness h;
    if (h.window.devicePixelRatioF() < 2)
        GTEST_SKIP() << "needs QT_SCALE_FACTOR=2 (run by the scaled CTest entries)";
    h.Open(h.WriteFile("small.tga", GradientTexture(100, 50)));
    const QImage shown = h.Drawing()->grab(QRect(0, 0, 100, 50)).toImage();
    ASSERT_EQ(shown.width(), 200);
    for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx)
            EXPECT_EQ(shown.pixelColor(2 * 41 + dx, 2 * 17 + dy), QColor(41, 17, 7));
    EXPECT_EQ(shown.pixelColor(2 * 42, 2 * 17), QColor(42, 17, 7));
    const QPointF at(41.5, 17.5);
    QMouseEvent move(QEvent::MouseMove, at, h.Drawing()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(h.Drawing(), &move);
    EXPECT_EQ(h.Find<QLabel>("statusPointer")->text(), "x 41  y 17");
    QMouseEvent press(QEvent::MouseButtonPress, at, h.Drawing()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(h.Drawing(), &press);
    EXPECT_EQ(h.Field("txtLeft") + "," + h.Field("txtTop"), "41,17");
}
