#include "support/WindowHarness.h"
#include "windows/FrmSplash.h"
#include "windows/QtDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

using namespace ravelock;
using testing_support::WindowHarness;

TEST(DeleteDialog, RemovesTheChosenEntryByMouseOrKeyboardAndIsNotRefilledWhileOpen)
{
    WindowHarness h;
    h.AddEntries({"One", "Two", "Three"});
    h.Trigger("mnuEditDelete");
    QWidget* dialog = h.Find("frmDelete");
    ASSERT_TRUE(dialog && dialog->isVisible());
    auto* list = h.Find<QComboBox>("cmbDelete");
    EXPECT_EQ(std::tuple(list->count(), list->itemText(1), list->currentIndex(), list->isEditable()),
              std::tuple(3, "MappedImage Two", -1, false));
    list->setCurrentIndex(1);
    h.AddEntries({"Four"});
    h.Trigger("mnuEditDelete"); // while open: brought forward, not refilled
    EXPECT_EQ(std::pair(list->count(), list->currentIndex()), std::pair(3, 1));
    QTest::mouseClick(h.Find<QPushButton>("cmdDelete"), Qt::LeftButton);
    EXPECT_EQ(std::pair(dialog->isVisible(), h.Message()), std::pair(false, QString("Removed Two")));
    EXPECT_EQ(h.State().colNames(), (QStringList{"MappedImage One", "MappedImage Three", "MappedImage Four"}));
    // The removal by the mouse left the button focused; the next opening, refilled, gives the list the keyboard.
    h.Trigger("mnuEditDelete");
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Return}) // the first entry
        QTest::keyClick(dialog->focusWidget(), key);
    EXPECT_EQ(std::pair(dialog->isVisible(), h.State().colNames()),
              std::pair(false, QStringList{"MappedImage Three", "MappedImage Four"}));
}

TEST(DeleteDialog, ClosingEscapeOrNoChoiceRemovesNothing)
{
    WindowHarness h;
    h.AddEntries({"A", "B"});
    const std::pair<bool, std::function<void(QWidget*)>> closings[] = {
        {true, [](QWidget* d) { d->close(); }}, // the title bar's close, after a pick
        {true, [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); }},
        {false, [](QWidget* d) { QTest::mouseClick(d->findChild<QPushButton*>(), Qt::LeftButton); }},
    };
    for (const auto& [pick, close] : closings) {
        h.Trigger("mnuEditDelete");
        if (pick)
            h.Find<QComboBox>("cmbDelete")->setCurrentIndex(0);
        close(h.Find("frmDelete"));
        EXPECT_EQ(std::pair(h.Find("frmDelete")->isVisible(), h.State().colNames().size()), std::pair(false, 2ll))
            << pick;
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
        EXPECT_EQ(
            std::tuple(readmes.first()->isVisible(), field->text(), field->selectedText(), QUrl(address).isLocalFile()),
            std::tuple(true, address, address, true));
        EXPECT_TRUE(QFile::exists(QUrl(address).toLocalFile())) << address.toStdString();
        EXPECT_EQ(field->palette().color(QPalette::Base), field->palette().color(QPalette::Window))
            << "looks read-only";
        if (opening == 1)
            QTest::keyClick(field, Qt::Key_Escape);
        EXPECT_EQ(readmes.first()->isVisible(), opening != 1) << "Escape closes it";
    }
}

TEST(Splash, ShowsTheVersionAndProceedsOnCharacterKeysAndClicksButNotOnTheVersionLine)
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
        {"outside the frame", click(nullptr, QPoint(2, 100)), false},
        {"frame beside the version line", click("Frame1", QPoint(30, 90)), true},
        {"a click and a key before it is gone",
         [=](FrmSplash& s) {
             click("lblWarning")(s);
             key(Qt::Key_Q)(s);
         },
         true},
        {"released outside the window",
         [](FrmSplash& s) {
             QMouseEvent release(QEvent::MouseButtonRelease, {-300, -300}, {-300, -300}, Qt::LeftButton, Qt::NoButton,
                                 {});
             QApplication::sendEvent(s.findChild<QWidget*>("imgOrvaneBanner"), &release);
         },
         false},
    };
    for (const Case& c : cases) {
        int proceeded = 0;
        QPointer<FrmSplash> splash(new FrmSplash({2, 10, 3, "By us", "Thanks"}, [&] { ++proceeded; }));
        EXPECT_EQ(QStringList({splash->findChild<QLabel*>("lblVersion")->text(),
                               splash->findChild<QLabel*>("lblWarning")->text(),
                               splash->findChild<QLabel*>("lblWarning1")->text()}),
                  QStringList({"Version 2.10.3", "By us", "Thanks"}));
        splash->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
        if (QGuiApplication::platformName() == "xcb") { // a window manager gives it the keyboard
            EXPECT_TRUE(QTest::qWaitForWindowActive(splash)) << c.name;
        }
        c.act(*splash);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(std::pair(proceeded, splash.isNull()), std::pair(c.proceeds ? 1 : 0, c.proceeds)) << c.name;
        delete splash.data();
    }
}

// What the commands ask for reaches the real dialogs: the save dialog's settings, a message's text and buttons.
TEST(QtDialogs, ShowTheirSettingsAndReportTheChoice)
{
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        shown = QStringList{d->windowTitle(),
                            d->nameFilters().join(";"),
                            d->defaultSuffix(),
                            d->directory().path(),
                            QFileInfo(d->selectedFiles().value(0)).fileName(),
                            d->acceptMode() == QFileDialog::AcceptSave ? "save" : "open"}
                    .join("|");
        d->reject();
    });
    EXPECT_EQ(QtDialogs(nullptr).SaveFile({"Save As", "Ini File (*.ini)", "ini", QDir::tempPath(), "ui.ini"}),
              std::nullopt);
    EXPECT_EQ(shown, "Save As|Ini File (*.ini)|ini|" + QDir::tempPath() + "|ui.ini|save");
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        shown = box->text() + (box->icon() == QMessageBox::Warning ? " with the exclamation icon" : "");
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(QtDialogs(nullptr).Message("Save\r\nChanges?", "Ravelock", MessageIcon::Exclamation,
                                         MessageButtons::YesNoCancel),
              Answer::No);
    EXPECT_EQ(shown, "Save\nChanges? with the exclamation icon");
}
