#include "workspace/MainCommands.h"
#include "support/FakeMainView.h"
#include "support/Files.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

#include <csignal>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace ravelock;
using testing_support::DocumentWith;
using testing_support::FakeMainView;
using testing_support::NoSuchFolder;
using testing_support::ReadAll;
using testing_support::ScriptedDialogs;
using testing_support::WriteAll;

namespace {

const std::pair<MenuItem, std::string> kChangingItems[] = {{MenuItem::mnuFileOpen, "Open"},
                                                           {MenuItem::mnuEditUndo, "Undo"},
                                                           {MenuItem::mnuEditRedo, "Redo"},
                                                           {MenuItem::mnuEditComplete, "Complete"},
                                                           {MenuItem::mnuEditDelete, "Delete"}};

struct Commands : ::testing::Test {
    FakeMainView view;
    ScriptedDialogs dialogs;
    QTemporaryDir data;
    MainCommands commands{view, dialogs, data.path()};
    const Workspace& ws = commands.State();

    void SetUp() override { commands.Load(); }

    void Open(int width, int height, const QString& path = "/textures/ui.tga")
    {
        view.textureWidth = width;
        view.textureHeight = height;
        dialogs.openAnswers.push_back(path);
        commands.Open();
    }
    // "click 10,20", "undo", "redo", "complete Door Left", "open 100x50", "shape 1,2 3,4", "grow 1,2 3,4", "shape -".
    void Do(const std::string& action)
    {
        std::istringstream in(action);
        std::string verb;
        char sep = 0;
        int x = 0, y = 0;
        in >> verb;
        int right = 0, bottom = 0;
        if (verb == "click" && in >> x >> sep >> y)
            commands.Click({x, y});
        else if (verb == "shape" || verb == "grow") {
            const bool box = bool(in >> x >> sep >> y >> right >> sep >> bottom);
            commands.TakeShape(box ? std::optional(QRect(QPoint(x, y), QPoint(right, bottom))) : std::nullopt,
                               verb == "grow");
        } else if (verb == "open" && in >> x >> sep >> y)
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
    // The enabled items of those that change, the fields, the redo stack from its top, the hint's third word.
    std::string Shown() const
    {
        std::string items;
        for (const auto& [item, name] : kChangingItems)
            if (view.menus.at(item))
                items += (items.empty() ? "" : " ") + name;
        std::string redo;
        for (auto undone = ws.redoCorners.rbegin(); undone != ws.redoCorners.rend(); ++undone)
            redo += QString(" %1,%2").arg(undone->texel.x()).arg(undone->texel.y()).toStdString();
        redo = redo.substr(std::min<std::size_t>(1, redo.size()));
        return (items.empty() ? "-" : items) + " | " + view.corners.toStdString() + " | [" + redo + "] | " +
               view.hint.section(' ', 2, 2).toStdString();
    }
};

} // namespace

TEST_F(Commands, AwaitCornersOnlyOncePainted)
{
    EXPECT_FALSE(view.panel);
    EXPECT_TRUE(view.menus[MenuItem::mnuFileSave]) << "always offered";
    EXPECT_EQ(Shown() + " " + view.caption.toStdString(), "Open | , , | [] | texture Ravelock");
    view.painted = false;
    dialogs.openAnswers.push_back("/textures/bad.tga");
    commands.Open();
    Do("click 0,0");
    EXPECT_EQ(Shown(), "Open | , , | [] | texture") << "no corner before a texture";
    EXPECT_FALSE(view.panel);
    EXPECT_EQ(dialogs.fileDialogs.at(0).initialDirectory, QDir::homePath());
    view.painted = true;
    Open(512, 256, "/home/me/art/hud.tga");
    EXPECT_EQ(dialogs.fileDialogs.back().initialDirectory, QFileInfo("/textures").absoluteFilePath()) << "as last";
    EXPECT_EQ(ws.textureName, "hud.tga");
    EXPECT_EQ(ws.imageWidth, 512);
    EXPECT_EQ(ws.imageHeight, 256);
    EXPECT_TRUE(view.panel);
    EXPECT_EQ(view.fits, 1);
    EXPECT_EQ(Shown(), "- | , , | [] | top-left");
    commands.Exit();
    EXPECT_EQ(view.ended, 1) << "nothing unsaved: no question";
    EXPECT_EQ(dialogs.messages, QStringList());
}

TEST_F(Commands, UndoAndRedoStepByCorner)
{
    Run({
        {"open 100x50", "- | , , | [] | top-left"},
        {"click 101,10", "- | , , | [] | top-left"},
        {"click 10,51", "- | , , | [] | top-left"},
        {"click 10,20", "Undo | 10,20 , | [] | bottom-right"},
        {"click 100,50", "Undo Complete | 10,20 100,50 | [] | name"},
        {"click 5,5", "Undo Complete | 10,20 100,50 | [] | is"},
        {"undo", "Undo Redo | 10,20 , | [100,50] | bottom-right"},
        {"undo", "Redo | , , | [10,20 100,50] | top-left"},
        {"undo", "Redo | , , | [10,20 100,50] | top-left"},
        {"redo", "Undo Redo | 10,20 , | [100,50] | bottom-right"},
        {"redo", "Undo Complete | 10,20 100,50 | [] | name"},
        {"undo", "Undo Redo | 10,20 , | [100,50] | bottom-right"},
        {"click 30,40", "Undo Complete | 10,20 30,40 | [100,50] | name"},
        {"undo", "Undo Redo | 10,20 , | [30,40 100,50] | bottom-right"},
        {"redo", "Undo Complete | 10,20 30,40 | [100,50] | name"},
        {"redo", "Undo Complete | 10,20 30,40 | [100,50] | name"},
        {"undo", "Undo Redo | 10,20 , | [30,40 100,50] | bottom-right"},
        {"undo", "Redo | , , | [10,20 30,40 100,50] | top-left"},
        {"click 1,2", "Undo | 1,2 , | [] | bottom-right"},
        {"undo", "Redo | , , | [1,2] | top-left"},
        {"redo", "Undo | 1,2 , | [] | bottom-right"},
    });
    EXPECT_EQ(view.bells, 1) << "only the click on a complete region rings";
}

TEST_F(Commands, ShapesSetBothCornersAsClicksWould)
{
    Run({
        {"open 100x50", "- | , , | [] | top-left"},
        {"shape -", "- | , , | [] | under"},
        {"click 20,20", "Undo | 20,20 , | [] | bottom-right"},
        {"grow 2,3 5,8", "Undo Complete | 2,3 20,20 | [] | x"},
        {"undo", "Undo Redo | 2,3 , | [20,20] | bottom-right"},
        {"shape 4,4 5,8", "Undo Complete | 4,4 5,8 | [] | x"}, // replaces the first corner
        {"shape 9,9 9,9", "Undo Complete | 4,4 5,8 | [] | is"},
        {"grow 9,1 9,1", "Undo Complete | 4,1 9,8 | [] | x"},
        {"complete Box", "Delete | , , | [] | top-left"},
        {"click 5,5", "Undo Delete | 5,5 , | [] | bottom-right"},
        {"click 2,2", "Undo Complete Delete | 5,5 2,2 | [] | name"},
        {"grow 9,1 9,1", "Undo Complete Delete | 2,1 9,5 | [] | x"}, // the inverted corners' texels kept
    });
    EXPECT_EQ(view.bells, 1);
}

TEST_F(Commands, CompleteEntryTakesTheFirstWordOnce)
{
    Run({
        {"open 512x256", "- | , , | [] | top-left"},
        {"complete Early", "- | , , | [] | top-left"},
        {"click 10,20", "Undo | 10,20 , | [] | bottom-right"},
        {"click 73,83", "Undo Complete | 10,20 73,83 | [] | name"},
        {"complete ", "Undo Complete | 10,20 73,83 | [] | name"},
        {"complete Button", "Delete | , , | [] | top-left"},
        {"click 1,2", "Undo Delete | 1,2 , | [] | bottom-right"},
        {"click 3,4", "Undo Complete Delete | 1,2 3,4 | [] | name"},
        {"complete Button", "Undo Complete Delete | 1,2 3,4 | [] | name"},
        {"complete  Door Left", "Delete | , , | [] | top-left"},
    });
    EXPECT_EQ(view.message, "Added Door (names are one word; \"Door Left\" was cut)");
    Run({
        {"click 5,6", "Undo Delete | 5,6 , | [] | bottom-right"},
        {"click 7,8", "Undo Complete Delete | 5,6 7,8 | [] | name"},
        {"complete door", "Delete | , , | [] | top-left"},
    });
    EXPECT_EQ(ws.Headings(), QStringList({"MappedImage Button", "MappedImage Door", "MappedImage door"}));
    EXPECT_EQ(dialogs.messages, QStringList{"Duplicate Name: Button is already a image map name"});
    EXPECT_EQ(view.message, "Added door: 5, 6 to 7, 8");
}

TEST_F(Commands, SavingTracksUnsavedWork)
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
    commands.Exit();
    commands.Exit();
    EXPECT_EQ(view.ended, 0);
    EXPECT_EQ(dialogs.fileDialogs.back().initialDirectory, dir.path());
    EXPECT_EQ(dialogs.fileDialogs.back().initialFileName, "ui.ini");
    EXPECT_TRUE(commands.Save());
    EXPECT_EQ(ReadAll(dir.filePath("maps/out.ini")).count("MappedImage Button\r\n"), 1);
    EXPECT_EQ(view.message, "Saved 1 entry to out.ini");
    EXPECT_EQ(view.caption, "out.ini \u2014 Ravelock");
    commands.Exit();
    EXPECT_EQ(view.ended, 1) << "saved: no question";
    dialogs.saveAnswers = {std::nullopt};
    EXPECT_FALSE(commands.SaveAs());
    EXPECT_EQ(dialogs.fileDialogs.back().initialDirectory, dir.filePath("maps")) << "where it was saved";

