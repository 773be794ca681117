#include "support/FakeMainView.h"
#include "support/Files.h"
#include "support/ScriptedDialogs.h"
#include "workspace/MainCommands.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

using namespace ravelock;
using C = ravelock::PanelControl;
using testing_support::FakeMainView;
using testing_support::ScriptedDialogs;

namespace {

const QString kNoTexture = "Open a texture to start (Ctrl+O)";
const QString kFirst = "Click the top-left corner of a region";
const QString kSecond = "Click the bottom-right corner (Ctrl+Z takes the first corner back)";
const QString kName = "Name the region: Edit > Complete Entry (Ctrl+E)";

struct Commands : ::testing::Test {
    FakeMainView view;
    ScriptedDialogs dialogs;
    MainCommands commands{view, dialogs};
    Workspace& ws = commands.State();

    void SetUp() override { commands.Load(); }

    void Open(int width, int height, const QString& path = "/textures/ui.tga")
    {
        view.textureWidth = width;
        view.textureHeight = height;
        dialogs.openAnswers.push_back(path);
        commands.Open();
    }
    // "click 10,20", "undo", "redo", "complete Door Left", "open 100x50".
    void Do(const std::string& action)
    {
        std::istringstream in(action);
        std::string verb;
        char sep = 0;
        int x = 0, y = 0;
        in >> verb;
        if (verb == "click" && in >> x >> sep >> y)
            commands.MouseDown(float(x * 15), float(y * 15));
        else if (verb == "open" && in >> x >> sep >> y)
            Open(x, y);
        else if (verb == "undo")
            commands.Undo();
        else if (verb == "redo")
            commands.Redo();
        else if (verb == "complete") {
            dialogs.inputAnswers.push_back(QString::fromStdString(action.substr(std::min<std::size_t>(9, action.size()))));
            commands.CompleteEntry();
            dialogs.inputAnswers.clear(); // not asked while a corner is awaited
        } else
            ADD_FAILURE() << "unknown action " << action;
    }
    // Menu states in menu order, upper case when enabled: Open Save sAve-as
    // eXit Undo Redo Complete Delete Help-readme.
    std::string Menus() const
    {
        std::string out;
        for (char letter : std::string("osaxurcdh"))
            out += view.menus.at(MenuItem(out.size())) ? char(std::toupper(letter)) : letter;
        return out;
    }
    // The four fields as "left top | right bottom", "_" for an empty one.
    std::string Fields() const
    {
        std::string out;
        for (C c : {C::txtLeft, C::txtTop, C::txtRight, C::txtBottom}) {
            const QString text = view.controls.at(c).text;
            out += (out.empty() ? "" : c == C::txtRight ? " | " : " ") + (text.isEmpty() ? "_" : text.toStdString());
        }
        return out;
    }
    std::string Redo() const
    {
        std::string out;
        for (auto v : ws.colRedo)
            out += (out.empty() ? "" : " ") + std::to_string(v);
        return out;
    }
};

struct Step {
    std::string action, menus, fields, redo;
    QString hint;
};

void RunSteps(Commands& t, const std::vector<Step>& steps)
{
    for (const Step& s : steps) {
        t.Do(s.action);
        EXPECT_EQ(t.Menus(), s.menus) << s.action;
        EXPECT_EQ(t.Fields(), s.fields) << s.action;
        EXPECT_EQ(t.Redo(), s.redo) << s.action;
        EXPECT_EQ(t.view.hint, s.hint) << s.action;
    }
}

} // namespace

TEST_F(Commands, StartUpHidesAndEmptiesThePanelAndEndsWithoutAsking)
{
    for (const auto& [control, state] : view.controls) {
        EXPECT_FALSE(state.visible);
        if (control == C::txtLeft || control == C::txtTop || control == C::txtRight || control == C::txtBottom) {
            EXPECT_EQ(state.text, "");
            EXPECT_TRUE(state.readOnly);
        }
    }
    EXPECT_EQ(Menus(), "OSAXurcdH");
    EXPECT_EQ(view.hint, kNoTexture);
    EXPECT_EQ(std::pair(view.windowLeft, view.windowTop), std::pair(10.0f, 10.0f));
    EXPECT_EQ(ws.colLines.size(), 5);
    commands.Exit();
    EXPECT_EQ(view.ended, 1);
    EXPECT_EQ(dialogs.messages, QStringList());
}

