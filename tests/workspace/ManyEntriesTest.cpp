#include "support/FakeMainView.h"
#include "support/ScriptedDialogs.h"
#include "support/Tga.h"
#include "workspace/EntryHistory.h"
#include "workspace/MainCommands.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ravelock;

namespace {

// "Name l,t r,b; ..." or the refusal.
std::string Described(const Plan& plan)
{
    QStringList entries;
    for (const Entry& e : plan.entries)
        entries << QString("%1 %2,%3 %4,%5").arg(e.name).arg(e.left).arg(e.top).arg(e.right).arg(e.bottom);
    return (plan.refusal.isEmpty() ? entries.join("; ") : plan.title + ": " + plan.refusal).toStdString();
}

const std::vector<Entry> kButton = {{"BtnLeftNormal", 4, 84, 9, 97}, {"BtnMidNormal", 10, 84, 49, 97}};

} // namespace

TEST(ManyEntries, RepeatMovesCopiesAndReplacesAWord)
{
    const Workspace ws{.entries = kButton, .imageHeight = 140, .imageWidth = 64, .texture = Texture::Ready};
    const std::pair<RepeatSettings, std::string> cases[] = {
        {{{0, 16}, "Normal", "Pushed", 1}, "BtnLeftPushed 4,100 9,113; BtnMidPushed 10,100 49,113"},
        {{{0, 16}, "Normal", " Pushed  Hover", 2},
         "BtnLeftPushed 4,100 9,113; BtnMidPushed 10,100 49,113; BtnLeftHover 4,116 9,129; BtnMidHover 10,116 49,129"},
        {{{-4, 0}, "", "2", 1}, "BtnLeftNormal2 0,84 5,97; BtnMidNormal2 6,84 45,97"},
        {{{0, 44}, "Normal", "Pushed", 1}, "Repeat Entries: BtnLeftPushed would leave the picture"},
        {{{0, 16}, "Normal", "Pushed", 2}, "Duplicate Name: BtnLeftPushed is already a image map name"},
        {{{0, 16}, "Normal", "A B C", 2}, "Repeat Entries: With needs one word, or one for each of the 2 copies"},
    };
    for (const auto& [settings, expected] : cases)
        EXPECT_EQ(Described(PlanRepeat(ws, kButton, settings)), expected) << expected;
}

TEST(ManyEntries, MapShapesNumbersWhatNoEntryCovers)
{
    const std::vector<QRect> shapes = {QRect(0, 0, 4, 4),  QRect(6, 0, 4, 4),   QRect(0, 10, 2, 2), QRect(3, 10, 2, 2),
                                       QRect(20, 0, 3, 3), QRect(30, 30, 1, 1), QRect(40, 0, 1, 1), QRect(42, 0, 1, 1)};
    const Workspace ws{.entries = {{"Taken", 19, 0, 23, 3}, {"Icon6", 63, 63, 63, 63}},
                       .imageHeight = 64,
                       .imageWidth = 64,
                       .texture = Texture::Ready};
    const std::pair<int, std::string> cases[] = {
        {0, "Duplicate Name: Icon6 is already a image map name"},
        {2, "Icon1 0,0 3,3; Icon2 6,0 9,3; Icon3 40,0 42,0; Icon4 0,10 4,11; Icon5 30,30 30,30"},
        {3, "Icon1 0,0 9,3; Icon2 40,0 42,0; Icon3 0,10 4,11; Icon4 30,30 30,30"},
    };
    for (const auto& [join, expected] : cases)
        EXPECT_EQ(Described(PlanShapes(ws, shapes, " Icon more", join)), expected) << join;
    EXPECT_EQ(Described(PlanShapes(ws, shapes, "", 0)), "Map All Shapes: An entry needs a name");
}

