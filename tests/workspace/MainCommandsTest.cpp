#include "support/FakeMainView.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "workspace/MainCommands.h"
#include "workspace/MapDocument.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ravelock;
using C = ravelock::PanelControl;
using testing_support::FakeMainView;
using testing_support::ScriptedDialogs;

namespace {

// Menu states as letters in menu order, upper case when enabled:
// Open Save sAve-as eXit Undo Redo Complete Delete Help-readme.
std::string Menus(const FakeMainView& view)
{
    const std::pair<MenuItem, char> letters[] = {
        {MenuItem::mnuFileOpen, 'o'},     {MenuItem::mnuFileSave, 's'},     {MenuItem::mnuFileSaveAs, 'a'},
        {MenuItem::mnuFileExit, 'x'},     {MenuItem::mnuEditUndo, 'u'},     {MenuItem::mnuEditRedo, 'r'},
        {MenuItem::mnuEditComplete, 'c'}, {MenuItem::mnuEditDelete, 'd'},   {MenuItem::mnuHelpReadme, 'h'},
    };
    std::string out;
    for (auto [item, letter] : letters)
        out += view.MenuEnabled(item) ? static_cast<char>(std::toupper(letter)) : letter;
    return out;
}

std::string Redo(const Workspace& ws)
{
    std::string out;
    for (auto v : ws.colRedo)
        out += (out.empty() ? "" : " ") + std::to_string(v);
    return out;
}

// Flags as "first/second": F = awaiting first, S = awaiting second.
std::string Phase(const Workspace& ws) { return std::string(ws.blnAwaitFirst ? "F" : "-") + (ws.blnAwaitSecond ? "S" : "-"); }

struct Fixture : ::testing::Test {
    FakeMainView view;
    ScriptedDialogs dialogs;
    MainCommands commands{view, dialogs};
    Workspace& ws = commands.State();

    void SetUp() override { commands.Load(); }

    void OpenTexture(int width, int height, const QString& path = QStringLiteral("/textures/ui.tga"))
    {
        view.onLoad = [=](std::int32_t& h, std::int32_t& w) {
            h = height;
            w = width;
        };
        dialogs.openAnswers.push_back(path);
        commands.Open();
    }
    void Click(int px, int py) { commands.MouseDown(1, 0, static_cast<float>(px * 15), static_cast<float>(py * 15)); }
    void Complete(const QString& answer)
    {
        dialogs.inputAnswers.push_back(answer);
        commands.CompleteEntry();
    }
    QString Field(C c) const { return view.controls.at(c).text; }
};

using StartUp = Fixture;
using Placement = Fixture;
using OpenCommand = Fixture;
using CornerPicking = Fixture;
using UndoRedo = Fixture;
using CompleteEntry = Fixture;
using SaveAndExit = Fixture;

} // namespace

