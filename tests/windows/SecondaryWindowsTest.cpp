#include "support/WindowHarness.h"
#include "windows/FrmSplash.h"
#include "windows/QtDialogs.h"
#include "workspace/MapDocument.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace ravelock;
using testing_support::WindowHarness;

namespace {

void AddEntries(WindowHarness& h, const QStringList& names)
{
    for (const QString& name : names) {
        do
            h.Click(0, 0);
        while (h.State().blnAwaitFirst || h.State().blnAwaitSecond);
        h.dialogs.inputAnswers.push_back(name);
        h.Trigger(MenuItem::mnuEditComplete);
    }
}

QStringList Items(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

} // namespace

TEST(DeleteDialog, RemovesTheChosenEntryFromTheListAndTheFile)
{
    WindowHarness h;
    AddEntries(h, {"One", "Two", "Three"});
    h.Trigger(MenuItem::mnuEditDelete);
    FrmDelete* dialog = h.window.DeleteDialog();
    ASSERT_TRUE(dialog && dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), "Delete Entry");
    EXPECT_EQ(Items(dialog->List()), (QStringList{"MappedImage One", "MappedImage Two", "MappedImage Three"}));
    EXPECT_EQ(dialog->List()->currentIndex(), -1);
    EXPECT_EQ(h.State().lngRemoveNumber, 0);
    dialog->List()->setCurrentIndex(1);
    QTest::mouseClick(dialog->Button(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(h.State().colNames, (QStringList{"MappedImage One", "MappedImage Three"}));

    const QString ini = h.dir.filePath("map.ini");
    h.dialogs.saveAnswers.push_back(ini);
    h.Trigger(MenuItem::mnuFileSave);
    const QByteArray written = testing_support::ReadAll(ini);
    EXPECT_TRUE(written.contains("MappedImage One\r\n"));
    EXPECT_FALSE(written.contains("MappedImage Two"));
    EXPECT_EQ(written.count("\r\n"), 5 + 16);

    h.Trigger(MenuItem::mnuEditDelete);
    EXPECT_EQ(Items(dialog->List()), (QStringList{"MappedImage One", "MappedImage Three"}));
}

TEST(DeleteDialog, ClosingOrPressingWithoutAChoiceRemovesNothing)
{
    struct Case {
        const char* name;
        QStringList entries;
        bool pick;
        bool viaButton;
    };
    for (const Case& c : {Case{"closed after a pick", {"A", "B"}, true, false},
                          Case{"button with nothing chosen", {"A", "B"}, false, true},
                          Case{"empty list", {}, false, true}}) {
        WindowHarness h;
        AddEntries(h, c.entries);
        h.window.Action(MenuItem::mnuEditDelete)->setEnabled(true);
        h.Trigger(MenuItem::mnuEditDelete);
        FrmDelete* dialog = h.window.DeleteDialog();
        if (c.pick)
            dialog->List()->setCurrentIndex(0);
        if (c.viaButton)
            QTest::mouseClick(dialog->Button(), Qt::LeftButton);
        else
            dialog->close();
        EXPECT_FALSE(dialog->isVisible()) << c.name;
        EXPECT_EQ(h.State().colNames.size(), c.entries.size()) << c.name;
        EXPECT_EQ(h.State().colLines.size(), 5 + 8 * c.entries.size()) << c.name;
    }
}

TEST(DeleteDialog, ASecondDeleteEntryWhileOpenKeepsTheList)
{
    WindowHarness h;
    AddEntries(h, {"A"});
    h.Trigger(MenuItem::mnuEditDelete);
    FrmDelete* dialog = h.window.DeleteDialog();
    dialog->List()->setCurrentIndex(0);
    AddEntries(h, {"B"});
    h.Trigger(MenuItem::mnuEditDelete);
    EXPECT_EQ(h.window.DeleteDialog(), dialog);
    EXPECT_EQ(Items(dialog->List()), QStringList{"MappedImage A"});
    EXPECT_EQ(dialog->List()->currentIndex(), 0);
}

TEST(DeleteDialog, DeletingAfterASaveLeavesExitWithoutAPrompt)
{
    WindowHarness h;
    AddEntries(h, {"A", "B"});
    h.dialogs.saveAnswers.push_back(h.dir.filePath("map.ini"));
    h.Trigger(MenuItem::mnuFileSaveAs);
    h.Trigger(MenuItem::mnuEditDelete);
    h.window.DeleteDialog()->List()->setCurrentIndex(0);
    QTest::mouseClick(h.window.DeleteDialog()->Button(), Qt::LeftButton);
    EXPECT_EQ(h.State().colNames, QStringList{"MappedImage B"});
    EXPECT_TRUE(h.window.Action(MenuItem::mnuEditDelete)->isEnabled());
    h.Trigger(MenuItem::mnuFileExit);
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_FALSE(h.window.isVisible());
}

TEST(ReadmeWindow, ShowsOneReadOnlySelectableAddress)
{
    WindowHarness h;
    h.Trigger(MenuItem::mnuHelpReadme);
    FrmReadme* readme = h.window.ReadmeWindow();
    ASSERT_TRUE(readme && readme->isVisible());
    EXPECT_EQ(readme->windowTitle(), "Readme");
    QLineEdit* field = readme->Field();
    EXPECT_TRUE(field->isReadOnly());
    EXPECT_TRUE(field->text().startsWith("https://"));
    const QString address = field->text();
    QTest::keyClicks(field, "typed");
    EXPECT_EQ(field->text(), address);
    field->selectAll();
    EXPECT_EQ(field->selectedText(), address);

    h.Trigger(MenuItem::mnuHelpReadme);
    EXPECT_EQ(h.window.ReadmeWindow(), readme);
    int readmes = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        readmes += w->objectName() == "frmReadme";
    EXPECT_EQ(readmes, 1);
    readme->close();
    h.Trigger(MenuItem::mnuHelpReadme);
    EXPECT_TRUE(readme->isVisible());
    EXPECT_TRUE(readme->Field()->isReadOnly());
}

TEST(Splash, ShowsTheVersionAndCreditLines)
{
    struct Case {
        VersionRecord version;
        const char* line;
    };
    for (const Case& c : {Case{{1, 0, 0, "By us", "Thanks"}, "Version 1.0.0"},
                          Case{{2, 10, 3, "", ""}, "Version 2.10.3"}}) {
        FrmSplash splash(c.version, [] {});
        EXPECT_EQ(splash.Version()->text(), c.line);
        EXPECT_EQ(splash.Warning()->text(), c.version.fileDescription);
        EXPECT_EQ(splash.Warning1()->text(), c.version.comments);
        EXPECT_EQ(splash.size(), QSize(492, 221));
        EXPECT_EQ(splash.Warning()->geometry(), QRect(8, 168, 457, splash.Warning()->height()));
        EXPECT_EQ(splash.ProductName()->size(), QSize(404, 59));
        EXPECT_EQ(splash.ProductName()->pixmap().size(), QSize(400, 55));
        EXPECT_EQ(splash.Banner()->pixmap().size(), QSize(400, 55));
    }
    const VersionRecord program = ProgramVersion();
    EXPECT_EQ(QStringLiteral("%1.%2.%3").arg(program.major).arg(program.minor).arg(program.revision), "1.0.0");
    EXPECT_FALSE(program.fileDescription.isEmpty());
}

TEST(Splash, ProceedsOnCharacterKeysAndClicksButNotOnTheVersionLine)
{
    struct Case {
        const char* name;
        std::function<void(FrmSplash&)> act;
        bool proceeds;
    };
    const std::vector<Case> cases = {
        {"Enter", [](FrmSplash& s) { QTest::keyClick(&s, Qt::Key_Return); }, true},
        {"Escape", [](FrmSplash& s) { QTest::keyClick(&s, Qt::Key_Escape); }, true},
        {"Space", [](FrmSplash& s) { QTest::keyClick(&s, Qt::Key_Space); }, true},
        {"letter", [](FrmSplash& s) { QTest::keyClick(&s, Qt::Key_Q); }, true},
        {"arrow", [](FrmSplash& s) { QTest::keyClick(&s, Qt::Key_Left); }, false},
        {"Shift", [](FrmSplash& s) { QTest::keyClick(&s, Qt::Key_Shift); }, false},
        {"version line", [](FrmSplash& s) { QTest::mouseClick(s.Version(), Qt::LeftButton); }, false},
        {"outside the frame", [](FrmSplash& s) { QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(2, 100)); }, false},
        {"frame", [](FrmSplash& s) { QTest::mouseClick(s.Frame(), Qt::LeftButton, {}, QPoint(460, 100)); }, true},
        {"product name", [](FrmSplash& s) { QTest::mouseClick(s.ProductName(), Qt::LeftButton); }, true},
        {"banner", [](FrmSplash& s) { QTest::mouseClick(s.Banner(), Qt::LeftButton); }, true},
        {"credit line", [](FrmSplash& s) { QTest::mouseClick(s.Warning(), Qt::LeftButton); }, true},
        {"second credit line", [](FrmSplash& s) { QTest::mouseClick(s.Warning1(), Qt::LeftButton); }, true},
    };
    for (const Case& c : cases) {
        int proceeded = 0;
        auto* splash = new FrmSplash({1, 0, 0, "a", "b"}, [&] { ++proceeded; });
        QPointer<FrmSplash> alive(splash);
        splash->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
        c.act(*splash);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(proceeded, c.proceeds ? 1 : 0) << c.name;
        EXPECT_EQ(alive.isNull(), c.proceeds) << c.name;
        delete alive.data();
    }
}

TEST(Splash, LeadsToTheMainWindowAtTheTopLeft)
{
    testing_support::ScriptedDialogs dialogs;
    std::unique_ptr<FrmMain> main;
    auto* splash = new FrmSplash(ProgramVersion(), [&] {
        main = std::make_unique<FrmMain>(&dialogs);
        main->show();
    });
    QPointer<FrmSplash> alive(splash);
    splash->show();
    QTest::keyClick(splash, Qt::Key_A);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(main);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->frameGeometry().topLeft(), QPoint(1, 1));
    EXPECT_TRUE(alive.isNull());
}

