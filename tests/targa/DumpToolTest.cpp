#include "support/Tga.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

// The tool's exit code and what it wrote ("<none>" for nothing).
TEST(DumpTool, WritesThePaintedPictureAndSaysWhenItCannot)
{
    const auto dir = std::filesystem::temp_directory_path() / ("ravelock-dump-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto dump = [&](const testing_support::Tga& file, const std::string& out, const std::string& options = "") {
        const std::vector<std::uint8_t> bytes = file.Bytes();
        std::ofstream(dir / "in.tga", std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        std::filesystem::remove(dir / "out.ppm");
        const int status = std::system((std::string(RAVELOCK_DUMP_TOOL) + " " + (dir / "in.tga").string() + " " + out + options +
                                        " 2>/dev/null").c_str());
        std::ifstream result(dir / "out.ppm", std::ios::binary);
        return std::pair(WEXITSTATUS(status), result ? std::string(std::istreambuf_iterator<char>(result), {}) : "<none>");
    };
    const std::string out = (dir / "out.ppm").string();
    testing_support::Tga file{.depth = 32, .width = 2, .descriptor = 8, .data = {0, 0, 255, 255, 0, 255, 0, 0}};
    EXPECT_EQ(dump(file, out), std::pair(0, "P6\n2 1\n255\n" + std::string("\xFE\x00\x00\x00\x00\x00", 6)));
    EXPECT_EQ(dump(file, out, " --background 808080"), std::pair(0, "P6\n2 1\n255\n" + std::string("\xFF\x00\x00\x80\x80\x80", 6)));
    EXPECT_EQ(std::pair(dump(file, "/dev/full").first, dump(file, out, " --background nothex").first), std::pair(2, 2));
    file.type = 3;
    EXPECT_EQ(dump(file, out), std::pair(1, std::string("<none>")));
    std::filesystem::remove_all(dir);
}
