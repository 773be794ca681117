#include "support/WindowHarness.h"
#include "windows/FrmSplash.h"
#include "workspace/MapDocument.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace ravelock;
using testing_support::WindowHarness;

namespace {

void AddEntries(WindowHarness& h, const QStringList& names)
{
    for (const QString& name : names)
        AppendEntry(h.State(), name);
    h.Find<QAction>("mnuEditDelete")->setEnabled(true); // as completing an entry does
}

} // namespace

TEST(DeleteDialog, RemovesTheChosenEntryAndThatIsUnsavedWork)
{
    WindowHarness h;
    AddEntries(h, {"One", "Two", "Three"});
    h.dialogs.saveAnswers.push_back(h.dir.filePath("map.ini"));
    h.Trigger("mnuFileSaveAs");
    h.Trigger("mnuEditDelete");
    QWidget* dialog = h.Find("frmDelete");
    ASSERT_TRUE(dialog && dialog->isVisible());
    auto* list = h.Find<QComboBox>("cmbDelete");
    EXPECT_EQ(std::tuple(list->count(), list->itemText(1), list->currentIndex()), std::tuple(3, "MappedImage Two", -1));
    EXPECT_FALSE(list->isEditable());
    list->setCurrentIndex(1);
    AddEntries(h, {"Four"});
    h.Trigger("mnuEditDelete"); // while open: brought forward, not refilled
    EXPECT_EQ(std::pair(list->count(), list->currentIndex()), std::pair(3, 1));
    QTest::mouseClick(h.Find<QPushButton>("cmdDelete"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(h.State().colNames, (QStringList{"MappedImage One", "MappedImage Three", "MappedImage Four"}));
    EXPECT_EQ(h.Message(), "Removed Two");
    h.Trigger("mnuEditDelete");
    EXPECT_EQ(list->itemText(1), "MappedImage Three") << "refilled on the next opening";
    dialog->close();
    h.dialogs.messageAnswers.push_back(Answer::Yes);
    h.Trigger("mnuFileExit");
    EXPECT_EQ(h.dialogs.messages, QStringList{"Ravelock: Save Changes?"});
    EXPECT_EQ(testing_support::ReadAll(h.dir.filePath("map.ini")).count("\nMappedImage "), 3);
}

TEST(DeleteDialog, ClosingEscapeOrNoChoiceRemovesNothingAndReturnPressesTheButton)
{
    struct Case {
        const char* name;
        bool pick;
        std::function<void(QWidget*)> close;
        int left;
    } const cases[] = {
        {"title-bar close after a pick", true, [](QWidget* d) { d->close(); }, 2},
        {"Escape after a pick", true, [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); }, 2},
        {"button with nothing chosen", false, [](QWidget* d) { QTest::mouseClick(d->findChild<QPushButton*>(), Qt::LeftButton); }, 2},
        {"Return after a pick", true, [](QWidget* d) { QTest::keyClick(d->findChild<QComboBox*>(), Qt::Key_Return); }, 1},
    };
    for (const Case& c : cases) {
        WindowHarness h;
        AddEntries(h, {"A", "B"});
        h.Trigger("mnuEditDelete");
        QWidget* dialog = h.Find("frmDelete");
        if (c.pick)
            h.Find<QComboBox>("cmbDelete")->setCurrentIndex(0);
        c.close(dialog);
        EXPECT_FALSE(dialog->isVisible()) << c.name;
        EXPECT_EQ(h.State().colNames.size(), c.left) << c.name;
        EXPECT_EQ(h.State().colLines.size(), 5 + 8 * c.left) << c.name;
    }
}

TEST(ReadmeWindow, ShowsOneReadOnlySelectableAddressThatLooksReadOnly)
{
    WindowHarness h;
    for (int opening = 0; opening < 3; ++opening) { // twice while open, then after closing it
        h.Trigger("mnuHelpReadme");
        QWidgetList readmes = QApplication::topLevelWidgets();
        readmes.removeIf([](QWidget* w) { return w->objectName() != "frmReadme"; });
        ASSERT_EQ(readmes.size(), 1);
        auto* field = readmes.first()->findChild<QLineEdit*>("txtURL");
        const QString address = field->text();
        QTest::keyClicks(field, "typed");
        field->selectAll();
        EXPECT_EQ(std::tuple(readmes.first()->isVisible(), field->text(), field->selectedText(), address.startsWith("https://")),
                  std::tuple(true, address, address, true));
        EXPECT_EQ(field->palette().color(QPalette::Base), field->palette().color(QPalette::Window)) << "looks read-only";
        if (opening == 1)
            readmes.first()->close();
    }
}

TEST(Splash, ProceedsOnCharacterKeysAndClicksButNotOnTheVersionLine)
{
    const auto click = [](const char* name, QPoint at = {}) {
        return [=](FrmSplash& s) {
            QTest::mouseClick(name ? s.findChild<QWidget*>(name) : &s, Qt::LeftButton, {}, at);
        };
    };
    const auto key = [](Qt::Key k) { return [=](FrmSplash& s) { QTest::keyClick(&s, k); }; };
    struct Case {
        const char* name;
        std::function<void(FrmSplash&)> act;
        bool proceeds;
    } const cases[] = {
        {"Enter", key(Qt::Key_Return), true}, {"Escape", key(Qt::Key_Escape), true}, {"letter", key(Qt::Key_Q), true},
        {"arrow", key(Qt::Key_Left), false},  {"Shift", key(Qt::Key_Shift), false},
        {"version line", click("lblVersion"), false},
        {"outside the frame", click(nullptr, QPoint(2, 100)), false},
        {"frame beside the version line", click("Frame1", QPoint(30, 90)), true},
        {"product name", click("imgProductName"), true}, {"banner", click("imgOrvaneBanner"), true},
        {"credit line", click("lblWarning"), true},      {"second credit line", click("lblWarning1"), true},
        {"released outside the window", [](FrmSplash& s) {
             QWidget* banner = s.findChild<QWidget*>("imgOrvaneBanner");
             QMouseEvent release(QEvent::MouseButtonRelease, QPointF(-300, -300), banner->mapToGlobal(QPointF(-300, -300)),
                                 Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
             QApplication::sendEvent(banner, &release);
         }, false},
    };
    for (const Case& c : cases) {
        int proceeded = 0;
        QPointer<FrmSplash> splash(new FrmSplash({1, 0, 0, "a", "b"}, [&] { ++proceeded; }));
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

TEST(Splash, ShowsTheVersionAndCreditLinesAndLeadsToTheMainWindow)
{
    FrmSplash versioned({2, 10, 3, "By us", "Thanks"}, [] {});
    EXPECT_EQ(QStringList({versioned.findChild<QLabel*>("lblVersion")->text(), versioned.findChild<QLabel*>("lblWarning")->text(),
                           versioned.findChild<QLabel*>("lblWarning1")->text()}),
              QStringList({"Version 2.10.3", "By us", "Thanks"}));
    testing_support::ScriptedDialogs dialogs;
    std::unique_ptr<FrmMain> main;
    QPointer<FrmSplash> splash(new FrmSplash(ProgramVersion(), [&] {
        main = std::make_unique<FrmMain>(&dialogs);
        main->show();
    }));
    splash->show();
    QTest::keyClick(splash, Qt::Key_A);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(main);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(splash.isNull());
}