TEST_F(Commands, PlacesThePanelBesideThePictureAndAlwaysInsideTheClientArea)
{
    struct Case {
        float width, height; // twips of the picture in view
        float labelLeft, firstTop, secondTop;
    };
    for (const Case& c : {Case{3840, 1920, 3850, 545, 970}, Case{0, 0, 10, 0, 425}, Case{105, 225, 115, 0, 425},
                          Case{15, 855, 25, 12.5f, 437.5f}}) {
        view.pictureWidth = c.width;
        view.pictureHeight = c.height;
        commands.PlaceCoordinatePanel();
        const auto& p = view.controls;
        EXPECT_EQ(p.at(C::lblLeft).left, c.labelLeft);
        EXPECT_EQ(p.at(C::lblRight).left, c.labelLeft);
        EXPECT_EQ(p.at(C::txtLeft).left, c.labelLeft + 510 + 10);
        EXPECT_EQ(p.at(C::lblTop).left, c.labelLeft + 510 + 735 + 20);
        EXPECT_EQ(p.at(C::txtTop).left, c.labelLeft + 510 + 735 + 585 + 30);
        EXPECT_EQ(p.at(C::txtRight).left, c.labelLeft + 720 + 10);
        EXPECT_EQ(p.at(C::txtBottom).left, c.labelLeft + 720 + 735 + 945 + 30);
        for (C first : {C::lblLeft, C::txtLeft, C::lblTop, C::txtTop})
            EXPECT_EQ(p.at(first).top, c.firstTop) << c.width << " x " << c.height;
        for (C second : {C::lblRight, C::txtRight, C::lblBottom, C::txtBottom})
            EXPECT_EQ(p.at(second).top, c.secondTop) << c.width << " x " << c.height;
    }
}

TEST_F(Commands, OpenTakesTheNameAfterTheLastSeparatorAndAwaitsTheFirstCorner)
{
    Open(512, 256, "/home/me/art/hud.tga");
    EXPECT_EQ(ws.strTextureName, "hud.tga");
    EXPECT_EQ(std::pair(ws.lngImageWidth, ws.lngImageHeight), std::pair(512 * 15, 256 * 15));
    EXPECT_TRUE(ws.blnAwaitFirst);
    EXPECT_TRUE(view.controls[C::txtLeft].visible);
    EXPECT_EQ(view.fits, 1);
    EXPECT_EQ(Menus(), "oSAXurcdH");
    EXPECT_EQ(view.hint, kFirst);
    EXPECT_EQ(dialogs.fileDialogs.at(0).initialDirectory, QDir::homePath());
    EXPECT_EQ(dialogs.fileDialogs.at(0).filter, "Targa (*.tga)");
}

TEST_F(Commands, OpenThatPaintsNothingLeavesTheProgramAsItWas)
{
    struct Case {
        std::optional<QString> answer;
        bool painted;
    };
    for (const Case& c : {Case{std::nullopt, true}, Case{"/textures/bad.tga", false}}) {
        view.painted = c.painted;
        dialogs.openAnswers.push_back(c.answer);
        commands.Open();
        EXPECT_EQ(Menus(), "OSAXurcdH");
        EXPECT_FALSE(view.controls[C::txtLeft].visible);
        EXPECT_FALSE(ws.blnAwaitFirst);
        EXPECT_EQ(view.hint, kNoTexture);
        Do("click 0,0");
        EXPECT_EQ(Menus(), "OSAXurcdH") << "a click before any texture takes no corner";
    }
    view.painted = true;
    Open(8, 8, "/elsewhere/good.tga");
    EXPECT_EQ(dialogs.fileDialogs.back().initialDirectory, "/textures") << "where the user was last";
    EXPECT_EQ(ws.strTextureName, "good.tga");
    EXPECT_TRUE(ws.blnAwaitFirst);
}

