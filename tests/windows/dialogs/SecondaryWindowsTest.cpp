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
    return QTest::qWaitFor([name] { QWidget* w = QApplication::activeWindow(); return w && w->objectName() == name; },
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
    EXPECT_FALSE(list->isEditable() || static_cast<QDialog*>(dialog)->isSizeGripEnabled());
    list->setCurrentIndex(1);
    QTest::mouseClick(h.Find<QPushButton>("cmdDelete"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(h.Message(), "Removed Two");
    EXPECT_EQ(h.State().colNames(), (QStringList{"MappedImage One", "MappedImage Three"}));
    // The removal by the mouse left the button focused; the next opening, refilled, gives the list the keyboard.
    h.Trigger("mnuEditDelete");
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Return})
        QTest::keyClick(dialog->focusWidget(), key);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(h.State().colNames(), QStringList{"MappedImage Three"});
}

// With real keys on X: a wrong row removed and brought back, then saved in its place.
TEST(DeleteDialog, ARemovalIsTakenBackWithRealKeys)
{
    if (QGuiApplication::platformName() != "xcb" || !Desktop::Unavailable().isEmpty())
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
        QTest::keyClicks(field, "typed");
        EXPECT_TRUE(readmes.first()->isVisible());
        EXPECT_EQ(field->text(), address);
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
        {"two letters", [](FrmSplash& s) { QTest::keyClick(&s, Qt::Key_Q); QTest::keyClick(&s, Qt::Key_W); }, true},
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
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Return})
        QTest::keyClick(list, key);
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
}

// A button's three pieces cut by real clicks, repeated for two more states with the dialog driven by keys.
TEST(ManyEntriesWindow, RealPointerAndKeysRepeatAButton)
{
    if (QGuiApplication::platformName() != "xcb" || !Desktop::Unavailable().isEmpty())
        GTEST_SKIP() << "real keys on X (runs under Xvfb)";
    WindowHarness h;
    h.OpenGradient(40, 30);
    Desktop desktop(h.window);
    desktop.Settle();
    h.window.activateWindow();
    ASSERT_TRUE(Active("frmMain"));
    Desktop::Keys({"shift"}); // X drops the first key after a start
    const qreal scale = h.window.devicePixelRatioF();
    const QPointF origin = desktop.DeviceOrigin(*h.Drawing());
    const auto click = [&](QPoint texel) {
        const QPointF at = origin + (QPointF(texel) + QPointF(0.5, 0.5)) * scale;
        desktop.Click({int(at.x()), int(at.y())});
    };
    const std::vector<Entry> pieces = {{"LeftNormal", 2, 3, 5, 10}, {"MiddleNormal", 6, 3, 29, 10},
                                       {"RightNormal", 30, 3, 33, 10}};
    for (const Entry& piece : pieces) {
        click({piece.left, piece.top});
        click({piece.right, piece.bottom});
        h.dialogs.inputAnswers.push_back(piece.name);
        Desktop::Keys({"ctrl+e"});
        ASSERT_TRUE(QTest::qWaitFor([&h, &piece] { return h.State().Find(piece.name).has_value(); }, 3000));
    }
    Desktop::Keys({"ctrl+l", "ctrl+a", "ctrl+d"});
    ASSERT_TRUE(Active("frmRepeat"));
    Desktop::Keys({"0", "Tab", "9", "Tab"});
    Desktop::Type("Normal");
    Desktop::Keys({"Tab"});
    Desktop::Type("Pushed Hover");
    Desktop::Keys({"Tab", "2", "Return"});
    EXPECT_TRUE(Active("frmMain")) << "the window has the keys again";
    const QString file = h.dir.filePath("button.ini");
    h.dialogs.saveAnswers.push_back(file);
    Desktop::Keys({"ctrl+s"});
    ASSERT_TRUE(QTest::qWaitFor([&h] { return h.State().Saved(); }, 3000));
    std::vector<Entry> expected = pieces;
    for (const auto& [state, down] : {std::pair{"Pushed", 9}, {"Hover", 18}})
        for (const Entry& p : pieces)
            expected.push_back(
                {QString(p.name).replace("Normal", state), p.left, p.top + down, p.right, p.bottom + down});
    EXPECT_EQ(std::get<std::vector<Entry>>(ReadMapFile(file, h.State())), expected);
}

