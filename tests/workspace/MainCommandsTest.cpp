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

// The menu items whose state changes, in menu order.
const std::pair<MenuItem, std::string> kChangingItems[] = {{MenuItem::mnuFileOpen, "Open"},
                                                           {MenuItem::mnuEditUndo, "Undo"},
                                                           {MenuItem::mnuEditRedo, "Redo"},
                                                           {MenuItem::mnuEditComplete, "Complete"},
                                                           {MenuItem::mnuEditDelete, "Delete"}};

struct Commands : ::testing::Test {
    FakeMainView view;
    ScriptedDialogs dialogs;
    MainCommands commands{view, dialogs};
    const Workspace& ws = commands.State();

    void SetUp() override { commands.Load(); }

    void Open(int width, int height, const QString& path = "/textures/ui.tga")
    {
        std::tie(view.textureWidth, view.textureHeight) = std::pair(width, height);
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
            commands.MouseDown(x, y);
        else if (verb == "open" && in >> x >> sep >> y)
            Open(x, y);
        else if (verb == "undo" || verb == "redo")
            verb == "undo" ? commands.Undo() : commands.Redo();
        else if (verb == "complete") {
            dialogs.inputAnswers = {QString::fromStdString(action.substr(std::min<std::size_t>(9, action.size())))};
            commands.CompleteEntry();
            dialogs.inputAnswers.clear(); // not asked while a corner is awaited
        }
    }
    void Run(const std::vector<std::pair<std::string, std::string>>& steps)
    {
        for (const auto& [action, shown] : steps) {
            Do(action);
            EXPECT_EQ(Shown(), shown) << action;
        }
    }
    // The enabled menu items among those that change (Open and the Edit menu), the fields as
    // "left,top right,bottom", the redo stack from its top, and the hint's third word.
    std::string Shown() const
    {
        std::string items;
        for (const auto& [item, name] : kChangingItems)
            if (!view.menus.contains(item) || view.menus.at(item)) // enabled until a rule says otherwise
                items += (items.empty() ? "" : " ") + name;
        const auto field = [this](C c) { return view.controls.at(c).text.toStdString(); };
        std::string redo;
        for (auto v : ws.colRedo)
            redo += (redo.empty() ? "" : " ") + std::to_string(v);
        return (items.empty() ? "-" : items) + " | " + field(C::txtLeft) + "," + field(C::txtTop) + " " +
               field(C::txtRight) + "," + field(C::txtBottom) + " | [" + redo + "] | " +
               view.hint.section(' ', 2, 2).toStdString();
    }
};

} // namespace

TEST_F(Commands, PlacesThePanelBesideThePictureAndAlwaysInsideTheClientArea)
{
    // Fields 49 x 27, labels 34, 39, 48 and 63 wide: each control's left beside the picture, then the two rows' tops.
    const std::vector<int> across{0, 35, 85, 125, 0, 49, 99, 163};
    for (auto [picture, first, second] : {std::tuple{QSize(256, 128), 36, 65}, {QSize(512, 257), 101, 129},
                                          {QSize(1, 57), 1, 29}, {QSize(7, 15), 0, 28}, {QSize(0, 0), 0, 28}}) {
        view.picture = picture;
        commands.PlaceCoordinatePanel();
        std::vector<int> lefts, tops;
        for (C control :
             {C::lblLeft, C::txtLeft, C::lblTop, C::txtTop, C::lblRight, C::txtRight, C::lblBottom, C::txtBottom}) {
            lefts.push_back(view.controls[control].at.x() - picture.width() - 1);
            tops.push_back(view.controls[control].at.y());
        }
        EXPECT_EQ(lefts, across) << picture.width() << " x " << picture.height();
        EXPECT_EQ(tops, std::vector({first, first, first, first, second, second, second, second})) << picture.height();
    }
}

