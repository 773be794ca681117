#include "support/TempDir.h"
#include "workspace/MapDocument.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace ravelock;
using testing_support::ReadAll;
using testing_support::WriteAll;

namespace {

const QByteArray kHeader = "; Ravelock Auto-Generated INI File\r\n"
                           "; Regions marked on a Targa texture, one MappedImage block each.\r\n"
                           "; Coordinates are pixels from the texture's top-left corner.\r\n"
                           "; Made with Ravelock, the texture region mapper.\r\n"
                           " \r\n";

Workspace WithHeader()
{
    Workspace ws;
    AddHeaderLines(ws);
    return ws;
}

void Add(Workspace& ws, const QString& name, int left, int top, int right, int bottom)
{
    ws.lngLeft = left;
    ws.lngTop = top;
    ws.lngRight = right;
    ws.lngBottom = bottom;
    AppendEntry(ws, name);
}

Workspace ThreeEntries()
{
    Workspace ws = WithHeader();
    ws.strTextureName = QStringLiteral("hud.tga");
    ws.lngImageWidth = 256 * 15;
    ws.lngImageHeight = 128 * 15;
    Add(ws, QStringLiteral("Button"), 10, 20, 74, 52);
    Add(ws, QStringLiteral("Door "), 0, 0, 5, 5);
    Add(ws, QStringLiteral("door"), -1, 2, 3, 4);
    return ws;
}

QByteArray Block(const char* name, const char* coords)
{
    return QByteArray("MappedImage ") + name + "\r\nTexture = hud.tga\r\nTextureWidth = 256\r\nTextureHeight = 128\r\n" +
           coords + "\r\nStatus = NONE\r\nEnd\r\n \r\n";
}

} // namespace

TEST(MapDocument, HeaderIsFiveLinesEndingInASingleBlank)
{
    const Workspace ws = WithHeader();
    ASSERT_EQ(ws.colLines.size(), 5);
    EXPECT_EQ(DocumentBytes(ws.colLines), kHeader);
    for (int i = 1; i < 4; ++i)
        EXPECT_TRUE(ws.colLines[i].startsWith("; "));
}

TEST(MapDocument, EntriesAreEightLineBlocksInEntryOrder)
{
    const Workspace ws = ThreeEntries();
    EXPECT_EQ(ws.colNames, (QStringList{"MappedImage Button", "MappedImage Door ", "MappedImage door"}));
    EXPECT_EQ(DocumentBytes(ws.colLines),
              kHeader + Block("Button", "Coords = Left:10 Top:20 Right:74 Bottom:52") +
                  Block("Door ", "Coords = Left:0 Top:0 Right:5 Bottom:5") +
                  Block("door", "Coords = Left:-1 Top:2 Right:3 Bottom:4"));
}

TEST(MapDocument, BlockWithoutATextureHasAnEmptyNameAndZeroSize)
{
    Workspace ws = WithHeader();
    Add(ws, QStringLiteral("X"), 0, 0, 0, 0);
    EXPECT_EQ(ws.colLines.mid(5, 4),
              (QStringList{"MappedImage X", "Texture = ", "TextureWidth = 0", "TextureHeight = 0"}));
}

TEST(MapDocument, RemovesTheChosenEntryAndOnlyIt)
{
    struct Case {
        int number;
        QStringList namesLeft;
    };
    for (const Case& c : {Case{1, {"MappedImage Door ", "MappedImage door"}},
                          Case{2, {"MappedImage Button", "MappedImage door"}},
                          Case{3, {"MappedImage Button", "MappedImage Door "}}}) {
        Workspace ws = ThreeEntries();
        const QStringList before = ws.colLines;
        ws.blnSaved = true;
        ws.lngRemoveNumber = c.number;
        RemoveEntry(ws);
        EXPECT_EQ(ws.colNames, c.namesLeft) << c.number;
        QStringList expected = before;
        expected.remove(5 + 8 * (c.number - 1), 8);
        EXPECT_EQ(ws.colLines, expected) << c.number;
        EXPECT_EQ(ws.lngRemoveNumber, c.number);
        EXPECT_TRUE(ws.blnSaved);
    }
}