    for (int outside : {-1, 1})
        commands.RemoveEntry(outside);
    EXPECT_EQ(ws.Headings(), QStringList{"MappedImage Button"}) << "no entry there";
    commands.RemoveEntry(0);
    EXPECT_EQ(view.message, "Removed Button");
    EXPECT_EQ(ws.Headings(), QStringList());
    EXPECT_EQ(Shown(), "Delete | , , | [] | top-left") << "Delete Entry stays offered";
    EXPECT_EQ(view.caption, "out.ini* \u2014 Ravelock");
    dialogs.messageAnswers = {Answer::No};
    commands.Exit();
    EXPECT_EQ(dialogs.messages.count("Ravelock: Save Changes?"), 3) << "a removal is unsaved work";
    EXPECT_EQ(view.ended, 2);

    QDir(dir.filePath("maps")).removeRecursively();
    EXPECT_FALSE(commands.Save());
    EXPECT_EQ(dialogs.messages.last(), "Error: There was an error writing the file:\r\n" +
                                           dir.filePath("maps/out.ini") + "\r\n" + NoSuchFolder());
    EXPECT_EQ(dialogs.icons.back(), MessageIcon::Critical);
    EXPECT_FALSE(ws.Saved());
    dialogs.messageAnswers = {Answer::Yes};
    commands.Exit();
    EXPECT_EQ(view.ended, 2) << "a failed save keeps the program open";
}

