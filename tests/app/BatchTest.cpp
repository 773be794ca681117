#include "app/Batch.h"
#include "support/Files.h"
#include "support/ScriptedDialogs.h"
#include "support/Tga.h"
#include "workspace/MapDocument.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

using namespace ravelock;

namespace ravelock {
void PrintTo(const Entry& e, std::ostream* out)
{
    *out << e.name.toStdString() << ' ' << e.left << ',' << e.top << ' ' << e.right << ',' << e.bottom;
}
} // namespace ravelock
using testing_support::ReadAll;

namespace {

struct Sprite {
    std::vector<std::string> rows; // a letter is an opaque texel of its own colour, '.' a clear one
    int x, y;
};

// A 16 x 8 texture at `path`, clear but for the sprites.
void WriteSprites(const QString& path, const std::vector<Sprite>& sprites)
{
    std::vector<char> texels(16 * 8, '.');
    for (const Sprite& s : sprites)
        for (std::size_t r = 0; r < s.rows.size(); ++r)
            for (std::size_t c = 0; c < s.rows[r].size(); ++c)
                texels[(s.y + r) * 16 + s.x + c] = s.rows[r][c];
    fuzzing::Tga t{.depth = 32, .width = 16, .height = 8, .descriptor = 0x28};
    for (char c : texels)
        t.data.insert(t.data.end(), {c * 3 & 255, c, 200, c == '.' ? 0 : 255});
    const std::vector<std::uint8_t> bytes = t.Bytes();
    testing_support::WriteAll(path, QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
}

Workspace Map(const QString& texture, std::vector<Entry> entries)
{
    return {.entries = std::move(entries), .imageHeight = 8, .imageWidth = 16, .textureName = texture};
}

struct Ran {
    int status;
    QString out, err;
};

Ran Command(const QStringList& args)
{
    Ran ran;
    QTextStream out(&ran.out), err(&ran.err);
    ran.status = batch::Run(args, out, err);
    return ran;
}

const Sprite kA{{"aa", "a."}, 1, 1}, kB{{"bbb"}, 5, 1}, kC{{"c"}, 10, 1}, kD{{"dd"}, 1, 5}, kE{{"e"}, 14, 6};

} // namespace

TEST(Check, SaysWhatNoLongerFitsAtItsLine)
{
    QTemporaryDir dir;
    const QString tga = dir.filePath("ui.tga"), map = dir.filePath("ui.ini");
    WriteSprites(tga, {kA, kB});
    Workspace ws = Map("ui.tga", {{"A", 1, 1, 2, 2}, {"Gap", 3, 4, 4, 6}, {"Wide", 2, 1, 16, 1}, {"Back", 6, 1, 5, 1}});
    ASSERT_FALSE(WriteIniFile(ws, map));
    const Ran ran = Command({"check", tga, map});
    EXPECT_EQ(ran.status, 1);
    EXPECT_EQ(ran.out, map + ":14: warning: Gap holds no texel of any shape\n" + map +
                           ":22: warning: Wide overlaps A (line 6)\n" + map +
                           ":30: warning: Back has its corners inverted: Left:6 Right:5\n" + map +
                           ":30: warning: Back overlaps Wide (line 22)\n");

    const QJsonDocument json = QJsonDocument::fromJson(Command({"check", tga, map, "--json"}).out.toUtf8());
    const QJsonArray findings = json["findings"].toArray();
    EXPECT_EQ(findings.size(), 4);
    EXPECT_EQ(findings[1].toObject()["line"].toInt(), 22);
    EXPECT_EQ(findings[1].toObject()["severity"].toString(), "warning");

    ws.entries.resize(1);
    ASSERT_FALSE(WriteIniFile(ws, map));
    EXPECT_EQ(Command({"check", tga, map}).status, 0);
    testing_support::WriteAll(map, "[Section]\nkey = value");
    EXPECT_EQ(Command({"check", tga, map}).out, map + ":1: error: line 1 is not the start of a Ravelock map\n");
    const Ran missing = Command({"check", dir.filePath("none.tga"), map});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.startsWith("ravelock: " + dir.filePath("none.tga") + ": ")) << missing.err.toStdString();
    EXPECT_TRUE(Command({"check", "-", map}).err.startsWith("ravelock: -: ")) << "a lone - names a file";
}