TEST(Artwork, IconHoldsNineImagesAndThePicturesAreSingleFrameGifs)
{
    QFile ico(QStringLiteral(":/ravelock.ico"));
    ASSERT_TRUE(ico.open(QIODevice::ReadOnly));
    const QByteArray bytes = ico.readAll();
    const auto byte = [&](int at) { return static_cast<unsigned char>(bytes.at(at)); };
    ASSERT_EQ(byte(4), 9);
    std::vector<std::pair<int, int>> seen; // size, bits per pixel
    for (int i = 0; i < 9; ++i)
        seen.push_back({byte(6 + 16 * i), byte(6 + 16 * i + 6)});
    const std::vector<std::pair<int, int>> expected = {{16, 4}, {32, 4}, {48, 4},  {16, 8}, {32, 8},
                                                       {48, 8}, {16, 24}, {32, 24}, {48, 24}};
    EXPECT_EQ(seen, expected);
    QImageReader icons(QStringLiteral(":/ravelock.ico"));
    EXPECT_EQ(icons.imageCount(), 9);

    for (const char* gif : {":/product-name.gif", ":/maker-banner.gif"}) {
        QFile file{QString::fromLatin1(gif)};
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray head = file.read(13);
        EXPECT_TRUE(head.startsWith("GIF89a"));
        EXPECT_EQ(static_cast<unsigned char>(head.at(10)), 0xF7); // a global table of 256 entries
        QImageReader reader{QString::fromLatin1(gif)};
        EXPECT_EQ(reader.imageCount(), 1);
        EXPECT_EQ(reader.read().size(), QSize(400, 55));
    }
}

TEST(QtDialogsFilter, ShowsTheDescriptionWithItsPattern)
{
    EXPECT_EQ(QtNameFilter("Targa (*.tga)|*.tga"), "Targa (*.tga)");
    EXPECT_EQ(QtNameFilter("Ini File (*.ini)|*.ini"), "Ini File (*.ini)");
    EXPECT_EQ(QtNameFilter("Pictures|*.tga"), "Pictures (*.tga)");
}
