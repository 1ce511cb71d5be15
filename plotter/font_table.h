// Internal: the metrics of the text face (DejaVu Sans) as layout uses them, generated from the font
// by scripts/font_table.py into font_table.cpp.
#pragma once

#include <cstdint>

namespace plotter {

inline constexpr int kFaceUnitsPerEm = 2048;
// The height of the capital H in font units: layout sizes are cap heights.
inline constexpr int kFaceCapHeightUnits = 1493;

// The code points FIRST..LAST are mapped; their advances start at kFaceAdvances[OFFSET].
struct FaceRange {
    std::uint32_t first;
    std::uint32_t last;
    std::uint32_t offset;
};

// Drawing SECOND after FIRST moves it by DELTA font units along the base line.
struct KernPair {
    std::uint32_t first;
    std::uint32_t second;
    std::int16_t delta;
};

// Sorted by FIRST; the advances in font units; the kerned pairs sorted by (FIRST, SECOND).
extern const FaceRange kFaceRanges[];
extern const int kFaceRangeCount;
extern const std::uint16_t kFaceAdvances[];
extern const int kFaceCharCount;
extern const KernPair kFaceKerning[];
extern const int kFaceKernCount;

// The advance of code point POINT in font units, or -1 when the face does not map it.
int face_advance_units(char32_t point);

// The kerning of the pair (FIRST, SECOND) in font units; 0 for a pair the face does not kern.
int face_kerning_units(char32_t first, char32_t second);

}  // namespace plotter
