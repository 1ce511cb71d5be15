// The pen palette and the marker table.
#pragma once

namespace plotter {

struct Rgb {
    float red;
    float green;
    float blue;
};

inline constexpr int kPens = 15;

// Pen numbers outside 1..15 wrap into it: pen n is pen 1 + ((n - 1) mod 15), so 0 is 15,
// 16 is 1 and -1 is 14.
int pen_index(int pen);

// Colour of pen 1..15 (after pen_index), all dark enough to read on white; pen 1 is black.
Rgb pen_colour(int pen);

// English name of the colour of pen 1..15, for the documentation and test pages.
const char* pen_name(int pen);

inline constexpr int kMarkers = 11;

// Marker numbers outside 0..10 wrap into it: marker n is n mod 11 (so -1 is 10).
int marker_index(int marker);

// One stroke of a marker: NPOINTS points, in units of the marker height, centred on (0, 0)
// and within [-0.5, 0.5] in both directions.
struct MarkerStroke {
    int npoints;
    const float* x;
    const float* y;
};

// Number of strokes of marker 0..10 and the strokes themselves.
int marker_strokes(int marker, const MarkerStroke** strokes);

// English name of marker 0..10.
const char* marker_name(int marker);

}  // namespace plotter
