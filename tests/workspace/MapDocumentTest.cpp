#include "support/Files.h"
#include "support/ScriptedDialogs.h"
#include "workspace/MapDocument.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ravelock;
using testing_support::DocumentWith;
using testing_support::ReadAll;
using testing_support::WriteAll;

namespace {

Workspace WithEntries(const QStringList& names)
{
    Workspace ws;
    AddHeaderLines(ws);
    ws.strTextureName = "ui.tga";
    ws.lngImageWidth = 512 * 15;
    ws.lngImageHeight = 256 * 15;
    for (const QString& name : names) {
        ws.lngLeft = static_cast<std::int32_t>(name.size());
        ws.lngBottom = -1;
        AppendEntry(ws, name);
    }
    return ws;
}

QByteArray Block(const QByteArray& name, int left)
{
    return "MappedImage " + name + "\r\nTexture = ui.tga\r\nTextureWidth = 512\r\nTextureHeight = 256\r\nCoords = Left:" +
           QByteArray::number(left) + " Top:0 Right:0 Bottom:-1\r\nStatus = NONE\r\nEnd\r\n \r\n";
}

} // namespace

TEST(MapDocument, RemovesTheChosenEntryAndMarksTheDocumentUnsaved)
{
    struct Case {
        QStringList names;
        int remove;
        QStringList left;
    };
    for (const Case& c : {Case{{"A", "BB", "CCC"}, 1, {"BB", "CCC"}}, Case{{"A", "BB", "CCC"}, 2, {"A", "CCC"}},
                          Case{{"A"}, 1, {}}, Case{{"A", "BB"}, 0, {"A", "BB"}}}) {
        Workspace ws = WithEntries(c.names);
        ws.blnSaved = true;
        ws.lngRemoveNumber = c.remove;
        EXPECT_EQ(RemoveEntry(ws), c.remove != 0);
        EXPECT_EQ(ws.blnSaved, c.remove == 0);
        const Workspace expected = WithEntries(c.left);
        EXPECT_EQ(ws.colLines, expected.colLines) << c.remove;
        EXPECT_EQ(ws.colNames, expected.colNames) << c.remove;
    }
}

TEST(MapDocument, PrintsSizesInTheShortestFormThatReadsBack)
{
    Workspace ws = WithEntries({});
    for (auto [twips, text] : {std::pair{7680, "512"}, {0, "0"}, {8, "0.5333333333333333"}, {22, "1.4666666666666666"}}) {
        ws.lngImageWidth = twips;
        EXPECT_EQ(EntryBlock(ws, "A").at(2), QString("TextureWidth = ") + text);
    }
}

TEST(MapDocumentFile, WritesTheExactBytesAndReplacesTheWholeFile)
{
    QTemporaryDir dir;
    Workspace ws = WithEntries({"Button", QString::fromUtf8("Tür")});
    ws.strIniPath = dir.filePath("map.ini");
    ws.blnSaved = false;
    ws.blnSaveFailed = true;
    WriteAll(ws.strIniPath, QByteArray(5000, 'x'));
    ASSERT_EQ(WriteIniFile(ws), std::nullopt);
    EXPECT_EQ(ReadAll(ws.strIniPath), DocumentWith(Block("Button", 6) + Block("T\xC3\xBCr", 3)));
    EXPECT_EQ(std::tuple(ws.blnSaved, ws.blnNoIniPath, ws.blnSaveFailed), std::tuple(true, false, false));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"map.ini"});
}

TEST(MapDocumentFile, FailuresSayWhyAndKeepTheEarlierFileAndTheDocumentUnsaved)
{
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("folder"));
    const std::pair<QString, QString> cases[] = {
        {"/dev/full", "No space left on device"},
        {dir.filePath("gone/map.ini"), "No such file or directory"},
        {dir.filePath("folder"), "It is a folder, not a file"},
        {QString(), "No file name was given"},
    };
    for (const auto& [path, reason] : cases) {
        Workspace ws = WithEntries({"A"});
        ws.strIniPath = path;
        ws.blnSaved = false;
        const auto failure = WriteIniFile(ws);
        EXPECT_TRUE(failure && failure->contains(reason)) << path.toStdString() << ": " << failure.value_or("none").toStdString();
        EXPECT_EQ(std::tuple(ws.blnSaved, ws.blnNoIniPath, ws.blnSaveFailed), std::tuple(false, true, false));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"folder"});
}

// Root ignores permission bits, so these run the save as `nobody`, through
// a small program that writes a document with the real code.
TEST(MapDocumentFile, WritesInPlaceWhereTheFolderRefusesANewFileButTheFileMayBeWritten)
{
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || !nobody)
        GTEST_SKIP() << "needs root to prepare files of another user, and a user 'nobody' to save as";
    QTemporaryDir dir;
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    const QString probe = dir.filePath("save-probe");
    ASSERT_TRUE(QFile::copy(RAVELOCK_SAVE_PROBE, probe));
    const auto prepare = [&](const QString& path, uid_t owner, mode_t mode) {
        WriteAll(path, "earlier\r\n");
        ::chown(QFile::encodeName(path).constData(), owner, 0);
        ::chmod(QFile::encodeName(path).constData(), mode);
    };
    QDir().mkpath(dir.filePath("locked"));   // root's, 0755: nobody may not add files
    QDir().mkpath(dir.filePath("sticky"));   // 1777: nobody may not replace root's files
    ::chmod(QFile::encodeName(dir.filePath("sticky")).constData(), 01777);
    prepare(dir.filePath("locked/own.ini"), nobody->pw_uid, 0644);
    prepare(dir.filePath("locked/theirs.ini"), 0, 0644);
    prepare(dir.filePath("sticky/shared.ini"), 0, 0666);
    struct Case {
        const char* name;
        QString result; // what the probe prints
        QByteArray after;
    };
    const Case cases[] = {
        {"locked/own.ini", "saved", DocumentWith()},
        {"sticky/shared.ini", "saved", DocumentWith()},
        {"locked/theirs.ini", "is not writable", "earlier\r\n"},
        {"locked/new.ini", "Permission denied", "<missing>"},
    };
    for (const Case& c : cases) {
        QProcess run;
        run.start("setpriv", {"--reuid=" + QString::number(nobody->pw_uid), "--regid=" + QString::number(nobody->pw_gid),
                              "--clear-groups", probe, dir.filePath(c.name)});
        ASSERT_TRUE(run.waitForFinished(10000)) << c.name;
        EXPECT_TRUE(QString::fromLocal8Bit(run.readAllStandardOutput()).contains(c.result))
            << c.name << ": " << run.readAllStandardError().toStdString();
        EXPECT_EQ(ReadAll(dir.filePath(c.name)), c.after) << c.name;
    }
    EXPECT_EQ(QDir(dir.filePath("locked")).entryList(QDir::Files | QDir::Hidden), QStringList({"own.ini", "theirs.ini"}));
    EXPECT_EQ(QDir(dir.filePath("sticky")).entryList(QDir::Files | QDir::Hidden), QStringList{"shared.ini"});
}
