#include "support/WindowHarness.h"
#include "windows/FrmSplash.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include <gtest/gtest.h>

using namespace ravelock;
using testing_support::WindowHarness;

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
    EXPECT_FALSE(list->isEditable());
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