TEST_F(StartUp, HidesAndEmptiesThePanelSetsMenusAndPlacesTheWindow)
{
    for (C c : {C::lblLeft, C::lblRight, C::lblTop, C::lblBottom, C::txtLeft, C::txtRight, C::txtTop, C::txtBottom})
        EXPECT_FALSE(view.controls[c].visible);
    for (C c : {C::txtLeft, C::txtRight, C::txtTop, C::txtBottom}) {
        EXPECT_EQ(Field(c), "");
        EXPECT_TRUE(view.controls[c].readOnly);
    }
    EXPECT_EQ(Menus(view), "OSAXurcdH");
    EXPECT_EQ(ws.colLines.size(), 5);
    EXPECT_EQ(ws.colLines.first(), "; Ravelock Auto-Generated INI File");
    EXPECT_EQ(Phase(ws), "--");
    EXPECT_TRUE(ws.blnSaved);
    EXPECT_TRUE(ws.blnNoIniPath);
    EXPECT_FALSE(ws.blnSaveFailed);
    EXPECT_EQ(view.windowLeft, 10);
    EXPECT_EQ(view.windowTop, 10);
    commands.Exit();
    EXPECT_EQ(view.ended, 1);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Placement, PutsThePanelBesideTheImageStraddlingItsMiddle)
{
    struct Case {
        int width, height;
        float labelLeft, firstTop, secondTop, txtLeft, lblTop, txtRight;
    };
    for (const Case& c : {Case{256, 128, 3850, 545, 970, 4370, 5115, 4580}, Case{0, 0, 10, -415, 10, 530, 1275, 740},
                          Case{7, 15, 115, -302.5f, 122.5f, 635, 1380, 845}}) {
        ws.lngImageWidth = c.width * 15;
        ws.lngImageHeight = c.height * 15;
        commands.PlaceCoordinatePanel();
        EXPECT_EQ(view.controls[C::lblLeft].left, c.labelLeft);
        EXPECT_EQ(view.controls[C::lblRight].left, c.labelLeft);
        EXPECT_EQ(view.controls[C::txtLeft].left, c.txtLeft);
        EXPECT_EQ(view.controls[C::lblTop].left, c.lblTop);
        EXPECT_EQ(view.controls[C::txtTop].left, c.lblTop + 585 + 10);
        EXPECT_EQ(view.controls[C::txtRight].left, c.txtRight);
        EXPECT_EQ(view.controls[C::lblBottom].left, c.txtRight + 735 + 10);
        EXPECT_EQ(view.controls[C::txtBottom].left, c.txtRight + 735 + 10 + 945 + 10);
        for (C first : {C::lblLeft, C::txtLeft, C::lblTop, C::txtTop})
            EXPECT_EQ(view.controls[first].top, c.firstTop) << c.width << "x" << c.height;
        for (C second : {C::lblRight, C::txtRight, C::lblBottom, C::txtBottom})
            EXPECT_EQ(view.controls[second].top, c.secondTop) << c.width << "x" << c.height;
    }
}

TEST_F(Placement, SizesTheWindowToTheImagePlusItsMargins)
{
    ws.lngImageWidth = 256 * 15;
    ws.lngImageHeight = 128 * 15;
    EXPECT_TRUE(commands.SizeWindowToImage());
    EXPECT_EQ(view.outerHeight, 2670);
    EXPECT_EQ(view.outerWidth, 7890);
}

TEST_F(OpenCommand, ExtractsTheTextAfterTheLastSeparator)
{
    struct Case {
        QString path;
        bool ok;
        QString name;
    };
    for (const Case& c : {Case{"/textures/hud.tga", true, "hud.tga"}, Case{"/a/b/c/ui.tga", true, "ui.tga"},
                          Case{"/hud.tga", true, "hud.tga"}, Case{"/a/b/", true, "b/"}, Case{"hud.tga", false, "keep"},
                          Case{"", false, "keep"}, Case{"/", false, "keep"}, Case{"x/", false, "keep"}}) {
        ws.strTextureName = "keep";
        ws.strTexturePath = c.path;
        EXPECT_EQ(commands.ExtractTextureName(), c.ok) << c.path.toStdString();
        EXPECT_EQ(ws.strTextureName, c.name) << c.path.toStdString();
    }
}

TEST_F(OpenCommand, LoadsSizesTheWindowShowsThePanelAndAwaitsTheFirstCorner)
{
    OpenTexture(512, 256);
    EXPECT_EQ(view.loadedPaths, std::vector<QString>{"/textures/ui.tga"});
    EXPECT_EQ(dialogs.fileDialogs.at(0).title, "Open");
    EXPECT_EQ(dialogs.fileDialogs.at(0).filter, "Targa (*.tga)|*.tga");
    EXPECT_EQ(ws.lngImageWidth, 512 * 15);
    EXPECT_EQ(ws.lngImageHeight, 256 * 15);
    EXPECT_EQ(ws.strTextureName, "ui.tga");
    EXPECT_EQ(view.outerHeight, 256 * 15 + 750);
    EXPECT_EQ(view.outerWidth, 512 * 15 + 4050);
    for (C c : {C::lblLeft, C::lblRight, C::lblTop, C::lblBottom, C::txtLeft, C::txtRight, C::txtTop, C::txtBottom})
        EXPECT_TRUE(view.controls[c].visible);
    EXPECT_EQ(view.controls[C::lblLeft].left, 512 * 15 + 10);
    EXPECT_EQ(Phase(ws), "F-");
    EXPECT_EQ(Menus(view), "oSAXurcdH");
    EXPECT_TRUE(ws.blnSaved);
}

