#include "support/WindowHarness.h"
#include "workspace/MapDocument.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

using namespace ravelock;
using C = ravelock::PanelControl;
using testing_support::GradientTexture;
using testing_support::WindowHarness;

namespace {

struct MenuRow {
    QString menu;
    QString caption; // "-" for a separator
    QString shortcut;
};

std::vector<MenuRow> MenuRows(const FrmMain& window)
{
    std::vector<MenuRow> rows;
    for (QAction* top : window.menuBar()->actions())
        for (QAction* item : top->menu()->actions())
            rows.push_back({top->text(), item->isSeparator() ? QStringLiteral("-") : item->text(),
                            item->shortcut().toString()});
    return rows;
}

} // namespace

TEST(MainWindow, IsBuiltWithItsCaptionMenusAndPanel)
{
    WindowHarness h;
    EXPECT_EQ(h.window.windowTitle(), "Ravelock");
    EXPECT_TRUE(h.window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(h.window.windowFlags() & Qt::WindowMaximizeButtonHint);
    const std::vector<std::tuple<const char*, const char*, const char*>> expected = {
        {"&File", "Open", "Ctrl+O"},          {"&File", "-", ""},         {"&File", "Save", "Ctrl+S"},
        {"&File", "Save As", ""},             {"&File", "-", ""},         {"&File", "Exit", ""},
        {"&Edit", "Undo", "Ctrl+Z"},          {"&Edit", "Redo", "Ctrl+Y"}, {"&Edit", "-", ""},
        {"&Edit", "Complete Entry", "Ctrl+E"}, {"&Edit", "-", ""},         {"&Edit", "Delete Entry", "Del"},
        {"Help", "Readme", "Ctrl+R"},
    };
    const std::vector<MenuRow> rows = MenuRows(h.window);
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].menu, std::get<0>(expected[i])) << i;
        EXPECT_EQ(rows[i].caption, std::get<1>(expected[i])) << i;
        EXPECT_EQ(rows[i].shortcut, std::get<2>(expected[i])) << i;
    }
    EXPECT_EQ(h.window.Drawing()->size(), QSize(312, 206));
    EXPECT_EQ(h.window.Drawing()->cursor().shape(), Qt::CrossCursor);
    for (C field : {C::txtLeft, C::txtRight, C::txtTop, C::txtBottom}) {
        EXPECT_EQ(h.window.Control(field)->size(), QSize(49, 27));
        EXPECT_EQ(h.window.Control(field)->cursor().shape(), Qt::ForbiddenCursor);
        EXPECT_DOUBLE_EQ(h.window.Control(field)->font().pointSizeF(), 13.5);
    }
    const std::pair<C, const char*> captions[] = {
        {C::lblLeft, "Left "}, {C::lblTop, "Top "}, {C::lblRight, "Right "}, {C::lblBottom, "Bottom "}};
    for (auto [label, caption] : captions) {
        auto* widget = static_cast<QLabel*>(h.window.Control(label));
        EXPECT_EQ(widget->text(), caption);
        EXPECT_EQ(widget->width(), widget->fontMetrics().horizontalAdvance(caption));
    }
    QWidget::setTabOrder(nullptr, nullptr);
    EXPECT_EQ(h.window.Control(C::txtLeft)->nextInFocusChain(), h.window.Control(C::txtRight));
}

TEST(MainWindow, StartsHiddenEmptyAndReadOnlyAtTheTopLeft)
{
    WindowHarness h;
    for (C c : {C::lblLeft, C::lblRight, C::lblTop, C::lblBottom, C::txtLeft, C::txtRight, C::txtTop, C::txtBottom})
        EXPECT_FALSE(h.window.Control(c)->isVisible());
    for (C c : {C::txtLeft, C::txtRight, C::txtTop, C::txtBottom}) {
        EXPECT_EQ(h.Field(c), "");
        EXPECT_TRUE(static_cast<QLineEdit*>(h.window.Control(c))->isReadOnly());
    }
    const std::pair<MenuItem, bool> states[] = {
        {MenuItem::mnuFileOpen, true},      {MenuItem::mnuFileSave, true},     {MenuItem::mnuFileSaveAs, true},
        {MenuItem::mnuFileExit, true},      {MenuItem::mnuEditUndo, false},    {MenuItem::mnuEditRedo, false},
        {MenuItem::mnuEditComplete, false}, {MenuItem::mnuEditDelete, false},  {MenuItem::mnuHelpReadme, true},
    };
    for (auto [item, enabled] : states)
        EXPECT_EQ(h.window.Action(item)->isEnabled(), enabled) << static_cast<int>(item);
    EXPECT_EQ(h.State().colLines.size(), 5);
    // 10 twips lands on the nearest whole pixel.
    EXPECT_EQ(h.window.frameGeometry().topLeft(), QPoint(1, 1));
}

