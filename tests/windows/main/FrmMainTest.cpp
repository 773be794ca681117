#include "support/Desktop.h"
#include "support/WindowHarness.h"
#include "windows/dialogs/QtDialogs.h"
#include "windows/main/ClientLayout.h"
#include "windows/picture/Magnifier.h"

#include <QApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPaintEvent>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

using namespace ravelock;
using testing_support::Desktop;
using testing_support::GradientTexture;
using testing_support::WindowHarness;

namespace {

bool OnXcb() { return QGuiApplication::platformName() == "xcb"; }

void ExpectPanelInView(WindowHarness& h, const std::string& what)
{
    for (const char* name :
         {"lblLeft", "txtLeft", "lblTop", "txtTop", "lblRight", "txtRight", "lblBottom", "txtBottom"}) {
        const QWidget* control = h.Find(name);
        EXPECT_TRUE(control->isVisible() && h.Find("clientArea")->rect().contains(control->geometry()) &&
                    h.window.screen()->geometry().contains(QRect(control->mapToGlobal(QPoint()), control->size())))
            << what << ": " << name;
    }
}

} // namespace

TEST(MainWindow, TypicalRoad)
{
    WindowHarness h;
    h.OpenGradient(512, 256);
    EXPECT_EQ(h.Find("pictureFrame")->geometry(), QRect(0, 0, 513, 257)) << "the whole picture, no scroll bars";
    EXPECT_EQ(h.Find("lblLeft")->x(), 512 + 1);
    EXPECT_EQ(h.Find("txtLeft")->geometry().bottom() + 2, 256 / 2) << "the first row ends a gap above the middle";
    ExpectPanelInView(h, "512 x 256");

    h.Click(10, 257);
    QTest::mouseClick(h.Find("txtTop"), Qt::LeftButton);
    EXPECT_FALSE(h.Enabled("mnuEditUndo"));
    h.Click(10, 20);
    EXPECT_EQ(h.Corners(), "10,20 ,");
    h.Click(73, 83, Qt::RightButton);
    EXPECT_EQ(h.Corners(), "10,20 73,83");
    EXPECT_EQ(h.Find("statusHint")->toolTip(), "Type its name (or Ctrl+E)");
    QTest::keyClick(&h.window, 'X');
    auto* typed = h.Find<QLineEdit>("txtTypedName");
    h.Trigger("mnuEditUndo");
    EXPECT_FALSE(typed->isVisible()) << "no rectangle left to name";
    h.Click(73, 83, Qt::RightButton);
    QTest::keyClick(&h.window, 'B');
    QTest::keyClicks(typed, "utton");
    QTest::keyClick(typed, Qt::Key_Return);
    EXPECT_EQ(h.Corners(), ", ,");
    EXPECT_EQ(h.Message(), "Added Button: 10, 20 to 73, 83");

    EXPECT_EQ(h.window.windowHandle()->title(), "Untitled* \u2014 Ravelock");
    const QByteArray saved = h.SaveAs("ui.ini");
    EXPECT_EQ(h.window.windowHandle()->title(), "ui.ini \u2014 Ravelock");
    EXPECT_EQ(saved,
              testing_support::DocumentWith("MappedImage Button\r\nTexture = ui.tga\r\nTextureWidth = 512\r\n"
                                            "TextureHeight = 256\r\nCoords = Left:10 Top:20 Right:73 Bottom:83\r\n"
                                            "Status = NONE\r\nEnd\r\n \r\n"));
    h.Trigger("mnuHelpReadme");
    h.Trigger("mnuFileExit");
    EXPECT_EQ(h.dialogs.messages, QStringList());
    EXPECT_FALSE(h.window.isVisible() || WindowHarness::TopLevels("frmReadme").value(0)->isVisible());
}

