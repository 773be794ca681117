#pragma once

#include "targa/SurfacePainter.h"
#include "targa/TargaModule.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// Paints onto a surface like the program does and keeps a log of the calls.
class RecordingPainter : public targa::SurfacePainter {
public:
    using SurfacePainter::SurfacePainter;

    void PaintPixel(int x, int y, targa::Colour colour) override
    {
        log.push_back("pixel " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(colour));
        SurfacePainter::PaintPixel(x, y, colour);
    }
    void PaintRun(int x, int y, int count, targa::Colour colour) override
    {
        log.push_back("run " + std::to_string(x) + "," + std::to_string(y) + " x" + std::to_string(count) + " " +
                      std::to_string(colour));
        SurfacePainter::PaintRun(x, y, count, colour);
    }
    void BlendPixel(int x, int y, int r, int g, int b, int a) override
    {
        log.push_back("blend " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(r) + " " +
                      std::to_string(g) + " " + std::to_string(b) + " " + std::to_string(a));
        SurfacePainter::BlendPixel(x, y, r, g, b, a);
    }
    // Row operations are logged as the single operations they stand for.
    void PaintPixels(int x, int y, const targa::Colour* colours, int count) override
    {
        PaintTarget::PaintPixels(x, y, colours, count);
    }
    void BlendPixels(int x, int y, const targa::Colour* colours, const std::uint8_t* alphas, int count) override
    {
        PaintTarget::BlendPixels(x, y, colours, alphas, count);
    }
    void BlendRun(int x, int y, int count, targa::Colour colour, int alpha) override
    {
        PaintTarget::BlendRun(x, y, count, colour, alpha);
    }
    void Refresh() override { log.push_back("refresh"); }
    bool YieldToEvents() override
    {
        log.push_back("yield");
        return ++yields != stopAtYield;
    }

    std::vector<std::string> log;
    int yields = 0;
    int stopAtYield = -1;
};

class MessageList : public targa::ErrorReporter {
public:
    void ShowError(const std::string& title, const std::string& text) override
    {
        titles.push_back(title);
        texts.push_back(text);
    }
    std::vector<std::string> titles;
    std::vector<std::string> texts;
};

struct Decoded {
    targa::PixelSurface surface;
    std::vector<std::string> log;
    std::vector<std::string> messages;
    std::int32_t height = -999;
    std::int32_t width = -999;
};

inline Decoded DecodeBytes(const std::vector<std::uint8_t>& bytes, targa::Colour background = 0, int stopAtYield = -1)
{
    Decoded result;
    result.surface.Reset(0, 0, background);
    RecordingPainter painter(result.surface);
    painter.stopAtYield = stopAtYield;
    MessageList messages;
    targa::MemorySource source(bytes);
    targa::LoadTarga(source, painter, result.height, result.width, messages);
    for (const auto& title : messages.titles)
        if (title != "Error")
            result.messages.push_back("wrong title: " + title);
    result.messages.insert(result.messages.end(), messages.texts.begin(), messages.texts.end());
    result.log = std::move(painter.log);
    return result;
}

} // namespace testing_support