TEST(MainWindow, TypicalRoadFromTextureToSavedFile)
{
    WindowHarness h;
    h.Open(h.WriteFile("ui.tga", GradientTexture(512, 256)));
    EXPECT_EQ(h.window.Surface().GetPixel(300, 200), targa::MakeColour(300 - 256, 200, 7));
    EXPECT_EQ(h.window.frameGeometry().size(), QSize(512 + 270, 256 + 50));
    EXPECT_TRUE(h.window.Control(C::txtLeft)->isVisible());
    EXPECT_EQ(h.window.Control(C::lblLeft)->x(), 512 + 1);
    EXPECT_FALSE(h.window.Action(MenuItem::mnuFileOpen)->isEnabled());

    const QImage shown = h.window.Drawing()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(73, 83), QColor(73, 83, 7));

    h.Click(10, 20);
    EXPECT_EQ(h.Field(C::txtLeft), "10");
    EXPECT_EQ(h.Field(C::txtTop), "20");
    EXPECT_EQ(h.Field(C::txtRight), "");
    h.Click(73, 83, Qt::RightButton);
    EXPECT_EQ(h.Field(C::txtRight), "73");
    EXPECT_EQ(h.Field(C::txtBottom), "83");
    EXPECT_TRUE(h.window.Action(MenuItem::mnuEditComplete)->isEnabled());

    h.dialogs.inputAnswers.push_back("Button");
    h.Trigger(MenuItem::mnuEditComplete);
    EXPECT_EQ(h.Field(C::txtLeft), "");
    EXPECT_TRUE(h.window.Action(MenuItem::mnuEditDelete)->isEnabled());

    const QString ini = h.dir.filePath("ui.ini");
    h.dialogs.saveAnswers.push_back(ini);
    h.Trigger(MenuItem::mnuFileSaveAs);
    const QByteArray expected = DocumentBytes(h.State().colLines.mid(0, 5)) +
                                "MappedImage Button\r\nTexture = ui.tga\r\nTextureWidth = 512\r\n"
                                "TextureHeight = 256\r\nCoords = Left:10 Top:20 Right:73 Bottom:83\r\n"
                                "Status = NONE\r\nEnd\r\n \r\n";
    EXPECT_EQ(testing_support::ReadAll(ini), expected);

    h.Trigger(MenuItem::mnuFileExit);
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_FALSE(h.window.isVisible());
}

TEST(MainWindow, ClicksBeyondTheTextureAndOnTheFieldsAreIgnored)
{
    WindowHarness h;
    h.Open(h.WriteFile("small.tga", GradientTexture(100, 50)));
    h.Click(101, 10);
    h.Click(10, 51);
    EXPECT_FALSE(h.window.Action(MenuItem::mnuEditUndo)->isEnabled());
    QTest::mouseClick(h.window.Control(C::lblLeft), Qt::LeftButton);
    QTest::mouseClick(h.window.Control(C::txtTop), Qt::LeftButton);
    EXPECT_FALSE(h.window.Action(MenuItem::mnuEditUndo)->isEnabled());
    h.Click(100, 50);
    EXPECT_EQ(h.Field(C::txtLeft), "100");
    EXPECT_EQ(h.Field(C::txtTop), "50");
}

