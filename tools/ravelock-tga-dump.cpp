// Decodes a Targa file exactly as the main window paints it and writes the
// picture as a binary PPM, so that a texture can be checked without the GUI.
#include "targa/LoadTarga.h"
#include "targa/PixelSurface.h"
#include "targa/SurfacePainter.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace {

// One line a message, "ravelock-tga-dump: FILE: text", its line breaks folded.
void Say(const std::string& file, const std::string& text)
{
    std::string line;
    for (char c : text)
        if (c != '\r')
            line += c == '\n' ? ' ' : c;
    std::cerr << "ravelock-tga-dump: " << file << ": " << line << '\n';
}

int Usage()
{
    std::cerr << "usage: ravelock-tga-dump INPUT.tga OUTPUT.ppm [--background RRGGBB]\n";
    return 2;
}

bool ParseBackground(const std::string& text, targa::Colour& colour)
{
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return false;
    const unsigned long rgb = std::stoul(text, nullptr, 16);
    colour =
        targa::MakeColour(static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 255), static_cast<int>(rgb & 255));
    return true;
}

bool WritePpm(const std::string& path, const targa::PixelSurface& surface, int width, int height)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    bool written = std::fprintf(out, "P6\n%d %d\n255\n", width, height) > 0;
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3), background(row.size());
    for (std::size_t i = 0; i < background.size(); i += 3) {
        const targa::Colour c = surface.Background();
        background[i] = static_cast<unsigned char>(targa::RedOf(c));
        background[i + 1] = static_cast<unsigned char>(targa::GreenOf(c));
        background[i + 2] = static_cast<unsigned char>(targa::BlueOf(c));
    }
    for (int y = 0; y < height; ++y) {
        // A file that claims a huge picture and paints little ends quickly.
        if (!surface.Band(y / targa::PixelSurface::kBandRows)) {
            written = written && std::fwrite(background.data(), 1, background.size(), out) == background.size();
            continue;
        }
        for (int x = 0; x < width; ++x) {
            targa::Colour c = surface.GetPixel(x, y);
            if (c == targa::PixelSurface::kInvalidColour)
                c = surface.Background();
            row[static_cast<std::size_t>(x) * 3] = static_cast<unsigned char>(targa::RedOf(c));
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<unsigned char>(targa::GreenOf(c));
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<unsigned char>(targa::BlueOf(c));
        }
        written = written && std::fwrite(row.data(), 1, row.size(), out) == row.size();
    }
    return std::fclose(out) == 0 && written;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    targa::Colour background = 0;
    if (args.size() == 4 && args[2] == "--background") {
        if (!ParseBackground(args[3], background))
            return Usage();
        args.resize(2);
    }
    if (args.size() != 2)
        return Usage();

    targa::PixelSurface surface(0, 0, background);
    targa::SurfacePainter painter(surface);
    const targa::LoadResult loaded = targa::LoadTarga(args[0], painter);
    if (loaded.message)
        Say(args[0], *loaded.message);
    // A refused file painted nothing: there is no picture to write.
    if (surface.Width() == 0)
        return 1;
    if (!WritePpm(args[1], surface, loaded.width, loaded.height)) {
        Say(args[1], std::strerror(errno));
        return 3;
    }
    return loaded.message ? 1 : 0;
}
