// Internal: the one object that holds all plotter state, and what the recorder needs of it.
#pragma once

#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "device.h"
#include "geometry.h"
#include "recorder.h"

namespace plotter {

// A key hit at the cursor: position in cm and key code.
struct Hit {
    float x = 0.0F;
    float y = 0.0F;
    int key = 0;
};

// Where trace lines go: the PLOTTER_TRACE file (opened at the first traced call) and the recorder.
struct TraceSink {
    bool checked = false;
    std::FILE* file = nullptr;
    bool recording = false;
    std::vector<std::string> lines;
};

// A window that clips nothing but what no device may be given.
inline constexpr ClipWindow kOpenWindow = kSafeWindow;

// Polylines longer than this many points are handed to the device in pieces.
inline constexpr std::size_t kMaxPathPoints = 4096;

struct State {
    TraceSink trace;

    // The open plot; null before PLOTS and after PLTEND, when drawing routines do nothing.
    std::unique_ptr<Device> device;
    // The device name it was opened with, and the one PLTDEV chose for the next PLOTS (empty:
    // PGPLOT_DEV's, or the default).
    std::string device_text;
    std::string chosen_device;
    // Every output file this run has opened: none is written twice.
    std::vector<std::string> written_files;
    float width = 0.0F;
    float height = 0.0F;
    int pen = 1;
    // FILALP's opacity of later fills in the pen, 0..1; PLOTS sets it to 1.
    float fill_opacity = 1.0F;
    bool batch_open = false;

    // The pen position; unknown after a non-finite coordinate, until the next finite one.
    float pen_x = 0.0F;
    float pen_y = 0.0F;
    bool pen_known = true;
    // The position of the last move, where MPLOT draws from.
    float move_x = 0.0F;
    float move_y = 0.0F;
    bool move_known = true;
    ClipWindow window = kOpenWindow;

    // Connected pen-down strokes not yet handed to the device.
    std::vector<float> path_x;
    std::vector<float> path_y;

    // Where the last SYMBOL or SYMBLK ended: the start of a text at (999.0, 999.0).
    float text_x = 0.0F;
    float text_y = 0.0F;

    // Pages PLOTS has begun (pages_begun in session.h); never reset, so it only grows.
    long pages_begun = 0;

    // Set when a call found no page open and said so; PLOTS clears it.
    bool warned_no_page = false;

    std::deque<Hit> queued_hits;
    Hit last_hit;

    // What the memory device drew.
    std::vector<Primitive> primitives;

    State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    // Completes an open page (so a program that ends without PLTEND still leaves a valid file)
    // and closes the trace file.
    ~State();
};

// The plotter state.
State& state();

// Hands the collected strokes to the device.
void flush_path(State& s);

// Closes whatever is open and returns every setting to its start value; the trace file is
// closed and opened again (for appending) at the next traced call.
void reset_state();

// True while the in-process recorder is on: PLOTS then opens the in-memory device.
bool recorder_active();

}  // namespace plotter
