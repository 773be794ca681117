#include "support/Tga.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

std::string Slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<none>";
}

} // namespace

// The tool's exit code, what it wrote ("<none>" for nothing) and what it said.
TEST(DumpTool, WritesThePictureOrSaysWhy)
{
    const auto dir = std::filesystem::temp_directory_path() / ("ravelock-dump-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string in = (dir / "in.tga").string(), out = (dir / "out.ppm").string(), said = (dir / "said").string();
    const auto dump = [&](const std::vector<std::uint8_t>& bytes, const std::string& to,
                          const std::string& options = "") {
        std::ofstream(in, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        std::filesystem::remove(out);
        const std::string command = std::string(RAVELOCK_DUMP_TOOL) + " " + in + " " + to + options + " 2>" + said;
        const int status = std::system(command.c_str());
        return std::tuple(WEXITSTATUS(status), Slurp(out), Slurp(said));
    };
    using testing_support::Tga;
    const Tga file{.depth = 32, .width = 2, .descriptor = 8, .data = {0, 0, 255, 255, 0, 255, 0, 0}};
    const std::string lead = "ravelock-tga-dump: " + in + ": ", ppm = "P6\n2 1\n255\n";
    EXPECT_EQ(dump(file.Bytes(), out), std::tuple(0, ppm + std::string("\xFE\0\0\0\0\0", 6), ""));
    EXPECT_EQ(dump(file.Bytes(), out, " --background 808080"),
              std::tuple(0, ppm + std::string("\xFF\0\0\x80\x80\x80", 6), ""));
    EXPECT_EQ(dump(Tga{.type = 3}.Bytes(), out), std::tuple(1, "<none>", lead + "This image type is not supported.\n"));
    EXPECT_EQ(std::get<2>(dump({}, out)),
              lead + "There was an error reading the file: the file is too short to be a Targa image\n");
    std::filesystem::remove_all(dir);
}
