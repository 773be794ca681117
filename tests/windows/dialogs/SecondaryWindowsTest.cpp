#include "support/Desktop.h"
#include "support/WindowHarness.h"
#include "windows/dialogs/FrmSplash.h"
#include "workspace/MapDocument.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTreeWidget>
#include <QUrl>

#include <gtest/gtest.h>

using namespace ravelock;
using testing_support::Desktop;
using testing_support::ReadAll;
using testing_support::WindowHarness;

namespace {

bool Active(const char* name)
{
    return QTest::qWaitFor(
        [name] {
            QWidget* w = QApplication::activeWindow();
            return w && w->objectName() == name;
        },
        3000);
}

} // namespace

TEST(DeleteDialog, RemovesTheChosenEntry)
{
    WindowHarness h;
    h.AddEntries({"One", "Two", "Three"});
    h.Trigger("mnuEditDelete");
    QWidget* dialog = h.Find("frmDelete");
    ASSERT_TRUE(dialog && dialog->isVisible());
    auto* list = h.Find<QComboBox>("cmbDelete");
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(1), "MappedImage Two");
    EXPECT_EQ(list->currentIndex(), -1);
    list->setCurrentIndex(1);
    QTest::mouseClick(h.Find<QPushButton>("cmdDelete"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(h.Message(), "Removed Two");
    EXPECT_EQ(h.State().Headings(), (QStringList{"MappedImage One", "MappedImage Three"}));
    // The removal by the mouse left the button focused; the next opening, refilled, gives the list the keyboard.
    h.Trigger("mnuEditDelete");
    for (int down = 0; down < 2; ++down)
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Down);
    h.Trigger("mnuEditUndoEntry"); // Two comes back before Three, which stays chosen
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(h.State().Headings(), (QStringList{"MappedImage One", "MappedImage Two"}));
}

// With real keys on X: a wrong row removed and brought back, then saved in its place.
TEST(DeleteDialog, ARemovalIsTakenBackWithRealKeys)
{
    if (!Desktop::RealKeys())
        GTEST_SKIP() << "real keys on X (runs under Xvfb)";
    WindowHarness h;
    h.AddEntries({"One", "Two", "Three"});
    h.window.activateWindow();
    ASSERT_TRUE(Active("frmMain"));
    Desktop::Keys({"shift", "Delete"}); // X drops the first key after a start
    ASSERT_TRUE(Active("frmDelete"));
    Desktop::Keys({"Down", "Down", "Return"});
    EXPECT_TRUE(Active("frmMain")) << "the window has the keys again";
    Desktop::Keys({"ctrl+alt+z"});
    EXPECT_TRUE(QTest::qWaitFor([&h] { return h.Message() == "Brought back Two"; }, 3000));
    const QString file = h.dir.filePath("ui.ini");
    h.dialogs.saveAnswers.push_back(file);
    Desktop::Keys({"ctrl+s"});
    EXPECT_TRUE(QTest::qWaitFor([&h] { return h.State().Saved(); }, 3000));
    const QStringList saved = QString(ReadAll(file)).split("\r\n").filter(QRegularExpression("^Map"));
    EXPECT_EQ(saved, (QStringList{"MappedImage One", "MappedImage Two", "MappedImage Three"}));
}

TEST(ReadmeWindow, ShowsOneReadOnlyAddress)
{
    WindowHarness h;
    for (int opening = 0; opening < 3; ++opening) { // twice while open, then after closing it
        h.Trigger("mnuHelpReadme");
        const QWidgetList readmes = WindowHarness::TopLevels("frmReadme");
        ASSERT_EQ(readmes.size(), 1);
        auto* field = readmes.first()->findChild<QLineEdit*>("txtURL");
        const QString address = field->text();
        EXPECT_TRUE(QFile::exists(QUrl(address).toLocalFile())) << address.toStdString();
        if (opening == 1)
            QTest::keyClick(field, Qt::Key_Escape);
        EXPECT_EQ(readmes.first()->isVisible(), opening != 1) << "Escape closes it";
    }
}