TEST_F(Commands, StartsHiddenAndAwaitsTheFirstCornerOnlyOnceSomethingWasPainted)
{
    for (const auto& [control, state] : view.controls)
        EXPECT_FALSE(state.visible);
    for (C field : {C::txtLeft, C::txtTop, C::txtRight, C::txtBottom})
        EXPECT_TRUE(view.controls[field].readOnly);
    EXPECT_EQ(view.window, QPoint(1, 1));
    EXPECT_EQ(Shown() + " " + view.caption.toStdString(), "Open | , , | [] | texture Ravelock");
    EXPECT_TRUE(view.menus.at(MenuItem::mnuHelpReadme));
    for (const std::optional<QString>& answer :
         {std::optional<QString>(), std::optional<QString>("/textures/bad.tga")}) {
        view.painted = false;
        dialogs.openAnswers.push_back(answer);
        commands.Open();
        Do("click 0,0");
        EXPECT_EQ(Shown(), "Open | , , | [] | texture") << "no corner before a texture";
        EXPECT_FALSE(view.controls[C::txtLeft].visible);
    }
    EXPECT_EQ(std::pair(dialogs.fileDialogs.at(0).initialDirectory, dialogs.fileDialogs.at(0).filter),
              std::pair(QDir::homePath(), QString("Targa (*.tga)")));
    view.painted = true;
    Open(512, 256, "/home/me/art/hud.tga");
    EXPECT_EQ(dialogs.fileDialogs.back().initialDirectory, "/textures") << "where the user was last";
    EXPECT_EQ(ws.strTextureName, "hud.tga");
    EXPECT_EQ(std::pair(ws.lngImageWidth, ws.lngImageHeight), std::pair(512, 256));
    EXPECT_TRUE(view.controls[C::txtLeft].visible);
    EXPECT_EQ(view.fits, 1);
    EXPECT_EQ(Shown(), "- | , , | [] | top-left");
    commands.Exit();
    EXPECT_EQ(std::pair(view.ended, dialogs.messages), std::pair(1, QStringList())) << "nothing unsaved: no question";
}

TEST_F(Commands, CornersUndoAndRedoStepThroughTheRedoStack)
{
    Run({
        {"open 100x50", "- | , , | [] | top-left"},
        {"click 101,10", "- | , , | [] | top-left"},
        {"click 10,51", "- | , , | [] | top-left"},
        {"click 10,20", "Undo | 10,20 , | [] | bottom-right"},
        {"click 100,50", "Undo Complete | 10,20 100,50 | [] | region:"},
        {"click 5,5", "Undo Complete | 10,20 100,50 | [] | is"},
        {"undo", "Undo Redo | 10,20 , | [100 50] | bottom-right"},
        {"undo", "Redo | , , | [20 10 100 50] | top-left"},
        {"undo", "Redo | , , | [20 10 100 50] | top-left"},
        {"redo", "Undo Redo | 10,20 , | [100 50] | bottom-right"},
        {"redo", "Undo Complete | 10,20 100,50 | [] | region:"},
        {"undo", "Undo Redo | 10,20 , | [100 50] | bottom-right"},
        {"click 30,40", "Undo Complete | 10,20 30,40 | [100 50] | region:"},
        {"undo", "Undo Redo | 10,20 , | [30 40 100 50] | bottom-right"},
        {"redo", "Undo Complete | 10,20 30,40 | [100 50] | region:"},
        {"redo", "Undo Complete | 10,20 30,40 | [100 50] | region:"},
        {"undo", "Undo Redo | 10,20 , | [30 40 100 50] | bottom-right"},
        {"undo", "Redo | , , | [20 10 30 40 100 50] | top-left"},
        {"click 1,2", "Undo | 1,2 , | [] | bottom-right"},
        {"undo", "Redo | , , | [2 1] | top-left"},
        {"redo", "Undo | 1,2 , | [] | bottom-right"},
    });
    EXPECT_EQ(view.bells, 1) << "only the click on a complete region rings";
}

TEST_F(Commands, CompleteEntryNamesTheRectangleByTheFirstWordAndRefusesDuplicates)
{
    Run({
        {"open 512x256", "- | , , | [] | top-left"},
        {"complete Early", "Delete | , , | [] | top-left"},
        {"click 10,20", "Undo Delete | 10,20 , | [] | bottom-right"},
        {"click 73,83", "Undo Complete Delete | 10,20 73,83 | [] | region:"},
        {"complete ", "Undo Complete Delete | 10,20 73,83 | [] | region:"},
        {"complete Button", "Delete | , , | [] | top-left"},
        {"click 1,2", "Undo Delete | 1,2 , | [] | bottom-right"},
        {"click 3,4", "Undo Complete Delete | 1,2 3,4 | [] | region:"},
        {"complete Button", "Undo Complete Delete | 1,2 3,4 | [] | region:"},
        {"complete  Door Left", "Delete | , , | [] | top-left"},
    });
    EXPECT_EQ(view.message, "Added Door (names are one word; \"Door Left\" was cut)");
    Run({
        {"click 5,6", "Undo Delete | 5,6 , | [] | bottom-right"},
        {"click 7,8", "Undo Complete Delete | 5,6 7,8 | [] | region:"},
        {"complete door", "Delete | , , | [] | top-left"},
    });
    EXPECT_EQ(ws.colNames(), QStringList({"MappedImage Button", "MappedImage Door", "MappedImage door"}));
    EXPECT_EQ(dialogs.messages, QStringList{"Duplicate Name: Button is already a image map name"});
    EXPECT_EQ(view.message, "Added door: 5, 6 to 7, 8");
}

