#include "support/Tga.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

// The exit code and what was written ("<none>" for nothing).
std::pair<int, std::string> Dump(const std::vector<std::uint8_t>& tga, const std::string& args = "")
{
    const fs::path dir = fs::temp_directory_path() / ("ravelock-dump-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "in.tga", std::ios::binary)
        .write(reinterpret_cast<const char*>(tga.data()), static_cast<std::streamsize>(tga.size()));
    const std::string out = args.empty() ? (dir / "out.ppm").string() : args;
    const int status = std::system((std::string(RAVELOCK_DUMP_TOOL) + " " + (dir / "in.tga").string() + " " + out +
                                    " 2>/dev/null").c_str());
    std::ifstream result(dir / "out.ppm", std::ios::binary);
    std::pair run{WEXITSTATUS(status), result ? std::string(std::istreambuf_iterator<char>(result), {}) : "<none>"};
    fs::remove_all(dir);
    return run;
}

} // namespace

TEST(DumpTool, WritesThePaintedPictureAndSaysWhenItCannot)
{
    testing_support::Tga file{.depth = 32, .width = 2, .descriptor = 8, .data = {0, 0, 255, 255, 0, 255, 0, 0}};
    const std::string header = "P6\n2 1\n255\n";
    const fs::path out = fs::temp_directory_path() / ("ravelock-dump-" + std::to_string(::getpid())) / "out.ppm";

    EXPECT_EQ(Dump(file.Bytes()), std::pair(0, header + std::string("\xFE\x00\x00\x00\x00\x00", 6)));
    EXPECT_EQ(Dump(file.Bytes(), out.string() + " --background 808080"),
              std::pair(0, header + std::string("\xFF\x00\x00\x80\x80\x80", 6)));
    EXPECT_EQ(Dump(file.Bytes(), "/dev/full").first, 2);
    EXPECT_EQ(Dump(file.Bytes(), out.string() + " --background nothex").first, 2);
    file.type = 3;
    EXPECT_EQ(Dump(file.Bytes()), std::pair(1, std::string("<none>")));
}
