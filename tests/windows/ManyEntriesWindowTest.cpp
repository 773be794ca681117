#include "support/Desktop.h"
#include "support/WindowHarness.h"
#include "workspace/MapDocument.h"

#include <QComboBox>
#include <QDialog>
#include <QSpinBox>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace ravelock;
using testing_support::Desktop;
using testing_support::WindowHarness;

namespace {

bool Active(const char* name)
{
    return QTest::qWaitFor([name] { QWidget* w = QApplication::activeWindow(); return w && w->objectName() == name; },
                           3000);
}

} // namespace

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
        ASSERT_TRUE(QTest::qWaitFor([&h] { return h.Enabled("mnuEditComplete"); }, 3000)) << piece.name.toStdString();
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
            expected.push_back({QString(p.name).replace("Normal", state), p.left, p.top + down, p.right, p.bottom + down});
    const auto read = ReadMapFile(file, h.State());
    ASSERT_TRUE(std::holds_alternative<std::vector<Entry>>(read));
    EXPECT_EQ(std::get<std::vector<Entry>>(read), expected);
}

namespace {

// Whether the plan's green dashes run along texels `from` to `to` of row y.
bool Outlined(const WindowHarness& h, int from, int to, int y)
{
    for (int x = from; x <= to; ++x)
        if (h.ShownAt(x, y) == QColor(0x40, 0xFF, 0x60))
            return true;
    return false;
}

} // namespace

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
    ASSERT_TRUE(repeat);
    EXPECT_EQ(h.Find<QSpinBox>("spnOffsetY")->value(), 2) << "just below";
    h.Click(3, 2);
    EXPECT_EQ(h.Find<QSpinBox>("spnOffsetX")->value(), 3) << "the first entry's corner on the clicked texel";
    EXPECT_EQ(h.Corners(), ", ,") << "the click took no corner";
    EXPECT_TRUE(Outlined(h, 3, 5, 2));
    repeat->accept();
    EXPECT_TRUE(repeat->isVisible()) << "DotNormal is taken";
    QTest::keyClicks(h.Find<QLineEdit>("txtReplace"), "Normal");
    QTest::keyClicks(h.Find<QLineEdit>("txtWith"), "Pushed");
    repeat->accept();
    EXPECT_EQ(h.State().entries.back(), (Entry{"DotPushed", 3, 2, 5, 3}));
    EXPECT_FALSE(Outlined(h, 3, 5, 2)) << "the plan's outline goes with the dialog";

    h.Trigger("mnuEditMapShapes");
    auto* shapes = h.Find<QDialog>("frmMapShapes");
    const auto* plan = shapes->findChild<QLabel*>("lblPlan");
    ASSERT_TRUE(QTest::qWaitFor([plan] { return plan->text() == "Adds Shape1"; }, 3000)) << "DotNormal holds one";
    EXPECT_TRUE(Outlined(h, 4, 4, 1));
    shapes->reject();

    h.Click(0, 0);
    h.Click(5, 3);
    h.Trigger("mnuEditSlice");
    auto* slice = h.Find<QDialog>("frmSlice");
    h.Find<QComboBox>("cboKind")->setCurrentIndex(1);
    QTest::keyClicks(h.Find<QLineEdit>("txtBase"), "Cell");
    h.Find<QSpinBox>("spnColumns")->setValue(3);
    EXPECT_EQ(h.Find<QSpinBox>("spnWidth")->value(), 2) << "the cells' width follows their count";
    slice->accept();
    EXPECT_EQ(h.State().colNames().mid(2), QStringList({"MappedImage Cell1", "MappedImage Cell2", "MappedImage Cell3"}));
    EXPECT_EQ(h.Corners(), ", ,") << "the rectangle was used up";
}