TEST_F(OpenCommand, DismissedDialogChangesNothing)
{
    dialogs.openAnswers.push_back(std::nullopt);
    commands.Open();
    EXPECT_TRUE(view.loadedPaths.empty());
    EXPECT_EQ(Menus(view), "OSAXurcdH");
    EXPECT_FALSE(view.controls[C::txtLeft].visible);
    EXPECT_EQ(Phase(ws), "--");
}

TEST_F(OpenCommand, PathWithoutSeparatorStopsAfterShowingThePanel)
{
    OpenTexture(10, 10, QStringLiteral("ui.tga"));
    EXPECT_EQ(Menus(view), "oSAXurcdH");
    EXPECT_TRUE(view.controls[C::txtLeft].visible);
    EXPECT_EQ(view.outerHeight, -1);
    EXPECT_EQ(Phase(ws), "--");
}

TEST_F(OpenCommand, SetsAwaitFirstWithoutClearingAwaitSecond)
{
    ws.blnAwaitSecond = true;
    OpenTexture(10, 10);
    EXPECT_EQ(Phase(ws), "FS");
    Click(3, 4); // a click acts as for the first corner
    EXPECT_EQ(ws.lngLeft, 3);
    EXPECT_EQ(Phase(ws), "-S");
}

TEST_F(CornerPicking, TakesClicksUpToOnePastTheImageAndIgnoresTheRest)
{
    struct Case {
        int x, y;
        bool taken;
    };
    for (const Case& c : {Case{100, 50, true}, Case{0, 0, true}, Case{101, 10, false}, Case{10, 51, false}}) {
        FakeMainView v;
        ScriptedDialogs d;
        MainCommands m(v, d);
        m.Load();
        v.onLoad = [](std::int32_t& h, std::int32_t& w) {
            h = 50;
            w = 100;
        };
        d.openAnswers.push_back(QStringLiteral("/t/a.tga"));
        m.Open();
        m.MouseDown(1, 0, 15, 15);
        m.MouseDown(2, 0, static_cast<float>(c.x * 15), static_cast<float>(c.y * 15));
        if (c.taken) {
            EXPECT_EQ(m.State().lngRight, c.x);
            EXPECT_EQ(m.State().lngBottom, c.y);
            EXPECT_EQ(Menus(v), "oSAXUrCdH");
        } else {
            EXPECT_EQ(Phase(m.State()), "-S") << c.x << "," << c.y;
            EXPECT_EQ(v.controls[C::txtRight].text, "");
        }
    }
}

TEST_F(CornerPicking, BeforeATextureOnlyTheOriginIsTakenAndSetsNoCorner)
{
    Click(1, 0);
    EXPECT_EQ(Menus(view), "OSAXurcdH");
    Click(0, 0);
    EXPECT_EQ(Menus(view), "OSAXUrCdH");
    EXPECT_EQ(ws.lngLeft, 0);
    EXPECT_EQ(Phase(ws), "--");
}