// A saved map opens into an empty document; another file is refused.
TEST_F(Commands, OpenMapContinuesASavedMap)
{
    QTemporaryDir dir;
    Open(64, 32, dir.filePath("ui.tga"));
    for (const char* action : {"click 1,2", "click 64,32", "complete Button", "click 3,3", "click 4,4", "complete B"})
        Do(action);
    dialogs.saveAnswers = {dir.filePath("ui.ini")};
    ASSERT_TRUE(commands.SaveAs());
    const QByteArray saved = ReadAll(dir.filePath("ui.ini"));
    commands.RemoveEntry(1);
    commands.RemoveEntry(0);
    for (const QString bad : {"x", "33"}) {
        WriteAll(dir.filePath("bad.ini"), QByteArray(saved).replace("Top:3", "Top:" + bad.toUtf8()));
        dialogs.openAnswers = {dir.filePath("bad.ini")};
        commands.OpenMap();
        EXPECT_EQ(dialogs.messages.last(), "Open Map: bad.ini cannot be opened as a map of ui.tga:\r\n"
                                           "line 18: \"" +
                                               bad + "\" is not a whole number from 0 to 32");
    }
    dialogs.openAnswers = {dir.filePath("ui.ini")};
    commands.OpenMap();
    EXPECT_EQ(view.caption, "ui.ini \u2014 Ravelock") << "saved";
    EXPECT_FALSE(view.menus[MenuItem::mnuEditUndoEntry]) << "a new history";
    WriteAll(dir.filePath("ui.ini"), "");
    EXPECT_TRUE(commands.Save());
    EXPECT_EQ(ReadAll(dir.filePath("ui.ini")), saved);
    MainCommands again(view, dialogs, data.path()), alone(view, dialogs, data.path());
    again.OpenFiles({dir.filePath("ui.tga"), dir.filePath("ui.ini")});
    alone.OpenFiles({dir.filePath("ui.tga")});
    EXPECT_EQ(again.State().entries.size() + alone.State().entries.size(), 2u) << "as the command line gives them";
    EXPECT_EQ(dialogs.messages.size(), 2) << "only the bad files were refused";
}