TEST(Splash, ProceedsOnKeysAndClicks)
{
    const auto click = [](const char* name, QPoint at = {}) {
        return
            [=](FrmSplash& s) { QTest::mouseClick(name ? s.findChild<QWidget*>(name) : &s, Qt::LeftButton, {}, at); };
    };
    const auto key = [](Qt::Key k) { return [=](FrmSplash& s) { QTest::keyClick(&s, k); }; };
    struct Case {
        const char* name;
        std::function<void(FrmSplash&)> act;
        bool proceeds;
    } const cases[] = {
        {"letter", key(Qt::Key_Q), true},
        {"two letters",
         [](FrmSplash& s) {
             QTest::keyClick(&s, Qt::Key_Q);
             QTest::keyClick(&s, Qt::Key_W);
         },
         true},
        {"arrow", key(Qt::Key_Left), false},
        {"version line", click("lblVersion"), false},
        {"frame beside the version line", click("Frame1", QPoint(30, 90)), true},
    };
    for (const Case& c : cases) {
        int proceeded = 0;
        QPointer<FrmSplash> splash(new FrmSplash({2, 10, 3, "By us", "Thanks"}, [&] { ++proceeded; }));
        EXPECT_EQ(splash->findChild<QLabel*>("lblVersion")->text(), "Version 2.10.3");
        splash->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
        if (QGuiApplication::platformName() == "xcb") { // a window manager gives it the keyboard
            EXPECT_TRUE(QTest::qWaitForWindowActive(splash)) << c.name;
        }
        c.act(*splash);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(proceeded, c.proceeds ? 1 : 0) << c.name;
        EXPECT_EQ(splash.isNull(), c.proceeds) << c.name;
        delete splash.data();
    }
}

// The list follows every change; Return opens Entry Properties, Delete the Delete Entry dialog.
TEST(EntryList, FollowsTheDocumentAndOpensItsDialogs)
{
    WindowHarness h;
    h.OpenGradient(3000, 2000);
    h.AddEntry({5, 25}, {30, 40}, "A");
    h.Trigger("mnuViewEntries");
    QApplication::processEvents();
    auto* list = h.Find<QTreeWidget>("lstEntries");
    EXPECT_EQ(h.window.focusWidget(), list);
    h.window.Run([](MainCommands& commands) { commands.TakeShape(QRect(2970, 1950, 21, 26), false); });
    h.Complete("B");
    const auto rows = [list] {
        QStringList shown;
        for (const QTreeWidgetItem* row : list->findItems("*", Qt::MatchWildcard))
            shown << row->text(0) << row->text(1) << row->text(5);
        return shown.join(' ');
    };
    EXPECT_EQ(rows(), "A 5 26 x 16 B 2970 21 x 26");
    QTest::keyClick(list, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(rows(), "A 5 26 x 16 B 2970 20 x 26") << "Ctrl+Shift+arrow resizes where Alt+Shift+arrow is taken";
    QTest::keyClick(list, Qt::Key_Right, Qt::AltModifier | Qt::ShiftModifier);
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down})
        QTest::keyClick(list, key);
    EXPECT_GT(h.Find<QScrollArea>("pictureFrame")->horizontalScrollBar()->value(), 2000);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_LT(h.Find<QScrollArea>("pictureFrame")->horizontalScrollBar()->value(), 100) << "back to the first entry";
    QTest::keyClick(list, Qt::Key_Return);
    auto* properties = h.Find<QDialog>("frmEntryProperties");
    ASSERT_TRUE(properties->isVisible());
    EXPECT_EQ(properties->focusWidget(), h.Find("txtName"));
    h.Find<QLineEdit>("txtName")->setText("B two");
    QTest::keyClick(h.Find("txtName"), Qt::Key_Return);
    EXPECT_TRUE(properties->isVisible() && h.dialogs.messages.last().startsWith("Duplicate Name: B is already"));
    QTest::keyClick(h.Find("spnTop"), Qt::Key_Escape);
    EXPECT_EQ(rows(), "A 5 26 x 16 B 2970 21 x 26");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::keyClick(list, Qt::Key_Return);
    for (const char* corner : {"spnLeft", "spnTop", "spnRight", "spnBottom"})
        h.Find<QSpinBox>(corner)->setValue(9999);
    h.Find<QLineEdit>("txtName")->setText("C d");
    QTest::keyClick(h.Find("txtName"), Qt::Key_Return);
    EXPECT_EQ(rows(), "C 3000 1 x 1 B 2970 21 x 26") << "each corner bounded by its own side";
    EXPECT_EQ(h.window.windowTitle(), "Untitled[*] \u2014 Ravelock");
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(h.Find<QComboBox>("cmbDelete")->currentText(), "MappedImage C");
    QTest::keyClick(list, Qt::Key_Down);
    h.window.Run([](MainCommands& commands) { commands.RemoveEntry(1); });
    EXPECT_EQ(rows(), "C 3000 1 x 1");
    EXPECT_EQ(list->currentIndex().row(), 0) << "the last row, once the current one went";
    h.window.Run([](MainCommands& commands) {
        commands.Click({1, 1});
        commands.Click({2, 2});
    });
    QTest::keyClick(&h.window, 'C');
    QTest::keyClick(h.Find("txtTypedName"), Qt::Key_Return);
    EXPECT_TRUE(h.Find("txtTypedName")->isVisible()) << "C is taken: another name is typed over it";
}

