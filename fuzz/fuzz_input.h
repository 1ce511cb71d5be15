// Shared by the plotting fuzz targets: numbers taken from the fuzzer's bytes, and the checks on
// what reached the recording device.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "plotter.h"
#include "recorder.h"

namespace fuzz {

// Reads numbers from the input; past its end everything is 0.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte() { return position_ < size_ ? data_[position_++] : 0; }

    std::uint32_t bits() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value |= static_cast<std::uint32_t>(byte()) << (8 * i);
        }
        return value;
    }

    // A tag byte: below 0x40 one of the values that break arithmetic (or plain small ones),
    // otherwise the next four bytes as a float's bit pattern (any NaN or infinity included).
    float real() {
        static const float kSpecial[] = {
            0.0F,     -0.0F,     1.0F,     -1.0F,      0.5F,     2.0F,       10.0F,     -10.0F,
            100.0F,   0.1F,      0.01F,    0.001F,     1.0e-6F,  1.0e6F,     1.0e4F,    -1.0e4F,
            1.0e10F,  -1.0e10F,  1.0e20F,  1.0e-20F,   1.0e37F,  -1.0e37F,   1.0e38F,   FLT_MAX,
            -FLT_MAX, FLT_MIN,   1.0e-45F, -1.0e-45F,  NAN,      -NAN,       INFINITY,  -INFINITY,
            999.0F,   3.0F,      7.0F,     90.0F,      45.0F,    180.0F,     -90.0F,    360.0F,
            0.4F,     0.3F,      0.2F,     5.0F,       20.0F,    1000.0F,    123456.0F, 1234567.0F,
            16777216.0F, 16777217.0F, 2147483648.0F, -2147483648.0F, 1.0e-3F, 9.99999F, 999999.7F, 0.05F,
            1.0e5F,   -1.0e5F,   1.0e8F,   -1.0e8F,    0.0001F,  -0.0001F,   3.4e38F,   -3.4e38F,
        };
        static_assert(sizeof kSpecial / sizeof kSpecial[0] == 64);
        const std::uint8_t tag = byte();
        if (tag < 0x40) {
            return kSpecial[tag];
        }
        const std::uint32_t b = bits();
        float value = 0.0F;
        std::memcpy(&value, &b, sizeof value);
        return value;
    }

    // Any int, small ones most of the time.
    int integer() {
        const std::uint8_t tag = byte();
        if (tag < 0xF0) {
            return static_cast<int>(tag) - 0x78;
        }
        return static_cast<int>(bits());
    }

    // Up to MAX bytes of text into BUFFER; returns the count.
    int text(char* buffer, int max) {
        int length = byte() % (max + 1);
        for (int i = 0; i < length; ++i) {
            buffer[i] = static_cast<char>(byte());
        }
        return length;
    }

    // The bytes not read yet; the input counts as read afterwards.
    std::size_t rest(const std::uint8_t*& start) {
        start = data_ + (position_ < size_ ? position_ : size_);
        const std::size_t count = position_ < size_ ? size_ - position_ : 0;
        position_ = size_;
        return count;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

[[noreturn]] inline void finding(const char* target, const char* what) {
    std::fprintf(stderr, "%s fuzz: %s\n", target, what);
    std::abort();
}

// The plotter's documented cut-off: nothing farther than this from the origin reaches a device.
inline constexpr float kCutOff = 1.0e4F;

inline bool usable(float v) { return std::isfinite(v) && std::fabs(v) <= kCutOff; }

// Every coordinate, size and angle the recording device received is finite, and coordinates and
// sizes are within the cut-off.
inline void check_primitives(const char* target) {
    for (const plotter::Primitive& p : plotter::recorder_primitives()) {
        if (p.x.size() != p.y.size()) {
            finding(target, "primitive with unequal coordinate lists");
        }
        for (std::size_t i = 0; i < p.x.size(); ++i) {
            if (!usable(p.x[i]) || !usable(p.y[i])) {
                std::fprintf(stderr, "primitive kind %d point %zu of %zu: (%.9g, %.9g)\n", static_cast<int>(p.kind), i,
                             p.x.size(), static_cast<double>(p.x[i]), static_cast<double>(p.y[i]));
                finding(target, "device got a non-finite or cut-off coordinate");
            }
        }
        if (p.kind == plotter::Primitive::Kind::Polyline && p.x.size() < 2) {
            finding(target, "polyline of fewer than two points");
        }
        if (p.kind == plotter::Primitive::Kind::Glyph &&
            (!(p.size > 0.0F) || !usable(p.size) || !std::isfinite(p.angle))) {
            finding(target, "glyph with a bad size or angle");
        }
    }
}

// Starts the recorder with an open 20 x 10 cm page on the in-memory device.
inline void open_page() {
    plotter::recorder_start();
    const int unit = 1;
    const int mode = 0;
    const float width = 20.0F;
    const float height = 10.0F;
    PLOTS(unit, mode, width, height);
}

}  // namespace fuzz