TEST_F(Commands, SavingExitingAndRemovingKeepTrackOfUnsavedWork)
{
    QTemporaryDir dir;
    Open(64, 32, dir.filePath("ui.tga"));
    EXPECT_EQ(view.caption, "Untitled \u2014 Ravelock");
    for (const char* action : {"click 1,2", "click 3,4", "complete Button"})
        Do(action);
    EXPECT_EQ(view.caption, "Untitled* \u2014 Ravelock");

    dialogs.messageAnswers = {Answer::Cancel, Answer::Yes};
    QDir(dir.path()).mkdir("maps");
    dialogs.saveAnswers = {std::nullopt, dir.filePath("maps/out.ini")};
    commands.Exit(); // Cancel
    commands.Exit(); // Yes, then the Save As dialog is dismissed: the program stays
    EXPECT_EQ(std::pair(view.ended, ws.blnSaveFailed), std::pair(0, true));
    const FileDialogSettings& saveAs = dialogs.fileDialogs.back();
    EXPECT_EQ(
        std::tuple(saveAs.title, saveAs.filter, saveAs.defaultSuffix, saveAs.initialDirectory, saveAs.initialFileName),
        std::tuple(QString("Save As"), QString("Ini File (*.ini)"), QString("ini"), dir.path(), QString("ui.ini")));
    EXPECT_TRUE(commands.Save()); // no file yet: Save As
    EXPECT_EQ(testing_support::ReadAll(dir.filePath("maps/out.ini")).count("MappedImage Button\r\n"), 1);
    EXPECT_EQ(std::pair(view.message, view.caption),
              std::pair(QString("Saved 1 entry to out.ini"), QString("out.ini \u2014 Ravelock")));
    commands.Exit();
    EXPECT_EQ(view.ended, 1) << "saved: no question";
    dialogs.saveAnswers = {std::nullopt};
    commands.SaveAs();
    EXPECT_EQ(std::pair(dialogs.fileDialogs.back().initialDirectory, dialogs.fileDialogs.back().initialFileName),
              std::pair(dir.filePath("maps"), QString("out.ini")))
        << "Save As starts where the document was saved";

    for (int outside : {-1, 1})
        commands.RemoveEntry(outside);
    EXPECT_EQ(ws.colNames(), QStringList{"MappedImage Button"}) << "no entry there";
    commands.RemoveEntry(0);
    EXPECT_EQ(std::pair(view.message, ws.colNames()), std::pair(QString("Removed Button"), QStringList()));
    EXPECT_EQ(view.caption, "out.ini* \u2014 Ravelock");
    dialogs.messageAnswers = {Answer::No};
    commands.Exit();
    EXPECT_EQ(std::pair(dialogs.messages.count("Ravelock: Save Changes?"), view.ended), std::pair(3ll, 2))
        << "a removal is unsaved work";

    // A failing save to the known path says why and keeps the work unsaved.
    QDir(dir.filePath("maps")).removeRecursively();
    EXPECT_FALSE(commands.Save());
    EXPECT_EQ(dialogs.messages.last(), "Error: There was an error writing the file:\r\n" +
                                           dir.filePath("maps/out.ini") + "\r\nNo such file or directory");
    EXPECT_EQ(std::tuple(dialogs.icons.back(), ws.blnSaved, ws.blnSaveFailed),
              std::tuple(MessageIcon::Critical, false, true));
    dialogs.messageAnswers = {Answer::Yes};
    commands.Exit();
    EXPECT_EQ(view.ended, 2) << "a failed save keeps the program open";
}
