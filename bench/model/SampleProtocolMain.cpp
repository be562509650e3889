// Writes a generated protocol file for the whole-process benchmarks:
//   bench_sample_protocol COMMANDS repeating|unique OUT
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "SampleProtocol.h"

int main(int argc, char** argv) {
    if (argc != 4 ||
        (std::strcmp(argv[2], "repeating") != 0 && std::strcmp(argv[2], "unique") != 0)) {
        std::fprintf(stderr, "usage: bench_sample_protocol COMMANDS repeating|unique OUT\n");
        return 2;
    }
    int commands = std::atoi(argv[1]);
    auto kind = std::strcmp(argv[2], "unique") == 0 ? SampleProtocol::Params::Unique
                                                    : SampleProtocol::Params::Repeating;
    std::string text = SampleProtocol::Text(commands, kind);
    std::FILE* out = std::fopen(argv[3], "wb");
    if (out == nullptr || std::fwrite(text.data(), 1, text.size(), out) != text.size() ||
        std::fclose(out) != 0) {
        std::perror(argv[3]);
        return 1;
    }
    return 0;
}
