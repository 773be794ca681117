// Feeds arbitrary bytes to the decoder through an in-memory file. Any paint
// outside the announced image, or more than one message, is a crash.
#include "BoundsCheckingPainter.h"
#include "targa/LoadTarga.h"

#include <cstdio>
#include <cstdlib>

namespace {

class CountingReporter final : public targa::ErrorReporter {
public:
    void ShowError(const std::string&, const std::string&) override { ++shown; }
    int shown = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzing::BoundsCheckingPainter painter;
    CountingReporter reporter;
    std::int32_t height = 0;
    std::int32_t width = 0;
    targa::LoadTarga({data, size}, painter, height, width, reporter);
    if (!painter.Violation().empty() || reporter.shown > 1) {
        std::fprintf(stderr, "violation: %s, %d messages\n", painter.Violation().c_str(), reporter.shown);
        std::abort();
    }
    return 0;
}