// Save As asks before replacing a map, naming what it would lose.
TEST_F(Commands, SaveAsAsksBeforeReplacingAMap)
{
    QTemporaryDir dir;
    Open(64, 32, dir.filePath("ui.tga"));
    for (const char* action : {"click 1,2", "click 3,4", "complete A"})
        Do(action);
    const QByteArray map = DocumentWith("MappedImage A\r\nMappedImage Z\r\n");
    WriteAll(dir.filePath("map.ini"), map);
    WriteAll(dir.filePath("other.ini"), "x");
    dialogs.saveAnswers = {dir.filePath("map.ini"), dir.filePath("other.ini")};
    dialogs.messageAnswers = {Answer::No, Answer::Yes};
    EXPECT_TRUE(commands.SaveAs());
    EXPECT_TRUE(dialogs.messages[0].startsWith("Save As: map.ini holds 1 Ravelock entry"));
    EXPECT_EQ(dialogs.messages.mid(1), QStringList{"Save As: other.ini already exists.\r\nDo you want to replace it?"});
    EXPECT_EQ(dialogs.fileDialogs.back().initialFileName, "map.ini");
    EXPECT_EQ(ReadAll(dir.filePath("map.ini")), map);
}

#ifndef _WIN32 // POSIX processes and permissions
// A killed session's unsaved entries come back.
TEST_F(Commands, UnsavedWorkSurvivesAKill)
{
    QTemporaryDir dir;
    if (::fork() == 0) {
        Open(64, 32, dir.filePath("ui.tga"));
        for (const char* action : {"click 1,2", "click 3,4", "complete A", "click 5,6", "click 64,32", "complete B"})
            Do(action);
        ::raise(SIGKILL);
    }
    int status = 0;
    ::wait(&status);
    ASSERT_TRUE(WIFSIGNALED(status));
    dialogs.messageAnswers = {Answer::Yes};
    Open(64, 32, dir.filePath("ui.tga"));
    EXPECT_TRUE(dialogs.messages.value(0).startsWith("Recover Unsaved Work: "));
    EXPECT_EQ(ws.Lines()[17], "Coords = Left:5 Top:6 Right:64 Bottom:32");
    EXPECT_EQ(view.caption, "Untitled* \u2014 Ravelock") << "brought back as unsaved work";

    const QString copy = Recovery(data.path()).PathFor(ws);
    dialogs.messageAnswers = {Answer::No};
    MainCommands(view, dialogs, data.path()).OpenTexture(dir.filePath("ui.tga"));
    EXPECT_FALSE(QFile::exists(copy));
    MainCommands unwritable(view, dialogs, "/dev/null/recovery");
    unwritable.OpenTexture(dir.filePath("ui.tga"));
    unwritable.TakeShape(QRect(1, 1, 2, 2), false);
    dialogs.inputAnswers = {"A"};
    unwritable.CompleteEntry();
    EXPECT_TRUE(view.message.startsWith("Unsaved work could not be copied for recovery: "));
}
#endif