// A skin mapped with real input: a name typed at once after a Shift+click, a button with gaps, a frame in its own
// words and a row of icons sliced, in a maximized window and then one the user sized.
TEST(ManyEntriesWindow, RealPointerAndKeysMapASkin)
{
    if (QGuiApplication::platformName() != "xcb" || !Desktop::Unavailable().isEmpty())
        GTEST_SKIP() << "real keys on X (runs under Xvfb)";
    std::vector<std::string> rows(24, std::string(48, '.'));
    const auto fill = [&rows](int left, int top, int right, int bottom) {
        for (int y = top; y <= bottom; ++y)
            rows[y].replace(left, right - left + 1, right - left + 1, '#');
    };
    for (const QRect& piece : {QRect(2, 1, 3, 6), QRect(7, 1, 13, 6), QRect(22, 1, 3, 6), QRect(28, 1, 18, 18)})
        fill(piece.left(), piece.top(), piece.right(), piece.bottom());
    for (int x = 0; x < 48; x += 4)
        fill(x, 20, x + 2, 22);
    WindowHarness h;
    h.Open(h.WriteFile("skin.tga", testing_support::RowsTexture(rows)));
    Desktop desktop(h.window);
    h.window.showMaximized();
    desktop.Settle();
    h.window.activateWindow();
    ASSERT_TRUE(Active("frmMain"));
    Desktop::Keys({"shift"}); // X drops the first key after a start
    const QSize maximized = h.window.size();
    const auto at = [&](QPoint texel) {
        const QPointF p =
            desktop.DeviceOrigin(*h.Drawing()) + (QPointF(texel) + QPointF(0.5, 0.5)) * h.window.devicePixelRatioF();
        return QStringList{"mousemove", QString::number(int(p.x())), QString::number(int(p.y()))};
    };
    const auto name = [&](QPoint shape, const QString& typed) { // Shift+click, then the name at full speed
        const QStringList then{"click", "1", "keyup", "shift", "type", "--delay", "0", typed};
        QProcess::execute("xdotool", QStringList{"keydown", "shift"} + at(shape) + then);
        QProcess::execute("xdotool", {"key", "--delay", "0", "Return"});
        return QTest::qWaitFor([&h, typed] { return h.State().Find(typed).has_value(); }, 3000);
    };
    ASSERT_TRUE(name({3, 3}, "CapLeftWithAVeryLongNameIndeed"));
    const auto slice = [&](QPoint first, QPoint second, const QString& base, const QStringList& fields) {
        for (QPoint corner : {first, second})
            QProcess::execute("xdotool", at(corner) + QStringList{"click", "1"});
        Desktop::Keys({"ctrl+k"});
        ASSERT_TRUE(Active("frmSlice"));
        Desktop::Type(base);
        for (const QString& field : fields)
            field.startsWith('@') ? Desktop::Keys({field.mid(1)}) : Desktop::Type(field);
        Desktop::Keys({"Return"});
        ASSERT_TRUE(Active("frmMain"));
    };
    slice({2, 1}, {24, 6}, "Button*Normal", {"@Tab", "@Tab", "3", "@Tab", "0", "@Tab", "3", "@Tab", "0", "@Tab", "2",
                                           "@Tab", "0", "@Tab", "Left Middle Right"});
    slice({28, 1}, {45, 18}, "Frame", {"@Tab", "@Tab", "2", "@Tab", "2", "@Tab", "2", "@Tab", "2", "@Tab", "1", "@Tab",
                                       "1", "@Tab", "TL T TR L Backdrop R BL B BR"});
    slice({0, 20}, {47, 22}, "Icon", {"@Tab", "@Down", "@Tab", "12", "@Tab", "@Tab", "@Tab", "@Tab", "1"});
    EXPECT_TRUE(h.window.isMaximized());
    EXPECT_EQ(h.window.size(), maximized);
    h.window.showNormal();
    desktop.Settle();
    QProcess::execute("xdotool", {"windowsize", QString::number(h.window.winId()), "700", "420"});
    desktop.Settle();
    const QSize sized = h.window.size();
    ASSERT_TRUE(name({10, 3}, "MiddleOnceTheUserSizedTheWindow"));
    EXPECT_EQ(h.window.size(), sized);
    const QString file = h.dir.filePath("skin.ini");
    h.dialogs.saveAnswers.push_back(file);
    Desktop::Keys({"ctrl+s"});
    ASSERT_TRUE(QTest::qWaitFor([&h] { return h.State().Saved(); }, 3000));
    std::vector<Entry> expected = {{"CapLeftWithAVeryLongNameIndeed", 2, 1, 4, 6}, {"ButtonLeftNormal", 2, 1, 4, 6},
                                   {"ButtonMiddleNormal", 7, 1, 19, 6}, {"ButtonRightNormal", 22, 1, 24, 6}};
    const QStringList words = {"TL", "T", "TR", "L", "Backdrop", "R", "BL", "B", "BR"};
    const int columns[3][2] = {{28, 29}, {31, 42}, {44, 45}}, spans[3][2] = {{1, 2}, {4, 15}, {17, 18}};
    for (int i = 0; i < 9; ++i)
        expected.push_back({"Frame" + words[i], columns[i % 3][0], spans[i / 3][0], columns[i % 3][1], spans[i / 3][1]});
    for (int i = 0; i < 12; ++i)
        expected.push_back({QString("Icon%1").arg(i + 1), 4 * i, 20, 4 * i + 2, 22});
    expected.push_back({"MiddleOnceTheUserSizedTheWindow", 7, 1, 19, 6});
    EXPECT_EQ(std::get<std::vector<Entry>>(ReadMapFile(file, h.State())), expected);
}

