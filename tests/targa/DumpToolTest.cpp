#include "support/Tga.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

// The picture as the window paints it, over the background asked for, as a binary PPM.
TEST(DumpTool, WritesThePaintedPicture)
{
    const auto in = std::filesystem::temp_directory_path() / ("ravelock-dump-" + std::to_string(::getpid()));
    const std::vector<std::uint8_t> bytes = testing_support::Tga{
        .depth = 32, .width = 2, .descriptor = 8, .data = {0, 0, 255, 255, 0, 255, 0, 0}}.Bytes();
    std::ofstream(in, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    const std::string out = in.string() + ".ppm";
    EXPECT_EQ(std::system((RAVELOCK_DUMP_TOOL " " + in.string() + " " + out + " --background 808080").c_str()), 0);
    std::ifstream written(out, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}),
              std::string("P6\n2 1\n255\n\xFF\0\0\x80\x80\x80", 17));
    std::filesystem::remove(in);
    std::filesystem::remove(out);
}