TEST(MapDocument, RemovingTheOnlyEntryLeavesTheHeader)
{
    Workspace ws = WithHeader();
    Add(ws, QStringLiteral("Only"), 1, 2, 3, 4);
    ws.lngRemoveNumber = 1;
    RemoveEntry(ws);
    EXPECT_TRUE(ws.colNames.isEmpty());
    EXPECT_EQ(DocumentBytes(ws.colLines), kHeader);
}

TEST(MapDocument, ComparesOnlyBlockFirstLinesExactly)
{
    Workspace ws = WithHeader();
    Add(ws, QStringLiteral("End"), 1, 2, 3, 4);
    // A key that matches no block first line removes nothing.
    ws.colNames.append(QStringLiteral("End"));
    ws.lngRemoveNumber = 2;
    const QStringList before = ws.colLines;
    RemoveEntry(ws);
    EXPECT_EQ(ws.colLines, before);
    EXPECT_EQ(ws.colNames.size(), 2);
}

TEST(MapDocumentFile, WritesExactBytesAndReplacesALongerFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("map.ini");
    WriteAll(path, QByteArray(5000, 'x'));
    Workspace ws = ThreeEntries();
    ws.strIniPath = path;
    ws.blnSaved = false;
    ws.blnSaveFailed = true;
    ASSERT_EQ(WriteIniFile(ws), std::nullopt);
    EXPECT_EQ(ReadAll(path), DocumentBytes(ws.colLines));
    EXPECT_TRUE(ws.blnSaved);
    EXPECT_FALSE(ws.blnNoIniPath);
    EXPECT_FALSE(ws.blnSaveFailed);

    Workspace shorter = WithHeader();
    shorter.strIniPath = path;
    ASSERT_EQ(WriteIniFile(shorter), std::nullopt);
    EXPECT_EQ(ReadAll(path), kHeader);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"map.ini"});
}

TEST(MapDocumentFile, WritesNamesOutsideAsciiAsUtf8)
{
    QTemporaryDir dir;
    Workspace ws = WithHeader();
    ws.strIniPath = dir.filePath("map.ini");
    Add(ws, QString::fromUtf8("Tür"), 0, 0, 0, 0);
    ASSERT_EQ(WriteIniFile(ws), std::nullopt);
    EXPECT_TRUE(ReadAll(ws.strIniPath).contains("MappedImage T\xC3\xBCr\r\n"));
    EXPECT_FALSE(ReadAll(ws.strIniPath).startsWith("\xEF\xBB\xBF"));
}

TEST(MapDocumentFile, FailuresKeepTheEarlierFileAndTheFlagsAndReportTheReason)
{
    QTemporaryDir dir;
    const QString earlier = "earlier document\r\n";
    struct Case {
        const char* name;
        QString path;
        std::function<void()> arrange;
    };
    const QString lockedDir = dir.filePath("locked");
    QDir().mkpath(lockedDir);
    WriteAll(lockedDir + "/map.ini", earlier.toUtf8());
    std::unique_ptr<testing_support::ReadOnlyFolder> lock;
    const std::vector<Case> cases = {
        {"disk full", QStringLiteral("/dev/full"), nullptr},
        {"read-only folder", lockedDir + "/map.ini",
         [&] { lock = std::make_unique<testing_support::ReadOnlyFolder>(lockedDir); }},
        {"folder vanished", dir.filePath("gone/map.ini"), nullptr},
        {"target is a folder", dir.path(), nullptr},
        {"no name", QString(), nullptr},
    };
    for (const Case& c : cases) {
        if (c.arrange)
            c.arrange();
        Workspace ws = ThreeEntries();
        ws.strIniPath = c.path;
        ws.blnSaved = false;
        const auto failure = WriteIniFile(ws);
        ASSERT_TRUE(failure.has_value()) << c.name;
        EXPECT_FALSE(failure->isEmpty()) << c.name;
        EXPECT_FALSE(ws.blnSaved) << c.name;
        EXPECT_TRUE(ws.blnNoIniPath) << c.name;
        EXPECT_FALSE(ws.blnSaveFailed) << c.name;
    }
    ASSERT_TRUE(lock && lock->Ok()) << "could not make a folder read-only here";
    lock.reset();
    EXPECT_EQ(ReadAll(lockedDir + "/map.ini"), earlier.toUtf8());
    EXPECT_EQ(QDir(lockedDir).entryList(QDir::Files | QDir::Hidden), QStringList{"map.ini"});
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("gone")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"locked"});
}