// Keys through the window, as the system sends them, to whatever has the keyboard.
static void Type(WindowHarness& h, const std::string& keys)
{
    for (char key : keys)
        QTest::keyClick(h.window.windowHandle(), key);
}

TEST(ManyEntriesWindow, ANameTypedAtOnceCompletesTheRectangleAndTheWindowKeepsItsSize)
{
    WindowHarness h;
    h.OpenGradient(40, 30);
    h.Trigger("mnuViewEntries");
    h.window.resize(h.window.size() + QSize(90, 70));
    const QSize size = h.window.size();
    h.Click(2, 3);
    h.Click(9, 8);
    Type(h, "Btn Left\r");
    EXPECT_EQ(h.State().entries.back(), (Entry{"Btn", 2, 3, 9, 8}));
    h.window.Run([](MainCommands& commands) { commands.TakeShape(QRect(20, 20, 3, 2), false); });
    Type(h, "X\x1b");
    EXPECT_EQ(h.State().picking.step, Step::Naming) << "Escape leaves the rectangle waiting";
    Type(h, "Btn\rAVeryLongNameThatTheListCannotShowWhole\r");
    EXPECT_EQ(h.dialogs.messages, QStringList{"Duplicate Name: Btn is already a image map name"});
    EXPECT_EQ(h.State().entries.back().name, "AVeryLongNameThatTheListCannotShowWhole");
    EXPECT_EQ(h.window.size(), size);
}