TEST_F(CornerPicking, FirstThenSecondCornerFillTheirFieldsAndAdvanceThePhase)
{
    OpenTexture(100, 100);
    Click(30, 40);
    EXPECT_EQ(ws.lngLeft, 30);
    EXPECT_EQ(ws.lngTop, 40);
    EXPECT_EQ(Field(C::txtLeft), "30");
    EXPECT_EQ(Field(C::txtTop), "40");
    EXPECT_EQ(Field(C::txtRight), "");
    EXPECT_EQ(Phase(ws), "-S");
    EXPECT_EQ(Menus(view), "oSAXUrcdH");
    Click(5, 6); // left of and above the first: kept as clicked
    EXPECT_EQ(Field(C::txtRight), "5");
    EXPECT_EQ(Field(C::txtBottom), "6");
    EXPECT_EQ(Phase(ws), "--");
    EXPECT_EQ(Menus(view), "oSAXUrCdH");
    Click(50, 50); // rectangle complete: nothing moves
    EXPECT_EQ(ws.lngRight, 5);
    EXPECT_EQ(ws.lngBottom, 6);
    EXPECT_EQ(Field(C::txtRight), "5");
}

TEST_F(CornerPicking, ConvertsTwipsToTheNearestPixelHalvesToEven)
{
    OpenTexture(100, 100);
    commands.MouseDown(1, 0, 337.5f, 562.5f); // 22.5 and 37.5 pixels
    EXPECT_EQ(ws.lngLeft, 22);
    EXPECT_EQ(ws.lngTop, 38);
}

TEST_F(UndoRedo, StepsBackAndForwardThroughTheRedoStack)
{
    OpenTexture(100, 100);
    Click(10, 20);
    Click(30, 40);
    commands.Undo();
    EXPECT_EQ(Phase(ws), "-S");
    EXPECT_EQ(Redo(ws), "30 40");
    EXPECT_EQ(Field(C::txtRight), "");
    EXPECT_EQ(Field(C::txtBottom), "");
    EXPECT_EQ(Field(C::txtLeft), "10");
    EXPECT_EQ(Menus(view), "oSAXURcdH");
    commands.Undo();
    EXPECT_EQ(Phase(ws), "F-");
    EXPECT_EQ(Redo(ws), "20 10 30 40");
    EXPECT_EQ(Field(C::txtLeft), "");
    EXPECT_EQ(Field(C::txtTop), "");
    EXPECT_EQ(Menus(view), "oSAXuRcdH");
    commands.Undo(); // nothing left: only Undo changes
    EXPECT_EQ(Redo(ws), "20 10 30 40");
    EXPECT_EQ(Menus(view), "oSAXuRcdH");
    commands.Redo();
    EXPECT_EQ(ws.lngTop, 20);
    EXPECT_EQ(ws.lngLeft, 10);
    EXPECT_EQ(Field(C::txtLeft), "10");
    EXPECT_EQ(Redo(ws), "30 40");
    EXPECT_EQ(Menus(view), "oSAXURcdH");
    commands.Redo();
    EXPECT_EQ(ws.lngRight, 30);
    EXPECT_EQ(ws.lngBottom, 40);
    EXPECT_EQ(Field(C::txtBottom), "40");
    EXPECT_EQ(Redo(ws), "");
    EXPECT_EQ(Phase(ws), "--");
    EXPECT_EQ(Menus(view), "oSAXUrCdH");
    commands.Redo(); // both flags false
    EXPECT_EQ(Menus(view), "oSAXUrCdH");
}

TEST_F(UndoRedo, RedoRestoresTheSecondCornerPickedLastAndANewFirstCornerEmptiesTheStack)
{
    OpenTexture(100, 100);
    Click(1, 2);
    Click(3, 4);
    commands.Undo();
    Click(7, 8);
    commands.Undo();
    EXPECT_EQ(Redo(ws), "7 8 3 4");
    commands.Redo();
    EXPECT_EQ(ws.lngRight, 7);
    EXPECT_EQ(ws.lngBottom, 8);
    EXPECT_EQ(Redo(ws), "3 4");
    EXPECT_FALSE(view.MenuEnabled(MenuItem::mnuEditRedo));
    Complete("A");
    EXPECT_EQ(Redo(ws), "3 4");
    Click(9, 9);
    EXPECT_EQ(Redo(ws), "");
}

