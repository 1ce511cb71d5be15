// In-process recorder of plotter calls, for tests: every call of a plotter.h routine becomes one
// line in the trace format (see docs/plotter.md), kept in memory.
#pragma once

#include <string>
#include <vector>

namespace plotter {

// Resets the whole plotter state and starts recording. While recording, PLOTS opens an
// in-memory device instead of a real one, so nothing is written to disk.
void recorder_start();

// Stops recording and resets the plotter state.
void recorder_stop();

// The lines recorded since recorder_start() or the last recorder_clear().
const std::vector<std::string>& recorder_lines();

void recorder_clear();

// Queues a key hit that the next WAITHT returns while recording (with or without an open page):
// position in cm, key code. Without a queued hit WAITHT returns the "no hit" (0, 0) and key 0.
void recorder_push_hit(float x, float y, int key);

// What the in-memory device was asked to draw, in order.
struct Primitive {
    enum class Kind {
        Polyline,  // x, y: the points, cm
        Glyph,     // x, y: one point, the glyph's base-line start; size: cap height cm; angle; code
        Fill,      // x, y: the polygon's points, cm (3 or more); code: 1 white (paper), 0 the pen;
                   // opacity
        BeginBatch,
        EndBatch,
        Page,  // the next page began (PLOTS while a plot was open)
        Close,
    };
    Kind kind = Kind::Polyline;
    int pen = 1;  // the pen in force, 1..15
    std::vector<float> x;
    std::vector<float> y;
    float size = 0.0F;
    float angle = 0.0F;
    int code = 0;          // a glyph's Unicode code point; for a fill 1 when it is white
    float opacity = 1.0F;  // a fill's opacity, 0..1 (FILALP's; 1 for white)
};

// The primitives the in-memory device received since recorder_start() (kept after PLTEND).
const std::vector<Primitive>& recorder_primitives();

}  // namespace plotter