TEST_F(Commands, NothingIsMappedWhileTheTexturePaints)
{
    int widthSeen = -1;
    view.whilePainting = [&] {
        widthSeen = ws.lngImageWidth;
        Do("click 0,0");
        EXPECT_EQ(view.hint, "");
    };
    Open(600, 600);
    EXPECT_EQ(widthSeen, 0);
    EXPECT_EQ(Menus(), "oSAXurcdH");
    EXPECT_EQ(Fields(), "_ _ | _ _");
    EXPECT_EQ(ws.lngImageWidth, 600 * 15);
}

TEST_F(Commands, PathWithoutASeparatorShowsThePanelButAwaitsNoCorner)
{
    Open(4, 4, "ui.tga");
    EXPECT_TRUE(view.controls[C::txtLeft].visible);
    EXPECT_EQ(ws.strTextureName, "");
    EXPECT_FALSE(ws.blnAwaitFirst);
}

TEST_F(Commands, CornersUndoAndRedoStepThroughTheRedoStack)
{
    RunSteps(*this, {
        {"open 100x50", "oSAXurcdH", "_ _ | _ _", "", kFirst},
        {"click 101,10", "oSAXurcdH", "_ _ | _ _", "", kFirst},
        {"click 10,51", "oSAXurcdH", "_ _ | _ _", "", kFirst},
        {"click 10,20", "oSAXUrcdH", "10 20 | _ _", "", kSecond},
        {"click 100,50", "oSAXUrCdH", "10 20 | 100 50", "", kName},
        {"click 5,5", "oSAXUrCdH", "10 20 | 100 50", "", kName},
        {"undo", "oSAXURcdH", "10 20 | _ _", "100 50", kSecond},
        {"undo", "oSAXuRcdH", "_ _ | _ _", "20 10 100 50", kFirst},
        {"undo", "oSAXuRcdH", "_ _ | _ _", "20 10 100 50", kFirst},
        {"redo", "oSAXURcdH", "10 20 | _ _", "100 50", kSecond},
        {"redo", "oSAXUrCdH", "10 20 | 100 50", "", kName},
        {"undo", "oSAXURcdH", "10 20 | _ _", "100 50", kSecond},
        {"click 30,40", "oSAXUrCdH", "10 20 | 30 40", "100 50", kName},
        {"undo", "oSAXURcdH", "10 20 | _ _", "30 40 100 50", kSecond},
        {"redo", "oSAXUrCdH", "10 20 | 30 40", "100 50", kName},
        {"redo", "oSAXUrCdH", "10 20 | 30 40", "100 50", kName},
        {"undo", "oSAXURcdH", "10 20 | _ _", "30 40 100 50", kSecond},
        {"undo", "oSAXuRcdH", "_ _ | _ _", "20 10 30 40 100 50", kFirst},
        {"click 1,2", "oSAXUrcdH", "1 2 | _ _", "", kSecond},
        {"undo", "oSAXuRcdH", "_ _ | _ _", "2 1", kFirst},
        {"redo", "oSAXUrcdH", "1 2 | _ _", "", kSecond},
    });
}