TEST(MainWindow, MapsAFractionalPointerPositionToTheTexelUnderIt)
{
    WindowHarness h;
    h.Open(h.WriteFile("small.tga", GradientTexture(100, 50)));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10.75, 20.5), h.window.Drawing()->mapToGlobal(QPointF(10.75, 20.5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(h.window.Drawing(), &press);
    EXPECT_EQ(h.Field(C::txtLeft), "10");
    EXPECT_EQ(h.Field(C::txtTop), "20");
}

TEST(MainWindow, MenuShortcutsWinOverAFocusedField)
{
    WindowHarness h;
    h.Open(h.WriteFile("small.tga", GradientTexture(100, 50)));
    QApplication::setActiveWindow(&h.window);
    h.Click(1, 2);
    h.Click(3, 4);
    h.window.Control(C::txtLeft)->setFocus();
    h.dialogs.inputAnswers.push_back("Door");
    QTest::keyClick(h.window.Control(C::txtLeft), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(h.State().colNames, QStringList{"MappedImage Door"});
    QTest::keyClick(h.window.Control(C::txtLeft), Qt::Key_Delete);
    ASSERT_NE(h.window.DeleteDialog(), nullptr);
    EXPECT_TRUE(h.window.DeleteDialog()->isVisible());
}

TEST(MainWindow, ClosingItAsksLikeExit)
{
    struct Case {
        const char* name;
        Answer answer;
        bool closes;
    };
    for (const Case& c : {Case{"saved", Answer::Ok, true}, Case{"cancel", Answer::Cancel, false},
                          Case{"no", Answer::No, true}}) {
        WindowHarness h;
        if (c.answer != Answer::Ok) {
            h.Click(0, 0);
            h.dialogs.inputAnswers.push_back("A");
            h.Trigger(MenuItem::mnuEditComplete);
            h.dialogs.messageAnswers.push_back(c.answer);
        }
        h.window.close();
        EXPECT_EQ(h.window.isVisible(), !c.closes) << c.name;
        EXPECT_EQ(h.dialogs.messages.size(), c.answer == Answer::Ok ? 0u : 1u) << c.name;
        EXPECT_TRUE(QDir(h.dir.path()).isEmpty()) << c.name;
    }
}

TEST(MainWindow, ShowsTheDecodersMessageInAnErrorBox)
{
    WindowHarness h;
    testing_support::TgaBuilder grey;
    grey.imageType = 3;
    grey.depth = 8;
    h.Open(h.WriteFile("grey.tga", grey.Bytes()));
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].text, "This image type is not supported.");
    EXPECT_EQ(h.dialogs.messages[0].title, "Error");
    EXPECT_EQ(h.dialogs.messages[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(h.State().blnAwaitFirst);
}

TEST(MainWindowWhilePainting, CommandsArrivingDuringThePaintRunNormally)
{
    WindowHarness h;
    const QString path = h.WriteFile("big.tga", GradientTexture(600, 600));
    int seenDuringPaint = 0;
    QTimer::singleShot(0, &h.window, [&] {
        seenDuringPaint = h.State().lngImageWidth; // pixels until the paint ends
        h.Click(0, 0);
        h.dialogs.inputAnswers.push_back("Early");
        h.Trigger(MenuItem::mnuEditComplete);
        h.Trigger(MenuItem::mnuEditUndo);
    });
    h.Open(path);
    EXPECT_EQ(seenDuringPaint, 600);
    EXPECT_EQ(h.State().lngImageWidth, 600 * 15);
    EXPECT_EQ(h.State().colNames, QStringList{"MappedImage Early"});
    EXPECT_TRUE(h.State().blnAwaitFirst);
    EXPECT_EQ(h.window.Surface().GetPixel(599, 0), targa::MakeColour(599 - 512, 0, 7));
}

TEST(MainWindowWhilePainting, ClosingDuringThePaintEndsPromptly)
{
    WindowHarness h;
    const QString path = h.WriteFile("big.tga", GradientTexture(600, 600));
    QTimer::singleShot(0, &h.window, [&] { h.window.close(); });
    h.Open(path);
    EXPECT_TRUE(h.window.Commands().Ending());
    EXPECT_FALSE(h.window.isVisible());
    // Painting stopped at the first yield: the top rows were never painted.
    EXPECT_NE(h.window.Surface().GetPixel(5, 0), targa::MakeColour(5, 0, 7));
    EXPECT_FALSE(h.State().blnAwaitFirst);
}

TEST(MainWindowWhilePainting, ExitWithUnsavedWorkAsksThenEnds)
{
    WindowHarness h;
    const QString path = h.WriteFile("big.tga", GradientTexture(600, 600));
    QTimer::singleShot(0, &h.window, [&] {
        h.Click(0, 0);
        h.dialogs.inputAnswers.push_back("Early");
        h.Trigger(MenuItem::mnuEditComplete);
        h.dialogs.messageAnswers.push_back(Answer::No);
        h.Trigger(MenuItem::mnuFileExit);
    });
    h.Open(path);
    EXPECT_EQ(h.dialogs.messages.at(0).text, "Save Changes?");
    EXPECT_TRUE(h.window.Commands().Ending());
    EXPECT_FALSE(h.window.isVisible());
}

TEST(ScaledDisplay, DrawsEachTexelAsASharpBlockAndMapsClicksToIt)
{
    WindowHarness h;
    if (h.window.devicePixelRatioF() < 2)
        GTEST_SKIP() << "needs QT_SCALE_FACTOR=2 (run by the scaled CTest entry)";
    h.Open(h.WriteFile("small.tga", GradientTexture(100, 50)));
    const QImage shown = h.window.Drawing()->grab(QRect(0, 0, 100, 50)).toImage();
    ASSERT_EQ(shown.width(), 200);
    for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx)
            EXPECT_EQ(shown.pixelColor(2 * 41 + dx, 2 * 17 + dy), QColor(41, 17, 7));
    EXPECT_EQ(shown.pixelColor(2 * 42, 2 * 17), QColor(42, 17, 7));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(41.5, 17.5), h.window.Drawing()->mapToGlobal(QPointF(41.5, 17.5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(h.window.Drawing(), &press);
    EXPECT_EQ(h.Field(C::txtLeft), "41");
    EXPECT_EQ(h.Field(C::txtTop), "17");
}