TEST(Remap, MovesEveryEntryWithItsShapesOrSaysWhyNot)
{
    QTemporaryDir dir;
    const QString old = dir.filePath("old.tga"), fresh = dir.filePath("new.tga"), map = dir.filePath("old.ini"),
                  out = dir.filePath("out.ini");
    WriteSprites(old, {kA, kB, kC, kD, kE});
    Sprite movedA = kA, otherB = kB, recolouredD = kD;
    movedA.x = 0, otherB.y = 3, recolouredD.rows = {"dx"};
    WriteSprites(fresh, {movedA, kB, otherB, recolouredD, kE});
    Workspace ws = Map("old.tga", {{"A", 1, 1, 2, 2},
                                   {"Cap", 2, 2, 1, 1},
                                   {"B", 5, 1, 7, 1},
                                   {"C", 10, 1, 10, 1},
                                   {"D", 1, 5, 2, 5},
                                   {"E", 14, 6, 16, 8},
                                   {"None", 0, 7, 0, 7}});
    ASSERT_FALSE(WriteIniFile(ws, map));

    const Ran ran = Command({"remap", old, map, fresh, "-o", out});
    EXPECT_EQ(ran.status, 1);
    EXPECT_EQ(ran.out, "A: 1, 1 -> 0, 1\nCap: 2, 2 -> 1, 2\nB: found in 2 places: 5, 1; 5, 3\n"
                       "C: not found (its shape is not in new.tga)\nD: not found (its shape is not in new.tga)\n"
                       "E: unchanged\nNone: not found (on no shape)\n"
                       "wrote nothing: 4 of 7 entries were not found once\n");
    EXPECT_EQ(ReadAll(out), "<missing>");

    EXPECT_EQ(Command({"remap", old, map, fresh, "-o", out, "--partial"}).status, 1);
    Workspace expected = Map("new.tga", {{"A", 0, 1, 1, 2}, {"Cap", 1, 2, 0, 1}, {"E", 14, 6, 16, 8}});
    EXPECT_EQ(ReadAll(out), (expected.Lines().join("\r\n") + "\r\n").toUtf8());

    ws.entries = {ws.entries[0], ws.entries[5]};
    ASSERT_FALSE(WriteIniFile(ws, map));
    const Ran remapped = Command({"remap", old, map, fresh, "-o", out, "--json"});
    const QJsonDocument json = QJsonDocument::fromJson(remapped.out.toUtf8());
    EXPECT_TRUE(json["written"].toBool());
    EXPECT_EQ(json["entries"][0]["places"][0]["right"].toInt(), 1);
    EXPECT_EQ(json["entries"][1]["status"].toString(), "unchanged");
    EXPECT_EQ(Command({"remap", old, map, fresh, "-o", dir.filePath("no/such/folder.ini")}).status, 2);

    // Identical shapes are paired: one left in place with itself, the others in reading order.
    WriteSprites(old, {kC, {{"c"}, 12, 1}, {{"c"}, 14, 1}});
    WriteSprites(fresh, {{{"c"}, 13, 3}, {{"c"}, 12, 1}, {{"c"}, 11, 3}});
    ws.entries = {{"C1", 10, 1, 10, 1}, {"C2", 12, 1, 12, 1}, {"C3", 14, 1, 14, 1}};
    ASSERT_FALSE(WriteIniFile(ws, map));
    EXPECT_EQ(Command({"remap", old, map, old, "-o", out}).out, "C1: unchanged\nC2: unchanged\nC3: unchanged\n"
                                                                "wrote 3 of 3 entries to " +
                                                                    out + "\n");
    EXPECT_EQ(Command({"remap", old, map, fresh, "-o", out}).out, "C1: 10, 1 -> 11, 3\nC2: unchanged\n"
                                                                  "C3: 14, 1 -> 13, 3\nwrote 3 of 3 entries to " +
                                                                      out + "\n");
    ws.entries = {{"Both", 12, 1, 14, 1}};
    ASSERT_FALSE(WriteIniFile(ws, map));
    EXPECT_TRUE(Command({"remap", old, map, old, "-o", out}).out.startsWith("Both: unchanged\n")) << "two shapes";
}

// The program itself, with no display of any kind.
TEST(Commands, RunWithoutADisplay)
{
    QTemporaryDir dir;
    const QString tga = dir.filePath("icons.tga"), map = dir.filePath("icons.ini");
    // Three single texels that join only once two of them are one box, then nine more.
    std::vector<Sprite> sprites;
    for (auto [x, y] :
         {std::pair(2, 0), {4, 2}, {0, 3}, {8, 0}, {11, 0}, {14, 0}, {11, 3}, {8, 6}, {11, 6}, {14, 6}, {0, 7}, {3, 7}})
        sprites.push_back({{"f"}, x, y});
    WriteSprites(tga, sprites);
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    program.setProcessEnvironment(env);
    program.start(RAVELOCK_PROGRAM, {"shapes", tga, "--name", "Icon", "--join", "2", "-o", map});
    ASSERT_TRUE(program.waitForFinished());
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    Workspace ws = Map("icons.tga", {});
    const auto read = ReadMapFile(map, ws.Header());
    const std::vector<Entry> expected = {{"Icon01", 0, 0, 4, 3},   {"Icon02", 8, 0, 8, 0},   {"Icon03", 11, 0, 11, 0},
                                         {"Icon04", 14, 0, 14, 0}, {"Icon05", 11, 3, 11, 3}, {"Icon06", 8, 6, 8, 6},
                                         {"Icon07", 11, 6, 11, 6}, {"Icon08", 14, 6, 14, 6}, {"Icon09", 0, 7, 0, 7},
                                         {"Icon10", 3, 7, 3, 7}};
    EXPECT_EQ(std::get<std::vector<Entry>>(read), expected);
    for (const auto& [join, status] : {std::pair("16", 0), {"17", 2}})
        EXPECT_EQ(Command({"shapes", tga, "--name", "Icon", "--join", join, "-o", map}).status, status) << join;
}
