// readpairs [FILE]: prints how the data-file reader takes FILE (default plot.out): the number of
// pairs, then per pair the IEEE bits of x and y in hexadecimal and their values.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "fatal.h"

namespace {

std::uint32_t bits_of(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: readpairs [FILE]\n");
        return 2;
    }
    driver::install_signal_handlers();
    const char* file_name = argc == 2 ? argv[1] : "plot.out";

    std::vector<std::pair<float, float>> pairs;
    driver::read_pairs_or_die(file_name, [&pairs](float x, float y) { pairs.emplace_back(x, y); });

    std::printf("%zu\n", pairs.size());
    for (const auto& [x, y] : pairs) {
        std::printf("%08X %08X %.9g %.9g\n", static_cast<unsigned>(bits_of(x)), static_cast<unsigned>(bits_of(y)),
                    static_cast<double>(x), static_cast<double>(y));
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fprintf(stderr, "readpairs: cannot write the pairs: %s\n", std::strerror(errno));
        return 1;
    }
    return 0;
}