// Every change of the entries is one step back and forth; the corners keep their own undo.
TEST_F(Commands, EntryChangesUndoAndRedoInPlace)
{
    QTemporaryDir dir;
    Open(64, 32, dir.filePath("ui.tga"));
    for (const char* action : {"shape 1,1 2,2", "complete A", "shape 3,3 4,4", "complete B", "shape 5,5 6,6",
                               "complete C", "shape 7,7 8,8", "complete D"})
        Do(action);
    dialogs.saveAnswers = {dir.filePath("ui.ini")};
    ASSERT_TRUE(commands.SaveAs());
    const auto names = [this] { return ws.Headings().join(' ').remove("MappedImage "); };
    const auto undo = [this] { return view.texts[MenuItem::mnuEditUndoEntry]; };
    const auto redo = [this] { return view.texts[MenuItem::mnuEditRedoEntry]; };
    const QString copy = Recovery(data.path()).PathFor(ws);
    commands.RemoveEntry(1);
    EXPECT_FALSE(commands.EditEntry(1, {" ", 9, 9, 1, 1}));
    EXPECT_EQ(dialogs.messages.last(), "Entry Properties: An entry needs a name");
    EXPECT_TRUE(commands.EditEntry(1, {"C2 x", 9, 9, 1, 1}));
    dialogs.messageAnswers = {Answer::No, Answer::Yes};
    commands.DeleteEntry({2, 0});
    commands.DeleteEntry({2, 0});
    EXPECT_EQ(dialogs.messages.last(), "Delete Entry: Remove 2 entries (D, A)?");
    EXPECT_EQ(names() + " | " + undo(), "C2 | Undo Removing 2 entries");

    const std::pair<const char*, const char*> back[] = {
        {"A C2 D | Brought back 2 entries | Undo Changing C2 | Redo Removing 2 entries", "ui.ini*"},
        {"A C D | Undid changing C2 | Undo Removing B | Redo Changing C2", "ui.ini*"},
        {"A B C D | Brought back B | Undo Adding D | Redo Removing B", "ui.ini"},
    };
    for (const auto& [state, caption] : back) {
        commands.UndoEntryChange();
        EXPECT_EQ(names() + " | " + view.message + " | " + undo() + " | " + redo(), state);
        EXPECT_EQ(view.caption.section(' ', 0, 0), caption);
    }
    EXPECT_FALSE(QFile::exists(copy)) << "back where it was saved: nothing to recover";
    commands.Exit();
    EXPECT_EQ(view.ended, 1) << "no question";
    commands.RedoEntryChange();
    EXPECT_EQ(names() + " | " + view.message + " | " + view.caption.section(' ', 0, 0),
              "A C D | Redid removing B | ui.ini*");
    EXPECT_EQ(ReadAll(copy).count("\nMappedImage"), 3);

    Do("click 1,1");
    commands.UndoEntryChange();
    EXPECT_EQ(names() + " " + view.corners, "A B C D 1,1 ,") << "the corners stay";
    Do("undo");
    EXPECT_EQ(names() + " " + view.corners, "A B C D , ,") << "and keep their own undo";
    EXPECT_TRUE(commands.EditEntry(0, {"A", 0, 0, 1, 1}));
    EXPECT_EQ(redo(), "Redo Entry Change") << "a new change drops what could be redone";
}