TEST_F(Commands, CompleteEntryNamesTheRectangleByTheFirstWordAndRefusesDuplicates)
{
    RunSteps(*this, {
        {"open 512x256", "oSAXurcdH", "_ _ | _ _", "", kFirst},
        {"complete Early", "oSAXurcDH", "_ _ | _ _", "", kFirst},
        {"click 10,20", "oSAXUrcDH", "10 20 | _ _", "", kSecond},
        {"click 73,83", "oSAXUrCDH", "10 20 | 73 83", "", kName},
        {"complete ", "oSAXUrCDH", "10 20 | 73 83", "", kName},
        {"complete Button", "oSAXurcDH", "_ _ | _ _", "", kFirst},
        {"click 1,2", "oSAXUrcDH", "1 2 | _ _", "", kSecond},
        {"click 3,4", "oSAXUrCDH", "1 2 | 3 4", "", kName},
        {"complete Button", "oSAXUrCDH", "1 2 | 3 4", "", kName},
        {"complete  Door Left", "oSAXurcDH", "_ _ | _ _", "", kFirst},
    });
    EXPECT_EQ(ws.colNames, QStringList({"MappedImage Button", "MappedImage Door"}));
    EXPECT_EQ(dialogs.messages, QStringList{"Duplicate Name: Button is already a image map name"});
    EXPECT_EQ(view.message, "Added Door (names are one word; \"Door Left\" was cut)");
    EXPECT_EQ(ws.colLines.mid(5, 8), QStringList({"MappedImage Button", "Texture = ui.tga", "TextureWidth = 512",
                                                  "TextureHeight = 256", "Coords = Left:10 Top:20 Right:73 Bottom:83",
                                                  "Status = NONE", "End", " "}));
    Do("click 5,6");
    Do("click 7,8");
    Do("complete door");
    EXPECT_EQ(view.message, "Added door: 5, 6 to 7, 8");
    EXPECT_FALSE(ws.blnSaved);
}

TEST_F(Commands, SavingExitingAndRemovingKeepTrackOfUnsavedWork)
{
    QTemporaryDir dir;
    Open(64, 32, dir.filePath("ui.tga"));
    Do("click 1,2");
    Do("click 3,4");
    Do("complete Button");

    dialogs.messageAnswers = {Answer::Cancel, Answer::Yes};
    dialogs.saveAnswers = {std::nullopt, dir.filePath("out.ini")};
    commands.Exit(); // Cancel
    commands.Exit(); // Yes, then the Save As dialog is dismissed: the program stays
    EXPECT_EQ(view.ended, 0);
    EXPECT_TRUE(ws.blnSaveFailed);
    const FileDialogSettings& saveAs = dialogs.fileDialogs.back();
    EXPECT_EQ(std::tuple(saveAs.title, saveAs.filter, saveAs.defaultSuffix, saveAs.initialDirectory, saveAs.initialFileName),
              std::tuple(QString("Save As"), QString("Ini File (*.ini)"), QString("ini"), dir.path(), QString("ui.ini")));
    commands.Save(); // no file yet: Save As
    EXPECT_EQ(testing_support::ReadAll(dir.filePath("out.ini")).count("MappedImage Button\r\n"), 1);
    EXPECT_EQ(view.message, "Saved 1 entry to out.ini");
    commands.Exit();
    EXPECT_EQ(view.ended, 1) << "saved: no question";

    ws.lngRemoveNumber = 1;
    commands.RemoveEntry();
    EXPECT_EQ(view.message, "Removed Button");
    EXPECT_EQ(ws.colNames, QStringList());
    dialogs.messageAnswers = {Answer::No};
    commands.Exit();
    EXPECT_EQ(dialogs.messages.count("Ravelock: Save Changes?"), 3) << "a removal is unsaved work";
    EXPECT_EQ(view.ended, 2);

    // A failing save to the known path says why and keeps the work unsaved.
    ws.strIniPath = dir.filePath("gone/out.ini");
    commands.Save();
    EXPECT_EQ(dialogs.messages.last(), "Error: There was an error writing the file:\r\n" + dir.filePath("gone/out.ini") +
                                           "\r\nNo such file or directory");
    EXPECT_EQ(dialogs.icons.back(), MessageIcon::Critical);
    EXPECT_FALSE(ws.blnSaved);
    EXPECT_TRUE(ws.blnSaveFailed);
    dialogs.messageAnswers = {Answer::Yes};
    commands.Exit();
    EXPECT_EQ(view.ended, 2) << "a failed save keeps the program open";
}
