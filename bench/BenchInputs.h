#pragma once

#include <string>
#include <vector>

namespace bench {

struct Variant {
    std::string name; // e.g. "t10_d32_bl"
    int type;
    int depth;
    bool topLeft;
};

const std::vector<Variant>& Variants();
constexpr int kSize = 4096;

// Writes the input of each variant into `folder` once; returns its path.
std::string InputFor(const Variant& variant, const std::string& folder);

} // namespace bench