// Shapes named at once after a Shift+click with real input, in a maximized window and then in one the user sized:
// no keystroke is lost, and the window keeps its size as long names join the list.
TEST(ManyEntriesWindow, RealPointerAndKeysNameShapesAtOnce)
{
    if (!Desktop::RealKeys())
        GTEST_SKIP() << "real keys on X (runs under Xvfb)";
    WindowHarness h;
    h.Open(h.WriteFile("skin.tga", testing_support::RowsTexture({"........", ".##.###.", ".##.###.", "........"})));
    Desktop desktop(h.window);
    h.window.showMaximized();
    desktop.Settle();
    h.window.activateWindow();
    ASSERT_TRUE(Active("frmMain"));
    Desktop::Keys({"shift", "ctrl+l"}); // X drops the first key after a start
    const QSize maximized = h.window.size();
    const auto shape = [&](QPoint texel) { return Desktop::ClickOnX(desktop.Texel(*h.Drawing(), texel), true); };
    const auto name = [&](QPoint texel, const QString& typed) { // the name at full speed
        Desktop::X(shape(texel) + QStringList{"type", "--delay", "0", typed});
        Desktop::Keys({"Return"});
        return QTest::qWaitFor([&h, typed] { return h.State().Find(typed).has_value(); }, 3000);
    };
    ASSERT_TRUE(name({1, 1}, "CapLeftWithAVeryLongNameIndeed"));
    Desktop::X(shape({5, 1}) + QStringList{"key", "X", "Escape"});
    QTest::qWait(300);
    EXPECT_EQ(h.State().picking.step, Step::Naming) << "Escape leaves the rectangle waiting";
    // At a scale of 2 the screen is narrower than the window's least width with the list.
    if (h.window.minimumWidth() <= h.window.screen()->availableGeometry().width()) {
        EXPECT_TRUE(h.window.isMaximized());
        EXPECT_EQ(h.window.size(), maximized);
    }
    h.window.showNormal();
    desktop.Settle();
    Desktop::X({"windowsize", QString::number(h.window.winId()), "700", "420"});
    desktop.Settle();
    const QSize sized = h.window.size();
    ASSERT_TRUE(name({5, 2}, "MiddleOnceTheUserSizedTheWindow"));
    EXPECT_EQ(h.window.size(), sized);
    const QString file = h.dir.filePath("skin.ini");
    h.dialogs.saveAnswers.push_back(file);
    Desktop::Keys({"ctrl+s"});
    ASSERT_TRUE(QTest::qWaitFor([&h] { return h.State().Saved(); }, 3000));
    EXPECT_EQ(std::get<std::vector<Entry>>(ReadMapFile(file, h.State().Header())),
              (std::vector<Entry>{{"CapLeftWithAVeryLongNameIndeed", 1, 1, 2, 2},
                                  {"MiddleOnceTheUserSizedTheWindow", 4, 1, 6, 2}}));
}

// Whether the plan's green dashes run along texels `from` to `to` of row y.
static bool Outlined(const WindowHarness& h, int from, int to, int y)
{
    for (int x = from; x <= to; ++x)
        if (h.ShownAt(x, y) == QColor(0x40, 0xFF, 0x60))
            return true;
    return false;
}