TEST(ManyEntriesWindow, DialogsRememberWhatWasTypedAndSayARefusalOnce)
{
    WindowHarness h;
    h.Open(h.WriteFile("dots.tga", testing_support::RowsTexture({"......", ".#..#.", "......", "......"})));
    h.AddEntry({0, 0}, {2, 1}, "Dot");
    h.Trigger("mnuViewEntries");
    auto* list = h.Find<QTreeWidget>("lstEntries");
    list->setCurrentItem(list->topLevelItem(0));
    h.Trigger("mnuEditRepeat");
    const auto plan = [&h](const char* dialog) { return h.Find<QDialog>(dialog)->findChild<QLabel*>("lblPlan")->text(); };
    EXPECT_EQ(plan("frmRepeat"), "Type the offset and the words that change, or click where the first copy goes");
    h.Click(3, 2, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(h.Find<QSpinBox>("spnOffsetY")->value(), 2) << "a Shift+click aims the copies too";
    h.Find<QLineEdit>("txtWith")->setText("Pushed");
    h.Find<QSpinBox>("spnOffsetX")->setValue(300);
    h.Find<QDialog>("frmRepeat")->accept();
    EXPECT_EQ(plan("frmRepeat"), "DotPushed would leave the picture");
    EXPECT_TRUE(h.dialogs.messages.isEmpty());
    h.Find<QDialog>("frmRepeat")->reject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    h.Trigger("mnuEditRepeat");
    EXPECT_EQ(h.Find<QSpinBox>("spnOffsetX")->value(), 300);
    EXPECT_EQ(h.Field("txtWith"), "Pushed");
    h.Find<QDialog>("frmRepeat")->reject();
    h.Click(0, 2);
    h.Click(5, 3);
    h.Trigger("mnuEditSlice");
    h.Find<QLineEdit>("txtBase")->setText("Bar*On");
    h.Find<QSpinBox>("spnTop")->setValue(0);
    h.Find<QSpinBox>("spnBottom")->setValue(0);
    h.Find<QSpinBox>("spnGapX")->setValue(1);
    h.Find<QLineEdit>("txtNames")->setText("L M R");
    EXPECT_EQ(plan("frmSlice"), "Adds 3 entries, BarLOn to BarROn");
    h.Find<QDialog>("frmSlice")->reject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    h.Trigger("mnuEditSlice");
    EXPECT_EQ(plan("frmSlice"), "Adds 3 entries, BarLOn to BarROn");
}

// Whether the plan's green dashes run along texels `from` to `to` of row y.
static bool Outlined(const WindowHarness& h, int from, int to, int y)
{
    for (int x = from; x <= to; ++x)
        if (h.ShownAt(x, y) == QColor(0x40, 0xFF, 0x60))
            return true;
    return false;
}

TEST(ManyEntriesWindow, DialogsOutlineWhatTheyWouldAdd)
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
    auto* repeat = h.Find<QDialog>("frmRepeat");
    h.Click(3, 2);
    EXPECT_EQ(h.Find<QSpinBox>("spnOffsetX")->value(), 3);
    EXPECT_EQ(h.Corners(), ", ,") << "the click took no corner";
    EXPECT_TRUE(Outlined(h, 3, 5, 2));
    repeat->accept();
    EXPECT_TRUE(repeat->isVisible()) << "DotNormal is taken";
    QTest::keyClicks(h.Find<QLineEdit>("txtReplace"), "Normal");
    QTest::keyClicks(h.Find<QLineEdit>("txtWith"), "Pushed");
    repeat->accept();
    EXPECT_EQ(h.State().entries.back(), (Entry{"DotPushed", 3, 2, 5, 3}));
    EXPECT_FALSE(Outlined(h, 3, 5, 2));

    h.Trigger("mnuEditMapShapes");
    auto* shapes = h.Find<QDialog>("frmMapShapes");
    const auto* plan = shapes->findChild<QLabel*>("lblPlan");
    ASSERT_TRUE(QTest::qWaitFor([plan] { return plan->text() == "Adds Shape1"; }, 3000));
    EXPECT_TRUE(Outlined(h, 4, 4, 1));
    shapes->reject();
    h.Trigger("mnuViewRegions");
    for (QPoint at : {QPoint(6, 0), QPoint(1, 1)}) // off every entry, then on one
        h.Hover(at.x(), at.y());
    list->setCurrentItem(list->topLevelItem(0));
    QTest::keyClick(list, Qt::Key_Return); // DotNormal's handles: the bottom-left one's lower edge
    EXPECT_EQ(h.ShownAt(0, 4), QColor(Qt::black));
    h.Find<QDialog>("frmEntryProperties")->reject();
    h.Click(0, 0);
    h.Click(5, 3);
    h.Trigger("mnuEditSlice");
    h.Find<QComboBox>("cboKind")->setCurrentIndex(1);
    h.Find<QSpinBox>("spnColumns")->setValue(3);
    EXPECT_EQ(h.Find<QSpinBox>("spnWidth")->value(), 2) << "the cells' width follows their count";
}