// The pointer stands on one device pixel: the texel taken is the one whose colour the screen shows there.
TEST(MainWindow, RealPointerTakesTheTexelShown)
{
    if (const QString why = Desktop::Unavailable(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    WindowHarness h;
    h.OpenGradient(40, 30);
    Desktop desktop(h.window);
    desktop.Settle();
    const qreal scale = h.window.devicePixelRatioF();
    const QImage shot = desktop.Screenshot();
    const QPointF origin = desktop.DeviceOrigin(*h.Drawing());
    for (int dy = int(origin.y() + 7 * scale) - 1; dy <= int(origin.y() + 9 * scale) + 1; ++dy) {
        for (int dx = int(origin.x() + 10 * scale) - 1; dx <= int(origin.x() + 13 * scale) + 1; ++dx) {
            const QColor shown = shot.pixelColor(dx, dy);
            ASSERT_EQ(shown.blue(), 7) << "on the picture at " << dx << "," << dy;
            desktop.Click({dx, dy});
            EXPECT_TRUE(QTest::qWaitFor([&h] { return h.Corners() != ", ,"; }, 3000)) << "no press arrived";
            const QString expected = QString("%1,%2").arg(shown.red()).arg(shown.green());
            EXPECT_EQ(h.Corners(), expected + " ,") << "device pixel " << dx << "," << dy;
            EXPECT_EQ(h.Text("statusPointer"), QString("x %1  y %2").arg(shown.red()).arg(shown.green()));
            h.Trigger("mnuEditUndo");
        }
    }
    if (Desktop::OnWayland())
        return; // Shift is held only on X
    // Shift+click: the top-left texel is the key colour, all the others one shape.
    desktop.Click(desktop.Texel(*h.Drawing(), {0, 0}), true);
    EXPECT_TRUE(QTest::qWaitFor([&h] { return h.Find("statusHint")->toolTip().startsWith("No shape"); }, 3000));
    desktop.Click(desktop.Texel(*h.Drawing(), {1, 0}), true);
    EXPECT_TRUE(QTest::qWaitFor([&h] { return h.Corners() == "0,0 39,29"; }, 3000));
}

TEST(MainWindow, ATextureLargerThanTheScreenScrolls)
{
    WindowHarness h;
    h.OpenGradient(3000, 2000);
    Desktop(h.window).Settle();
    const QRect frame = Desktop(h.window).FrameOnScreen(), room = Desktop(h.window).WorkArea();
    EXPECT_TRUE(Desktop::OnWayland() ? room.size().boundedTo(frame.size()) == frame.size() : room.contains(frame));
    auto* picture = h.Find<QScrollArea>("pictureFrame");
    QScrollBar *across = picture->horizontalScrollBar(), *down = picture->verticalScrollBar();
    ASSERT_TRUE(across->isVisible() && down->isVisible());
    ExpectPanelInView(h, "scrolled to the top left");
    EXPECT_EQ(h.Find("lblLeft")->x(), picture->width()) << "beside the visible part";
    EXPECT_NEAR(h.Find("txtLeft")->geometry().bottom(), picture->viewport()->height() / 2, 2)
        << "straddling its middle";

    h.Hover(10, 10);
    std::vector<int> scrolled; // Shift+wheel sideways, then the wheel down
    for (Qt::KeyboardModifiers modifiers : {Qt::ShiftModifier, Qt::NoModifier}) {
        QWheelEvent wheel({10, 10}, picture->mapToGlobal(QPointF(10, 10)), {}, {0, -120}, {}, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(picture->viewport(), &wheel);
        scrolled.insert(scrolled.end(), {across->value() > 0, down->value() > 0});
    }
    EXPECT_EQ(scrolled, (std::vector{1, 0, 1, 1}));
    EXPECT_EQ(h.Text("statusPointer"), QString("x %1  y %2").arg(10 + across->value()).arg(10 + down->value()));

    for (auto [x, y] : {std::pair{0, 0}, {2999, 0}, {0, 1999}, {2999, 1999}}) {
        picture->ensureVisible(x, y, 5, 5);
        QApplication::processEvents();
        h.Click(x, y);
        EXPECT_EQ(h.Corners(), QString("%1,%2 ,").arg(x).arg(y));
        h.Trigger("mnuEditUndo");
        EXPECT_EQ(h.ShownAt(x, y), QColor(x & 255, y & 255, 7));
    }
    ExpectPanelInView(h, "scrolled to the bottom right");
    h.window.resize(50, 50); // as small as the user can make it
    QTest::qWait(100);
    ExpectPanelInView(h, "the smallest window");
    EXPECT_TRUE(across->isVisible() && down->isVisible() && h.Find("clientArea")->rect().contains(picture->geometry()));
}

TEST(MainWindow, StartsWithItsFrameOnTheScreen)
{
    if (!OnXcb())
        GTEST_SKIP() << "the frame is the window manager's (runs under Xvfb with openbox)";
    WindowHarness h;
    Desktop(h.window).Settle();
    EXPECT_EQ(Desktop(h.window).FrameOnX(), QPoint(1, 1));
}

// Qt's Wayland client goes back to an earlier size when the window is activated again.
TEST(MainWindow, KeepsItsSizeThroughDialogs)
{
    WindowHarness h;
    h.OpenGradient(512, 256);
    h.AddEntry({1, 1}, {2, 2}, "A");
    Desktop desktop(h.window);
    desktop.Settle();
    const QSize fitted = h.window.size();
    const auto closeTheDialog = [&desktop](const std::function<QWidget*()>& dialog) {
        desktop.Settle();
        dialog()->close();
        desktop.Settle();
    };
    for (int round = 0; round < 2; ++round) {
        QTimer::singleShot(0, [&] { closeTheDialog([] { return QApplication::activeModalWidget(); }); });
        QtDialogs(&h.window).Input("Enter Entry Name", "Entry Name");
        h.Trigger("mnuHelpReadme");
        closeTheDialog([] { return WindowHarness::TopLevels("frmReadme").value(0); });
        h.Trigger("mnuEditDelete");
        closeTheDialog([&h] { return h.Find("frmDelete"); });
        EXPECT_EQ(h.window.size(), fitted) << round;
    }
}

TEST(MainWindow, AFailedOpenLeavesOpenOffered)
{
    WindowHarness h;
    const QSize before = h.window.size();
    h.Open(h.WriteFile("grey.tga", testing_support::Tga{.type = 3, .depth = 8}.Bytes()));
    std::vector<std::uint8_t> cut = GradientTexture(900, 900);
    cut.resize(20);
    h.Open(h.WriteFile("cut.tga", cut));
    EXPECT_EQ(h.dialogs.messages,
              QStringList({"Error: This image type is not supported.", "Error: There was an error reading the file:\r\n"
                                                                       "the file ends before the image is complete"}));
    EXPECT_EQ(h.dialogs.icons, std::vector(2, MessageIcon::Critical));
    EXPECT_EQ(h.window.windowTitle(), "Ravelock");
    EXPECT_TRUE(h.Enabled("mnuFileOpen"));
    EXPECT_EQ(h.window.size(), before);
    const QString good = h.WriteFile("good.tga", GradientTexture(40, 30));
    h.window.Run([&good](MainCommands& commands) { commands.OpenTexture(good); }); // as from the command line
    h.Click(39, 29);
    EXPECT_EQ(h.Corners(), "39,29 ,");
}

TEST(MainWindow, OpensADroppedTexture)
{
    WindowHarness h;
    const auto drop = [&h](const QString& path, const QString& also = {}) {
        QMimeData data;
        data.setUrls(also.isEmpty() ? QList{QUrl::fromLocalFile(path)} : QList{QUrl::fromLocalFile(path), QUrl(also)});
        QDragEnterEvent enter({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&h.window, &enter);
        QDropEvent drop({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&h.window, &drop);
        QApplication::processEvents();
        return enter.isAccepted() && drop.isAccepted();
    };
    EXPECT_FALSE(drop(h.WriteFile("notes.txt", GradientTexture(4, 4))));
    EXPECT_FALSE(drop(h.WriteFile("drop.TGA", GradientTexture(40, 30)), "file:///b.tga")) << "one file at a time";
    EXPECT_TRUE(drop(h.dir.filePath("drop.TGA")));
    EXPECT_EQ(h.State().textureName, "drop.TGA");
    EXPECT_FALSE(h.Enabled("mnuFileOpen"));
    EXPECT_FALSE(drop(h.WriteFile("second.tga", GradientTexture(4, 4)))) << "one texture a run";
    h.AddEntry({1, 2}, {3, 4}, "A");
    h.SaveAs("map.ini");
    h.window.Run([](MainCommands& commands) { commands.RemoveEntry(0); });
    const QString map = h.dir.filePath("map.ini");
    EXPECT_TRUE(drop(map));
    EXPECT_EQ(h.State().entries.size(), 1u);
    EXPECT_FALSE(drop(map));
}

TEST(Program, AnswersHelpAndVersionWithoutADisplay)
{
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        noDisplay.remove(name);
    for (const auto& [option, answer] : {std::pair("--version", "Ravelock 1.0.0"), {"--help", "Usage:"}}) {
        QProcess program;
        program.setProcessEnvironment(noDisplay);
        program.start(RAVELOCK_PROGRAM, {option});
        EXPECT_TRUE(program.waitForFinished(10000) && program.readAllStandardOutput().startsWith(answer)) << option;
    }
}

// Every event-loop turn during the paint takes 20 ms, as on a slow disk, so that each refresh is due.
TEST(MainWindowWhilePainting, ShowsTheBuildUp)
{
    WindowHarness h;
    // Refreshes repaint only the rows painted since the last.
    struct : QObject {
        bool eventFilter(QObject* area, QEvent* e) override
        {
            const QRect rect = e->type() == QEvent::Paint ? static_cast<QPaintEvent*>(e)->rect() : QRect();
            if (!rect.isEmpty() && rect.height() < static_cast<QWidget*>(area)->height() - 1)
                rowsRepainted += QRect(0, rect.y(), 1, rect.height());
            return false;
        }
        QRegion rowsRepainted;
    } paints;
    h.Drawing()->installEventFilter(&paints);
    int turns = 0, progress = 0;
    QList<QSize> framesWhilePainting;
    QByteArray early;
    QTimer slow;
    QObject::connect(&slow, &QTimer::timeout, [&] {
        QTest::qSleep(20);
        if (h.Text("statusReading") == "Reading big.tga" && h.Find("statusProgress")->isVisible())
            progress = std::max(progress, h.Find<QProgressBar>("statusProgress")->value());
        framesWhilePainting << h.Find("pictureFrame")->size();
        if (turns++)
            return;
        EXPECT_EQ(h.State().imageWidth, 0) << "the size reaches the workspace once painting has ended";
        h.Click(0, 0);
        h.Trigger("mnuEditComplete");
        early = h.SaveAs("early.ini");
    });
    slow.start(0);
    h.OpenGradient(300, 300, "big.tga");
    slow.stop();
    EXPECT_GT(progress, 0);
    EXPECT_FALSE(h.Find("statusProgress")->isVisible());
    EXPECT_TRUE(framesWhilePainting.contains(h.Find("pictureFrame")->size())) << "sized once the header was read";
    EXPECT_EQ(h.Corners(), ", ,") << "no corner from a click while painting";
    EXPECT_EQ(early, testing_support::DocumentWith());
    EXPECT_TRUE(QRegion(0, 64, 1, 236).subtracted(paints.rowsRepainted).isEmpty());
}

TEST(MainWindow, ClosingAsksLikeExit)
{
    for (Answer answer : {Answer::Cancel, Answer::No}) {
        WindowHarness h;
        h.AddEntries({"Door"});
        h.dialogs.messageAnswers.push_back(answer);
        Desktop(h.window).CloseFromTheFrame();
        for (int wait = 0; wait < 50 && h.dialogs.messages.isEmpty(); ++wait)
            QTest::qWait(100);
        EXPECT_EQ(h.window.isVisible(), answer == Answer::Cancel);
        EXPECT_EQ(h.dialogs.messages, QStringList{"Ravelock: Save Changes?"});
    }
    WindowHarness h;
    QTimer::singleShot(0, &h.window, [&] { h.window.close(); });
    h.OpenGradient(600, 600);
    EXPECT_FALSE(h.window.isVisible());
    auto* magnifier = h.Find<Magnifier>("magnifier");
    magnifier->Centre(QPoint(5, 599));
    EXPECT_TRUE(magnifier->Readout().endsWith("not painted")) << "painting stopped";
}

// A read-only field claims Delete and Ctrl+E for editing, by the desktop's key bindings, unless it gives them to
// the menus.
TEST(MainWindow, ShortcutsWinOverAField)
{
    if (!OnXcb())
        GTEST_SKIP() << "the offscreen platform binds no editing keys (runs under Xvfb)";
    WindowHarness h;
    h.OpenGradient(100, 50);
    h.Click(1, 2);
    h.Click(3, 4);
    h.Find("txtLeft")->setFocus();
    h.dialogs.inputAnswers.push_back("Door");
    QTest::keyClick(h.Find("txtLeft"), Qt::Key_E, Qt::ControlModifier);
    QTest::keyClick(h.Find("txtLeft"), Qt::Key_Delete);
    EXPECT_EQ(h.State().Headings(), QStringList{"MappedImage Door"});
    EXPECT_TRUE(h.Find("frmDelete")->isVisible());
}

TEST(WindowGeometry, PlacesThePanelBesideThePicture)
{
    using C = PanelControl;
    const std::map<C, QSize> sizes{{C::lblLeft, {34, 27}},   {C::lblRight, {48, 27}}, {C::lblTop, {39, 27}},
                                   {C::lblBottom, {63, 27}}, {C::txtLeft, {49, 27}},  {C::txtRight, {49, 27}},
                                   {C::txtTop, {49, 27}},    {C::txtBottom, {49, 27}}};
    const std::vector<int> across{0, 35, 85, 125, 0, 49, 99, 163};
    for (auto [picture, first, second] :
         {std::tuple{QSize(512, 257), 101, 129}, {QSize(7, 56), 0, 29}, {QSize(7, 15), 0, 28}}) {
        const std::map<C, QPoint> placed = PlacePanel(picture, sizes);
        std::vector<int> lefts, tops;
        for (C c :
             {C::lblLeft, C::txtLeft, C::lblTop, C::txtTop, C::lblRight, C::txtRight, C::lblBottom, C::txtBottom}) {
            lefts.push_back(placed.at(c).x() - picture.width() - 1);
            tops.push_back(placed.at(c).y());
        }
        EXPECT_EQ(lefts, across) << picture.width();
        EXPECT_EQ(tops, std::vector({first, first, first, first, second, second, second, second})) << picture.height();
    }
    EXPECT_EQ(PanelExtent(sizes), QSize(221, 57));
    EXPECT_EQ(FramePicture({100, 90}, {100, 90}, 15).visible, QSize(100, 90)) << "a picture that just fits has no bars";
}