TEST(ManyEntries, SliceCutsNinePiecesOrAGrid)
{
    // Shapes in the grid's cells of 5 x 5 (spacing 0): cell 1 empty, cell 2 with a 2 x 1 mark at 16,11, cell 8 with
    // two texels on its last row, one in its last column.
    std::vector<std::string> rows(20, std::string(40, '.'));
    rows[11][16] = rows[11][17] = '#';
    rows[19][26] = rows[19][29] = '#';
    const testing_support::Decoded d = testing_support::Decode(testing_support::RowsTexture(rows));
    const targa::ShapeTexels texels(d.surface, true);
    const Workspace ws{.imageHeight = 20, .imageWidth = 40, .texture = Texture::Ready};
    const QRect rect(QPoint(10, 10), QPoint(29, 19));
    using K = SliceSettings::Kind;
    const std::pair<SliceSettings, std::string> cases[] = {
        {{"F", K::NinePieces, QMargins(2, 3, 4, 1)},
         "FTopLeft 10,10 11,12; FTop 12,10 25,12; FTopRight 26,10 29,12; FLeft 10,13 11,18; FMiddle 12,13 25,18; "
         "FRight 26,13 29,18; FBottomLeft 10,19 11,19; FBottom 12,19 25,19; FBottomRight 26,19 29,19"},
        {{"F", K::NinePieces, QMargins(2, 0, 4, 0)}, "FLeft 10,10 11,19; FMiddle 12,10 25,19; FRight 26,10 29,19"},
        {{"F", K::NinePieces, QMargins(0, 3, 0, 0)}, "FTop 10,10 29,12; FMiddle 10,13 29,19"},
        {{"F", K::NinePieces, QMargins(10, 0, 10, 0)}, "Slice: The borders leave no middle piece"},
        {{.base = "B*N", .borders = QMargins(3, 0, 4, 0), .spacing = {2, 5}},
         "BLeftN 10,10 12,19; BMiddleN 15,10 23,19; BRightN 26,10 29,19"},
        {{.base = "F", .borders = QMargins(2, 2, 2, 0), .spacing = {1, 1}, .names = "A B C D Backdrop E"},
         "FA 10,10 11,11; FB 13,10 26,11; FC 28,10 29,11; FD 10,13 11,19; FBackdrop 13,13 26,19; FE 28,13 29,19"},
        {{.base = "F", .borders = QMargins(2, 0, 2, 0), .names = "A B"},
         "Slice: Names needs nine words, or one for each of the 3 pieces"},
        {{.base = "F", .borders = QMargins(9, 0, 9, 0), .spacing = {1, 0}}, "Slice: The borders leave no middle piece"},
        {{.base = "A*B*"}, "Slice: A base name may hold one *"},
        {{.base = "G", .borders = QMargins(), .spacing = {2, 1}}, "GMiddle 10,10 29,19"}, // no border: no spacing
        {{"C", K::Grid, {}, false, {4, 2}},
         "C1 10,10 14,14; C2 15,10 19,14; C3 20,10 24,14; C4 25,10 29,14; "
         "C5 10,15 14,19; C6 15,15 19,19; C7 20,15 24,19; C8 25,15 29,19"},
        {{"C", K::Grid, {}, true, {}, {4, 4}, {2, 2}},
         "C1 10,10 13,13; C2 16,10 19,13; C3 22,10 25,13; "
         "C4 10,16 13,19; C5 16,16 19,19; C6 22,16 25,19"},
        {{"C", K::Grid, {}, true, {}, {5, 5}, {}, true}, "C1 15,10 19,14; C2 25,15 29,19"},
        {{"C", K::Grid, {}, true, {}, {5, 5}, {}, true, true}, "C1 16,11 17,11; C2 26,19 29,19"},
    };
    for (const auto& [settings, expected] : cases)
        EXPECT_EQ(Described(PlanSlice(ws, rect, settings, &texels)), expected) << expected;
    SliceSettings ten{.base = "C*x", .kind = K::Grid, .count = {10, 1}};
    EXPECT_EQ(PlanSlice(ws, rect, ten, nullptr).entries[9].name, "C10x");
    EXPECT_EQ(PlanSlice(ws, rect, ten, nullptr).entries[0].name, "C1x");
    ten.numbers = Numbers::Padded;
    EXPECT_EQ(PlanSlice(ws, rect, ten, nullptr).entries[0].name, "C01x");
    ten.skipEmpty = ten.trim = true;
    EXPECT_EQ(PlanSlice(ws, rect, ten, nullptr).entries.size(), 10u) << "no texels: none skipped";
}

