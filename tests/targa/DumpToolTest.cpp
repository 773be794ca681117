#include "support/TgaBuilder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

struct DumpRun {
    int exitCode;
    std::string ppm;
};

DumpRun Dump(const std::vector<std::uint8_t>& tga, const std::string& extra = "")
{
    const fs::path dir = fs::temp_directory_path() / ("ravelock-dump-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path in = dir / "in.tga";
    const fs::path out = dir / "out.ppm";
    fs::remove(out);
    std::ofstream(in, std::ios::binary).write(reinterpret_cast<const char*>(tga.data()),
                                              static_cast<std::streamsize>(tga.size()));
    const std::string command = std::string(RAVELOCK_DUMP_TOOL) + " " + in.string() + " " + out.string() + " " +
                                extra + " 2>/dev/null";
    const int status = std::system(command.c_str());
    std::ifstream result(out, std::ios::binary);
    DumpRun run{WEXITSTATUS(status), std::string(std::istreambuf_iterator<char>(result), {})};
    fs::remove_all(dir);
    return run;
}

} // namespace

TEST(DumpTool, WritesThePaintedSurfaceAsPpmAndExitsBySuccess)
{
    testing_support::TgaBuilder file;
    file.width = 2;
    file.height = 1;
    file.depth = 32;
    file.descriptor = 8;
    file.Data({0, 0, 255, 255, 0, 255, 0, 0});
    const std::string header = "P6\n2 1\n255\n";

    const DumpRun plain = Dump(file.Bytes());
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_EQ(plain.ppm, header + std::string("\xFE\x00\x00\x00\x00\x00", 6));

    const DumpRun onGrey = Dump(file.Bytes(), "--background 808080");
    EXPECT_EQ(onGrey.ppm, header + std::string("\xFF\x00\x00\x80\x80\x80", 6));

    file.imageType = 3;
    const DumpRun refused = Dump(file.Bytes());
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.ppm, header + std::string(6, '\0'));

    EXPECT_EQ(Dump(file.Bytes(), "--background nothex").exitCode, 2);
}