TEST(ManyEntriesWindow, DialogsOutlineWhatTheyWouldAddAndRememberIt)
{
    WindowHarness h;
    h.Open(h.WriteFile("dots.tga", testing_support::RowsTexture({"......", ".#..#.", "......", "......"})));
    h.AddEntry({0, 0}, {2, 1}, "DotNormal");
    EXPECT_FALSE(h.Enabled("mnuEditRepeat")) << "no entry chosen in a list";
    h.Trigger("mnuViewEntries");
    auto* list = h.Find<QTreeWidget>("lstEntries");
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_TRUE(h.Enabled("mnuEditRepeat"));
    h.Trigger("mnuEditRepeat");
    h.Trigger("mnuEditRepeat");
    EXPECT_EQ(WindowHarness::TopLevels("frmRepeat").size(), 1);
    auto* repeat = h.Find<QDialog>("frmRepeat");
    const auto plan = [&h](const char* name) { return h.Find<QDialog>(name)->findChild<QLabel*>("lblPlan")->text(); };
    EXPECT_EQ(plan("frmRepeat"), "Type the offset and the words that change, or click where the first copy goes");
    h.Click(3, 2, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(h.Find<QSpinBox>("spnOffsetX")->value(), 3);
    EXPECT_EQ(h.Corners(), ", ,") << "the click took no corner";
    EXPECT_TRUE(Outlined(h, 3, 5, 2));
    repeat->accept();
    EXPECT_TRUE(repeat->isVisible() && h.dialogs.messages.isEmpty()) << "DotNormal is taken: said once, in the dialog";
    QTest::keyClicks(h.Find<QLineEdit>("txtReplace"), "Normal");
    QTest::keyClicks(h.Find<QLineEdit>("txtWith"), "Pushed");
    h.Find<QSpinBox>("spnOffsetX")->setValue(300);
    EXPECT_EQ(plan("frmRepeat"), "DotPushed would leave the picture");
    h.Find<QSpinBox>("spnOffsetX")->setValue(3);
    repeat->accept();
    EXPECT_EQ(h.State().entries.back(), (Entry{"DotPushed", 3, 2, 5, 3}));
    EXPECT_FALSE(Outlined(h, 3, 5, 2));

    h.Trigger("mnuEditMapShapes");
    auto* shapes = h.Find<QDialog>("frmMapShapes");
    ASSERT_TRUE(QTest::qWaitFor([&plan] { return plan("frmMapShapes") == "Adds Shape1"; }, 3000));
    EXPECT_TRUE(Outlined(h, 4, 4, 1));
    shapes->accept();
    EXPECT_EQ(h.State().entries.back(), (Entry{"Shape1", 4, 1, 4, 1}));
    list->setCurrentItem(list->topLevelItem(0));
    QTest::keyClick(list, Qt::Key_Return); // DotNormal's handles: the bottom-left one's lower edge
    EXPECT_EQ(h.ShownAt(0, 4), QColor(Qt::black));
    h.Find<QDialog>("frmEntryProperties")->reject();
    h.Click(0, 2);
    h.Click(5, 3);
    for (int opening = 0; opening < 2; ++opening) {
        h.Trigger("mnuEditSlice");
        if (opening == 0) {
            h.Find<QLineEdit>("txtBase")->setText("Bar*On");
            for (const char* border : {"spnTop", "spnBottom"})
                h.Find<QSpinBox>(border)->setValue(0);
            h.Find<QSpinBox>("spnGapX")->setValue(1);
            h.Find<QLineEdit>("txtNames")->setText("L M R");
        }
        EXPECT_EQ(plan("frmSlice"), "Adds 3 entries, BarLOn to BarROn") << opening;
        h.Find<QComboBox>("cboKind")->setCurrentIndex(1);
        EXPECT_EQ(h.Find<QSpinBox>("spnWidth")->value(), 6) << "the count kept, the width follows it " << opening;
        h.Find<QSpinBox>("spnColumns")->setValue(3);
        EXPECT_EQ(h.Find<QSpinBox>("spnWidth")->value(), 2) << "the cells' width follows their count";
        h.Find<QSpinBox>("spnWidth")->setValue(4);
        EXPECT_EQ(h.Find<QSpinBox>("spnColumns")->value(), 1) << "and their count the width";
        h.Find<QComboBox>("cboKind")->setCurrentIndex(0);
        h.Find<QDialog>("frmSlice")->reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