TEST(ManyEntries, EachCommandIsOneStepOrARefusal)
{
    testing_support::FakeMainView view;
    testing_support::ScriptedDialogs dialogs;
    QTemporaryDir data;
    MainCommands commands(view, dialogs, data.path());
    view.textureWidth = view.textureHeight = 64;
    dialogs.openAnswers.push_back("/textures/ui.tga");
    commands.Open();
    const Workspace& ws = commands.State();
    EXPECT_TRUE(commands.MapAllShapes({QRect(1, 1, 2, 2), QRect(8, 1, 2, 2)}, "Dot", 0));
    EXPECT_TRUE(commands.MapAllShapes({QRect(1, 1, 2, 2)}, "Dot", 0)) << "all mapped: no refusal";
    EXPECT_EQ(view.message, "Nothing was added");
    EXPECT_TRUE(commands.EditEntry(0, ws.entries[0])) << "nothing to change is no refusal";
    dialogs.messageAnswers = {Answer::No};
    commands.DeleteEntry({1, 2});
    EXPECT_FALSE(commands.RepeatEntries(ws.entries, {{0, 63}, "Dot", "Pip", 1}));
    EXPECT_TRUE(commands.RepeatEntries(ws.entries, {{0, 4}, "Dot", "Pip", 1}));
    EXPECT_EQ(view.texts[MenuItem::mnuEditUndoEntry], "Undo Repeating 2 entries");
    commands.Click({0, 0});
    EXPECT_FALSE(view.menus[MenuItem::mnuEditSlice]);
    commands.Click({5, 5});
    EXPECT_TRUE(view.menus[MenuItem::mnuEditSlice]);
    EXPECT_TRUE(commands.SliceRectangle({"S", SliceSettings::Kind::NinePieces, QMargins(1, 0, 1, 0)}, nullptr));
    EXPECT_EQ(ws.picking.step, Step::FirstCorner);
    EXPECT_EQ(ws.entries.size(), 7u);
    for (const auto& [by, resize] : {std::pair{QPoint(-1, 0), false}, {QPoint(-1, 0), false}, {QPoint(0, 1), true}})
        commands.NudgeEntry(0, by, resize);
    EXPECT_EQ(ws.entries[0], (Entry{"Dot1", 0, 1, 1, 3})) << "the second move would leave the picture";
    EXPECT_EQ(view.bells, 1);
    commands.UndoEntryChange();
    EXPECT_EQ(ws.entries[0], (Entry{"Dot1", 1, 1, 2, 2})) << "the nudges are one step";
    for (const std::size_t left : {4u, 2u, 0u}) {
        commands.UndoEntryChange();
        EXPECT_EQ(ws.entries.size(), left);
    }
    EXPECT_TRUE(ws.Saved());
    EXPECT_TRUE(commands.MapAllShapes({QRect(1, 1, 2, 2)}, "Dot", 0));
    commands.NudgeEntry(0, {1, 0}, false);
    dialogs.saveAnswers.push_back(data.filePath("dots.ini"));
    commands.SaveAs();
    for (const int by : {1, -1})
        commands.NudgeEntry(0, {by, 0}, false);
    EXPECT_TRUE(ws.Saved()) << "moved after the save and back again: the saved state, no step";
    EXPECT_EQ(view.texts[MenuItem::mnuEditUndoEntry], "Undo Nudging Dot1");
    commands.NudgeEntry(0, {1, 0}, false);
    commands.Save();
    commands.UndoEntryChange();
    commands.NudgeEntry(0, {0, 1}, false);
    commands.UndoEntryChange();
    EXPECT_EQ(ws.entries[0], (Entry{"Dot1", 2, 1, 3, 2})) << "a nudge after an undo is a step of its own";
}

// A fold joins only moves of the same entries at the same places; any other step stays a step of its own.
TEST(ManyEntries, HistoryFoldsOnlyAMoveOfTheSamePlaces)
{
    const Entry a{"A", 0, 0, 1, 1}, b{"B", 4, 4, 5, 5}, moved{"A", 1, 0, 2, 1};
    std::vector<Entry> entries{a, b};
    EntryHistory history;
    history.Do(entries, {"Nudging A", {{0, a}}, {{0, moved}}});
    const EntryStep apart[] = {
        {"Nudging A", {{1, b}}, {{1, b}}},
        {"Nudging A", {{0, moved}}, {{1, moved}}},
        {"Nudging B", {{0, moved}}, {{0, a}}},
    };
    for (const EntryStep& step : apart)
        EXPECT_FALSE(history.Amend(entries, step)) << step.what.toStdString() << " at " << step.in[0].first;
    EXPECT_EQ(entries, (std::vector{moved, b}));
    EXPECT_TRUE(history.Amend(entries, {"Nudging A", {{0, moved}}, {{0, a}}}));
    EXPECT_EQ(history.Undoable(), nullptr) << "back where it began: no step";
}
