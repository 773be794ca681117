// Writes the fuzzer's seed corpus: small files of every type, depth and
// origin, like the fixtures the decoder tests build.
#include "TgaWriter.h"

#include <fstream>
#include <iostream>
#include <string>

using fuzzing::Tga;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: targa_fuzz_seeds FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    int written = 0;
    for (int type : {1, 2, 9, 10}) {
        const bool mapped = type == 1 || type == 9;
        for (int depth : {8, 16, 24, 32}) {
            if (mapped != (depth == 8))
                continue;
            for (int descriptor : {0x00, 0x08, 0x10, 0x20, 0x28, 0x30}) {
                for (int entrySize : mapped ? std::initializer_list<int>{15, 24, 32} : std::initializer_list<int>{0}) {
                    Tga b{.type = type, .depth = depth, .width = 5, .height = 3, .descriptor = descriptor, .id = {'x'}};
                    if (mapped) {
                        b.mapType = 1;
                        b.mapFirst = 1;
                        b.mapLength = 3;
                        b.mapEntrySize = entrySize;
                        b.map.assign(static_cast<std::size_t>(3 * ((entrySize + 7) / 8)), 0x5A);
                    }
                    const int bytes = depth / 8;
                    for (int p = 0; p < 15; ++p) {
                        if ((type == 9 || type == 10) && p % 5 == 0)
                            b.data.push_back(p % 10 == 0 ? 0x84 : 0x04);
                        for (int i = 0; i < bytes; ++i)
                            b.data.push_back(mapped ? 1 + p % 3 : (p * 17 + i) & 255);
                    }
                    const std::string name = folder + "/seed-" + std::to_string(written++) + ".tga";
                    const auto bytesOut = b.Bytes();
                    std::ofstream(name, std::ios::binary)
                        .write(reinterpret_cast<const char*>(bytesOut.data()),
                               static_cast<std::streamsize>(bytesOut.size()));
                }
            }
        }
    }
    std::cout << written << " seeds written to " << folder << "\n";
    return 0;
}
