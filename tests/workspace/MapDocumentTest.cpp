#include "workspace/MapDocument.h"
#include "support/Files.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QTemporaryDir>

#ifndef _WIN32
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace ravelock;
using testing_support::DocumentWith;
using testing_support::ReadAll;

namespace {

// Entries on ui.tga, 512 x 256, each at Left: the length of its name, Bottom: -1.
Workspace WithEntries(const QStringList& names)
{
    Workspace ws{.imageHeight = 256, .imageWidth = 512, .textureName = "ui.tga"};
    ws.history.Restart(false);
    for (const QString& name : names)
        ws.entries.push_back({name, static_cast<std::int32_t>(name.size()), 0, 0, -1});
    return ws;
}

QByteArray Block(const QByteArray& name, int left)
{
    return "MappedImage " + name +
           "\r\nTexture = ui.tga\r\nTextureWidth = 512\r\nTextureHeight = 256\r\nCoords = Left:" +
           QByteArray::number(left) + " Top:0 Right:0 Bottom:-1\r\nStatus = NONE\r\nEnd\r\n \r\n";
}

} // namespace

TEST(MapDocumentFile, WritesTheExactBytesOrSaysWhyNot)
{
    QTemporaryDir dir;
    Workspace ws = WithEntries({"Button", QString::fromUtf8("Tür")});
    const QString path = dir.filePath("map.ini");
    testing_support::WriteAll(path, QByteArray(5000, 'x'));
    ASSERT_EQ(WriteIniFile(ws, path), std::nullopt);
    EXPECT_EQ(ReadAll(path), DocumentWith(Block("Button", 6) + Block("T\xC3\xBCr", 3)));
    EXPECT_TRUE(ws.Saved());
    EXPECT_EQ(ws.mapPath, path);

    QDir().mkpath(dir.filePath("folder"));
    const std::pair<QString, QString> failures[] = {
#ifndef _WIN32 // a disk that is always full
        {"/dev/full", "No space left on device"},
#endif
        {dir.filePath("gone/map.ini"), testing_support::NoSuchFolder()},
        {dir.filePath("folder"), "It is a folder, not a file"}};
    for (const auto& [path, reason] : failures) {
        Workspace failing = WithEntries({"A"});
        const auto failure = WriteIniFile(failing, path);
        EXPECT_TRUE(failure && failure->contains(reason))
            << path.toStdString() << ": " << failure.value_or("none").toStdString();
        EXPECT_FALSE(failing.Saved());
        EXPECT_EQ(failing.mapPath, QString());
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"folder", "map.ini"}));
}

#ifndef _WIN32 // POSIX processes and permissions
// Root ignores permission bits, so these save as `nobody`, in a child process.
TEST(MapDocumentFile, WritesInPlaceInALockedFolder)
{
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || !nobody)
        GTEST_SKIP() << "needs root to prepare files of another user, and a user 'nobody' to save as";
    QTemporaryDir dir;
    const auto prepare = [&](const char* name, uid_t owner, mode_t mode) {
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        QDir().mkpath(QFileInfo(dir.filePath(name)).path());
        testing_support::WriteAll(dir.filePath(name), "earlier\r\n");
        return ::chown(path, owner, 0) == 0 && ::chmod(path, mode) == 0;
    };
    // Root's folder, where nobody may not add files; a sticky folder, where nobody may not replace root's files.
    ASSERT_TRUE(prepare("locked/own.ini", nobody->pw_uid, 0644) && prepare("locked/theirs.ini", 0, 0644) &&
                prepare("sticky/shared.ini", 0, 0666) &&
                ::chmod(QFile::encodeName(dir.filePath("sticky")), 01777) == 0 &&
                ::chmod(QFile::encodeName(dir.path()), 0755) == 0);
    const std::pair<const char*, QByteArray> cases[] = {{"locked/own.ini", DocumentWith()},
                                                        {"sticky/shared.ini", DocumentWith()},
                                                        {"locked/theirs.ini", "earlier\r\n"},
                                                        {"locked/new.ini", "<missing>"}};
    for (const auto& [name, after] : cases) {
        if (::fork() == 0) {
            Workspace ws;
            ::_exit(::setgroups(0, nullptr) || ::setgid(nobody->pw_gid) || ::setuid(nobody->pw_uid) ||
                    WriteIniFile(ws, dir.filePath(name)));
        }
        int status = 0;
        ::wait(&status);
        EXPECT_EQ(WEXITSTATUS(status), after == DocumentWith() ? 0 : 1) << name;
        EXPECT_EQ(ReadAll(dir.filePath(name)), after) << name;
    }
    EXPECT_EQ(QDir(dir.filePath("locked")).entryList(QDir::Files | QDir::Hidden).size(), 2) << "nothing left behind";
}
#endif

// What it writes reads back; anything else is refused at its line.
TEST(MapDocumentFile, ReadsBackOnlyWhatItWrites)
{
    Workspace ws = WithEntries({});
    ws.entries = {{"Button", 0, 1, 512, 256}, {QString::fromUtf8("Tür"), 9, 8, 7, 6}};
    const QByteArray written = ws.Lines().join("\r\n").toUtf8() + "\r\n";
    EXPECT_EQ(std::get<std::vector<Entry>>(ReadMap(written, ws.Header())), ws.entries);
    EXPECT_EQ(std::get<std::vector<Entry>>(ReadMap(DocumentWith(), ws.Header())).size(), 0u);

    const std::tuple<QByteArray, QByteArray, int> refused[] = {
        {"Texture = ui.tga", "Texture = other.tga", 7},
        {"TextureHeight = 256", "TextureHeight = 255", 9},
        {"Status = NONE\r\n", "", 11},
        {"NONE\r\nEnd", "End\r\nNONE", 11},
        {"Top:1", "Top:1.5", 10},
        {"MappedImage Button", "MappedImag Button", 6},
        {"MappedImage Button", "MappedImage ", 6},
    };
    for (const auto& [from, to, line] : refused) {
        const auto refusal = ReadMap(QByteArray(written).replace(from, to), ws.Header());
        const auto* refused = std::get_if<MapRefusal>(&refusal);
        EXPECT_EQ(refused ? refused->line : 0, line) << to.data();
    }
    for (const QByteArray& cut : {QByteArray(), written.left(written.indexOf("Coords"))})
        EXPECT_TRUE(std::holds_alternative<MapRefusal>(ReadMap(cut, ws.Header())));
}