TEST_F(UndoRedo, RedoAfterUndoingALoneFirstCornerDisablesRedo)
{
    OpenTexture(100, 100);
    Click(1, 2);
    commands.Undo();
    EXPECT_EQ(Menus(view), "oSAXuRcdH");
    commands.Redo();
    EXPECT_EQ(Redo(ws), "");
    EXPECT_EQ(Menus(view), "oSAXUrcdH");
}

TEST_F(CompleteEntry, AppendsTheBlockClearsTheFieldsAndStartsTheNextRectangle)
{
    OpenTexture(512, 256);
    Click(10, 20);
    Click(73, 83);
    ws.blnSaved = true;
    Complete(QStringLiteral("Button"));
    EXPECT_EQ(dialogs.inputs, QStringList{"Enter Entry Name|Entry Name"});
    EXPECT_EQ(ws.colNames, QStringList{"MappedImage Button"});
    EXPECT_EQ(ws.colLines.mid(5), EntryBlock(ws, "Button"));
    EXPECT_EQ(ws.colLines.at(9), "Coords = Left:10 Top:20 Right:73 Bottom:83");
    for (C c : {C::txtLeft, C::txtRight, C::txtTop, C::txtBottom})
        EXPECT_EQ(Field(c), "");
    EXPECT_EQ(Phase(ws), "F-");
    EXPECT_FALSE(ws.blnSaved);
    EXPECT_EQ(Menus(view), "oSAXurcDH");
}

TEST_F(CompleteEntry, TakesTheFirstWordAndRefusesDuplicatesByIt)
{
    struct Case {
        QString answer;
        QString stored;     // empty: nothing stored
        QString duplicate;  // the message shown, if any
    };
    const std::vector<Case> cases = {
        {"Door Left", "MappedImage Door", ""},
        {"Door", "", "Door is already a image map name"},
        {"Door Right", "", "Door is already a image map name"},
        {"door", "MappedImage door", ""},
        {"   Lamp post", "MappedImage Lamp", ""},
        {"\tTab\tbed", "MappedImage Tab", ""},
        {"X", "MappedImage X", ""},
        {"", "", ""},
        {"  \t ", "", ""},
    };
    OpenTexture(100, 100);
    for (const Case& c : cases) {
        Click(1, 1);
        Click(2, 2);
        const QStringList namesBefore = ws.colNames;
        const std::string menusBefore = Menus(view);
        dialogs.messages.clear();
        Complete(c.answer);
        if (!c.stored.isEmpty()) {
            EXPECT_EQ(ws.colNames.last(), c.stored) << c.answer.toStdString();
            EXPECT_EQ(ws.colNames.size(), namesBefore.size() + 1);
            continue;
        }
        EXPECT_EQ(ws.colNames, namesBefore) << c.answer.toStdString();
        EXPECT_EQ(Menus(view), menusBefore) << c.answer.toStdString();
        EXPECT_EQ(Phase(ws), "--");
        EXPECT_EQ(Field(C::txtRight), "2");
        if (c.duplicate.isEmpty()) {
            EXPECT_TRUE(dialogs.messages.empty());
        } else {
            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_EQ(dialogs.messages[0].text, c.duplicate);
            EXPECT_EQ(dialogs.messages[0].title, "Duplicate Name");
            EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
        }
        Complete("Reset" + QString::number(ws.colNames.size()));
    }
    EXPECT_EQ(ws.colLines.size(), 5 + 8 * ws.colNames.size());
}

TEST_F(CompleteEntry, WhileACornerIsAwaitedOnlyAdjustsTheMenus)
{
    OpenTexture(100, 100);
    Click(1, 1);
    commands.CompleteEntry();
    EXPECT_TRUE(dialogs.inputs.isEmpty());
    EXPECT_TRUE(ws.colNames.isEmpty());
    EXPECT_EQ(Menus(view), "oSAXurcDH");
    EXPECT_EQ(Phase(ws), "-S");
}

TEST_F(SaveAndExit, SaveAsWritesTheFileAndExitThenEndsWithoutAsking)
{
    QTemporaryDir dir;
    OpenTexture(512, 256);
    Click(10, 20);
    Click(73, 83);
    Complete("Button");
    dialogs.saveAnswers.push_back(dir.filePath("ui.ini"));
    commands.Save();
    EXPECT_EQ(dialogs.fileDialogs.back().title, "Save As");
    EXPECT_EQ(dialogs.fileDialogs.back().defaultExtension, "*.ini");
    EXPECT_EQ(testing_support::ReadAll(dir.filePath("ui.ini")), DocumentBytes(ws.colLines));
    EXPECT_TRUE(ws.blnSaved);
    EXPECT_FALSE(ws.blnNoIniPath);
    ws.lngRemoveNumber = 1;
    commands.RemoveEntry(); // removal keeps the document "saved"
    commands.Exit();
    EXPECT_EQ(view.ended, 1);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SaveAndExit, ExitAsksWhenUnsavedAndFollowsTheAnswer)
{
    struct Case {
        const char* name;
        Answer answer;
        std::optional<QString> saveAs; // the Save As dialog's answer after Yes
        bool ends;
        bool saveFailed;
        int errorMessages;
    };
    QTemporaryDir dir;
    const std::vector<Case> cases = {
        {"cancel", Answer::Cancel, std::nullopt, false, false, 0},
        {"no", Answer::No, std::nullopt, true, false, 0},
        {"yes, dialog dismissed", Answer::Yes, std::nullopt, false, true, 0},
        {"yes, unwritable", Answer::Yes, dir.filePath("missing/x.ini"), false, true, 1},
        {"yes, written", Answer::Yes, dir.filePath("ok.ini"), true, false, 0},
    };
    for (const Case& c : cases) {
        FakeMainView v;
        ScriptedDialogs d;
        MainCommands m(v, d);
        m.Load();
        m.MouseDown(1, 0, 0, 0);
        d.inputAnswers.push_back("A");
        m.CompleteEntry();
        d.messageAnswers.push_back(c.answer);
        if (c.answer == Answer::Yes)
            d.saveAnswers.push_back(c.saveAs);
        m.Exit();
        ASSERT_GE(d.messages.size(), 1u);
        EXPECT_EQ(d.messages[0].text, "Save Changes?") << c.name;
        EXPECT_EQ(d.messages[0].title, "Ravelock") << c.name;
        EXPECT_EQ(d.messages[0].icon, MessageIcon::Exclamation) << c.name;
        EXPECT_EQ(d.messages[0].buttons, MessageButtons::YesNoCancel) << c.name;
        EXPECT_EQ(v.ended, c.ends ? 1 : 0) << c.name;
        EXPECT_EQ(m.State().blnSaveFailed, c.saveFailed) << c.name;
        EXPECT_EQ(static_cast<int>(d.messages.size()) - 1, c.errorMessages) << c.name;
        if (c.errorMessages) {
            EXPECT_EQ(d.messages[1].title, "Error");
            EXPECT_EQ(d.messages[1].icon, MessageIcon::Critical);
            EXPECT_TRUE(d.messages[1].text.contains(dir.filePath("missing/x.ini"))) << c.name;
        }
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing")));
}

TEST_F(SaveAndExit, FailedSaveToAKnownPathReportsAndKeepsTheDocumentUnsaved)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("map.ini");
    dialogs.saveAnswers.push_back(path);
    commands.SaveAs();
    const QByteArray saved = testing_support::ReadAll(path);
    Click(0, 0);
    Complete("Later");
    ws.strIniPath = "/dev/full";
    commands.Save();
    EXPECT_TRUE(ws.blnSaveFailed);
    EXPECT_FALSE(ws.blnSaved);
    EXPECT_FALSE(ws.blnNoIniPath);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Error");
    EXPECT_TRUE(dialogs.messages[0].text.contains("/dev/full"));
    dialogs.messageAnswers.push_back(Answer::Yes);
    commands.Exit();
    EXPECT_EQ(view.ended, 0);
    EXPECT_EQ(testing_support::ReadAll(path), saved);
}
