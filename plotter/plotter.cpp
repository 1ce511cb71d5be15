// The public pen-plotter routines: argument checks, trace, geometry, then the device.
#include "plotter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "device.h"
#include "device_name.h"
#include "geometry.h"
#include "recorder.h"
#include "session.h"
#include "state.h"
#include "style.h"
#include "text.h"
#include "trace.h"

namespace plotter {

namespace {

// Space around the page: lines on its edges are drawn whole, and the texts of a frame placed
// close to the page edge (a left axis text lies some 2.5 cm left of its axis) stay on the sheet.
constexpr float kPageMargin = 1.0F;
// Largest page side accepted, cm: beyond it a raster page would not fit in memory.
constexpr float kMaxPageSide = 300.0F;
constexpr float kContinue = 999.0F;

bool finite(float a, float b) { return std::isfinite(a) && std::isfinite(b); }

bool inside_safe(float x, float y) { return std::fabs(x) <= kSafeExtent && std::fabs(y) <= kSafeExtent; }

// Appends the stroke (x1, y1)-(x2, y2) to the collected path, starting a new one when it does
// not continue the last.
void add_stroke(State& s, float x1, float y1, float x2, float y2) {
    if (x1 == x2 && y1 == y2) {
        return;
    }
    const bool continues = !s.path_x.empty() && s.path_x.back() == x1 && s.path_y.back() == y1;
    if (!continues || s.path_x.size() >= kMaxPathPoints) {
        flush_path(s);
        s.path_x.push_back(x1);
        s.path_y.push_back(y1);
    }
    s.path_x.push_back(x2);
    s.path_y.push_back(y2);
}

// Draws from (x1, y1) to (x2, y2), clipped to WINDOW when given and always to the safe window.
void stroke(State& s, float x1, float y1, float x2, float y2, const ClipWindow* window) {
    if (window != nullptr && !clip_segment(x1, y1, x2, y2, *window)) {
        return;
    }
    if (clip_segment(x1, y1, x2, y2, kSafeWindow)) {
        add_stroke(s, x1, y1, x2, y2);
    }
}

void move_pen(State& s, float x, float y) {
    const bool known = finite(x, y);
    s.pen_x = s.move_x = x;
    s.pen_y = s.move_y = y;
    s.pen_known = s.move_known = known;
}

void draw_pen(State& s, float x, float y, const ClipWindow* window) {
    if (s.pen_known && finite(x, y)) {
        stroke(s, s.pen_x, s.pen_y, x, y, window);
    }
    s.pen_x = x;
    s.pen_y = y;
    s.pen_known = finite(x, y);
}

// True while a page is open. Otherwise ROUTINE does nothing, and the first such call since the
// start or the last PLOTS says so on standard error: the call is harmless, but surely a mistake.
bool page_open(State& s, const char* routine) {
    if (s.device) {
        return true;
    }
    if (!s.warned_no_page) {
        s.warned_no_page = true;
        std::fprintf(stderr, "plotter: %s called with no page open; PLOTS opens the page\n", routine);
        std::fflush(stderr);
    }
    return false;
}

// Draws TEXT from (X, Y), or from the end of the last text at (999, 999), and remembers its end.
void draw_text(const char* routine, float X, float Y, float HEIGHT, const char* TEXT, float ANGLE, int TEXT_len,
               bool markup) {
    State& s = state();
    if (!page_open(s, routine)) {
        return;
    }
    const bool continued = X == kContinue && Y == kContinue;
    const float x = continued ? s.text_x : X;
    const float y = continued ? s.text_y : Y;
    if (!finite(x, y) || !finite(HEIGHT, ANGLE) || HEIGHT < 0.0F) {
        return;
    }
    flush_path(s);
    float c = 1.0F;
    float sn = 0.0F;
    direction(ANGLE, c, sn);
    const int length = TEXT_len > 0 ? TEXT_len : 0;
    auto put = [&](const PlacedGlyph& g) {
        const float gx = x + g.dx * c - g.dy * sn;
        const float gy = y + g.dx * sn + g.dy * c;
        if (g.size > 0.0F && inside_safe(gx, gy) && g.size <= kSafeExtent) {
            s.device->glyph(gx, gy, ANGLE, g.size, g.code);
        }
    };
    const float advance = markup ? layout_markup(TEXT, length, HEIGHT, put) : layout_cells(TEXT, length, HEIGHT, put);
    s.text_x = x + advance * c;
    s.text_y = y + advance * sn;
}

// The device the next PLOTS opens: PLTDEV's choice, else PGPLOT_DEV's, else the default.
std::string selected_device(const State& s) {
    if (!s.chosen_device.empty()) {
        return s.chosen_device;
    }
    const char* env = std::getenv("PGPLOT_DEV");
    return env != nullptr && *env != '\0' ? env : kDefaultDevice;
}

// Reports output that could not be written and ends the program with status 1; AT_EXIT while
// the program is ending already, when exit() must not be called again.
[[noreturn]] void output_failed(const std::string& failure, bool at_exit) {
    std::fprintf(stderr, "plotter: %s\n", failure.c_str());
    std::fflush(nullptr);
    if (at_exit) {
        std::_Exit(1);
    }
    std::exit(1);
}

// Hands the device what is still held back.
void settle(State& s) {
    flush_path(s);
    if (s.batch_open) {
        s.device->end_batch();
        s.batch_open = false;
    }
}

// Completes the output of the open plot, if any.
void end_plot(State& s, bool at_exit) {
    if (!s.device) {
        return;
    }
    settle(s);
    const std::string failure = s.device->close();
    s.device.reset();
    if (!failure.empty()) {
        if (at_exit && s.trace.file != nullptr) {
            std::fclose(s.trace.file);
            s.trace.file = nullptr;
        }
        output_failed(failure, at_exit);
    }
}

}  // namespace

State& state() {
    static State instance;
    return instance;
}

State::~State() {
    end_plot(*this, true);
    if (trace.file != nullptr) {
        std::fclose(trace.file);
    }
}

void flush_path(State& s) {
    if (s.path_x.size() >= 2 && s.device) {
        s.device->polyline(s.path_x.data(), s.path_y.data(), static_cast<int>(s.path_x.size()));
    }
    s.path_x.clear();
    s.path_y.clear();
}

void reset_state() {
    State& s = state();
    if (s.device) {
        s.device->close();
        s.device.reset();
    }
    if (s.trace.file != nullptr) {
        std::fclose(s.trace.file);
        s.trace.file = nullptr;
    }
    s.trace = TraceSink{};
    s.device_text.clear();
    s.chosen_device.clear();
    s.written_files.clear();
    s.width = s.height = 0.0F;
    s.pen = 1;
    s.batch_open = false;
    s.pen_x = s.pen_y = s.move_x = s.move_y = 0.0F;
    s.pen_known = s.move_known = true;
    s.window = kOpenWindow;
    s.path_x.clear();
    s.path_y.clear();
    s.text_x = s.text_y = 0.0F;
    s.queued_hits.clear();
    s.last_hit = Hit{};
    s.warned_no_page = false;
    s.primitives.clear();
}

long pages_begun() { return state().pages_begun; }

// Temporary stand-in until the translucent fill lands: only remembers the opacity.
float stub_fill_opacity = 1.0F;

float fill_opacity() { return stub_fill_opacity; }

}  // namespace plotter

using plotter::State;
using plotter::state;
using plotter::trace::active;
using plotter::trace::Line;

void PLOTS(const int& IUNIT, const int& IMODE, const float& WIDTH, const float& HEIGHT) {
    if (active()) {
        Line("PLOTS").integer(IUNIT).integer(IMODE).real(WIDTH).real(HEIGHT).emit();
    }
    plotter::stub_fill_opacity = 1.0F;
    State& s = state();
    if (!(WIDTH > 0.0F && WIDTH <= plotter::kMaxPageSide && HEIGHT > 0.0F && HEIGHT <= plotter::kMaxPageSide)) {
        std::fprintf(
            stderr, "plotter: cannot open a page of %g x %g cm (each side must be above 0 and at most %g cm)\n",
            static_cast<double>(WIDTH), static_cast<double>(HEIGHT), static_cast<double>(plotter::kMaxPageSide));
        std::fflush(stderr);
        std::exit(1);
    }
    const bool recording = plotter::recorder_active();
    const std::string device_text = recording ? std::string() : plotter::selected_device(s);
    if (s.device && device_text != s.device_text) {
        plotter::end_plot(s, false);
    }
    if (s.device) {
        plotter::settle(s);
        const std::string failure = s.device->new_page(WIDTH, HEIGHT);
        if (!failure.empty()) {
            // Reported once: the program's end has no plot left to complete.
            s.device.reset();
            plotter::output_failed(failure, false);
        }
    } else {
        s.device = recording
                       ? plotter::open_memory_device(s.primitives)
                       : plotter::open_plot_device(device_text, WIDTH, HEIGHT, plotter::kPageMargin, s.written_files);
        s.device_text = device_text;
    }
    s.width = WIDTH;
    s.height = HEIGHT;
    s.pen = 1;
    s.batch_open = false;
    plotter::move_pen(s, 0.0F, 0.0F);
    s.window = plotter::kOpenWindow;
    s.text_x = s.text_y = 0.0F;
    s.warned_no_page = false;
    ++s.pages_begun;
}

void PLOT(const float& X, const float& Y, const int& IPEN) {
    if (active()) {
        Line("PLOT").real(X).real(Y).integer(IPEN).emit();
    }
    State& s = state();
    if (!plotter::page_open(s, "PLOT")) {
        return;
    }
    if (IPEN == 3) {
        plotter::move_pen(s, X, Y);
    } else if (IPEN == 2) {
        plotter::draw_pen(s, X, Y, nullptr);
    }
}

void CPLOT(const float& X, const float& Y, const int& IPEN) {
    if (active()) {
        Line("CPLOT").real(X).real(Y).integer(IPEN).emit();
    }
    State& s = state();
    if (!plotter::page_open(s, "CPLOT")) {
        return;
    }
    switch (IPEN) {
        case 3:
            plotter::move_pen(s, X, Y);
            break;
        case 2:
            plotter::draw_pen(s, X, Y, &s.window);
            break;
        case 997:
            if (plotter::finite(X, Y)) {
                s.window.x1 = X;
                s.window.y1 = Y;
            }
            break;
        case 998:
            if (plotter::finite(X, Y)) {
                s.window.x2 = X;
                s.window.y2 = Y;
            }
            break;
        default:
            break;
    }
}

void MPLOT(const float& X, const float& Y, const int& I2, const int& I3) {
    if (active()) {
        Line("MPLOT").real(X).real(Y).integer(I2).integer(I3).emit();
    }
    State& s = state();
    if (!plotter::page_open(s, "MPLOT")) {
        return;
    }
    if (s.move_known && plotter::finite(X, Y)) {
        plotter::stroke(s, s.move_x, s.move_y, X, Y, nullptr);
    }
    s.pen_x = X;
    s.pen_y = Y;
    s.pen_known = plotter::finite(X, Y);
}

void NEWPEN(const int& IPEN) {
    if (active()) {
        Line("NEWPEN").integer(IPEN).emit();
    }
    State& s = state();
    if (!plotter::page_open(s, "NEWPEN")) {
        return;
    }
    const int pen = plotter::pen_index(IPEN);
    if (pen != s.pen) {
        plotter::flush_path(s);
        s.device->set_pen(pen);
        s.pen = pen;
    }
}

void SYMBOL(const float& X, const float& Y, const float& HEIGHT, const char* TEXT, const float& ANGLE, const int& NCHAR,
            int TEXT_len) {
    if (active()) {
        Line("SYMBOL").real(X).real(Y).real(HEIGHT).text(TEXT, TEXT_len).real(ANGLE).integer(NCHAR).emit();
    }
    plotter::draw_text("SYMBOL", X, Y, HEIGHT, TEXT, ANGLE, TEXT_len, false);
}

void SYMBLK(const float& X, const float& Y, const float& HEIGHT, const char* TEXT, const float& ANGLE, const int& NCHAR,
            int TEXT_len) {
    if (active()) {
        Line("SYMBLK").real(X).real(Y).real(HEIGHT).text(TEXT, TEXT_len).real(ANGLE).integer(NCHAR).emit();
    }
    plotter::draw_text("SYMBLK", X, Y, HEIGHT, TEXT, ANGLE, TEXT_len, true);
}

void TEXTLK(const float& XS, float& W, const float& HEIGHT, const char* TEXT, const float& ANGLE, const int& NCHAR,
            int TEXT_len) {
    const float entry = W;
    float width = 0.0F;
    if (std::isfinite(HEIGHT) && HEIGHT >= 0.0F) {
        width = plotter::layout_markup(TEXT, TEXT_len > 0 ? TEXT_len : 0, HEIGHT, [](const plotter::PlacedGlyph&) {});
    }
    W = width;
    if (active()) {
        Line("TEXTLK")
            .real(XS)
            .real(entry)
            .real(HEIGHT)
            .text(TEXT, TEXT_len)
            .real(ANGLE)
            .integer(NCHAR)
            .returns()
            .real(width)
            .emit();
    }
}

void CENSYM(const float& X, const float& Y, const int& MARKER, const float& HEIGHT, const float& WIDTH,
            const float& ANGLE) {
    if (active()) {
        Line("CENSYM").real(X).real(Y).integer(MARKER).real(HEIGHT).real(WIDTH).real(ANGLE).emit();
    }
    State& s = state();
    if (!plotter::page_open(s, "CENSYM") || !plotter::finite(X, Y) || !std::isfinite(HEIGHT) || HEIGHT <= 0.0F ||
        HEIGHT > plotter::kSafeExtent || !plotter::inside_safe(X, Y)) {
        return;
    }
    plotter::flush_path(s);
    const plotter::MarkerStroke* strokes = nullptr;
    const int count = plotter::marker_strokes(MARKER, &strokes);
    float xs[32];
    float ys[32];
    for (int i = 0; i < count; ++i) {
        const plotter::MarkerStroke& m = strokes[i];
        for (int k = 0; k < m.npoints && k < 32; ++k) {
            xs[k] = X + m.x[k] * HEIGHT;
            ys[k] = Y + m.y[k] * HEIGHT;
        }
        s.device->polyline(xs, ys, m.npoints < 32 ? m.npoints : 32);
    }
}

void PLTSYN(const int& IFLAG) {
    if (active()) {
        Line("PLTSYN").integer(IFLAG).emit();
    }
    State& s = state();
    if (!plotter::page_open(s, "PLTSYN")) {
        return;
    }
    if (IFLAG == 1 && !s.batch_open) {
        s.device->begin_batch();
        s.batch_open = true;
    } else if (IFLAG == 0) {
        plotter::flush_path(s);
        if (s.batch_open) {
            s.device->end_batch();
            s.batch_open = false;
        } else {
            s.device->flush();
        }
    }
}

void WAITHT() {
    if (active()) {
        Line("WAITHT").emit();
    }
    State& s = state();
    plotter::Hit hit;
    const bool open = plotter::page_open(s, "WAITHT");
    if (plotter::recorder_active()) {
        if (!s.queued_hits.empty()) {
            hit = s.queued_hits.front();
            s.queued_hits.pop_front();
        }
    } else if (open) {
        plotter::settle(s);
        float x = s.last_hit.key != 0 ? s.last_hit.x : 0.5F * s.width;
        float y = s.last_hit.key != 0 ? s.last_hit.y : 0.5F * s.height;
        int key = 0;
        if (s.device->cursor(x, y, key)) {
            hit = plotter::Hit{x, y, key};
        }
    }
    s.last_hit = hit;
}

void HITPOS(float& X, float& Y) {
    const float x_in = X;
    const float y_in = Y;
    State& s = state();
    plotter::page_open(s, "HITPOS");
    X = s.last_hit.x;
    Y = s.last_hit.y;
    if (active()) {
        Line("HITPOS").real(x_in).real(y_in).returns().real(X).real(Y).emit();
    }
}

void HITCHR(int& KEY) {
    const int key_in = KEY;
    State& s = state();
    plotter::page_open(s, "HITCHR");
    KEY = s.last_hit.key;
    if (active()) {
        Line("HITCHR").integer(key_in).returns().integer(KEY).emit();
    }
}

void PLTEND() {
    if (active()) {
        Line("PLTEND").emit();
    }
    plotter::end_plot(state(), false);
}

void PLTDEV(const char* TEXT, int TEXT_len) {
    if (active()) {
        Line("PLTDEV").text(TEXT, TEXT_len).emit();
    }
    std::string text(TEXT, static_cast<std::size_t>(TEXT_len > 0 ? TEXT_len : 0));
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) {
        text.pop_back();
    }
    if (!text.empty()) {
        plotter::check_device_name(text);
    }
    state().chosen_device = text;
}

void PGTEXT(const float& X, const float& Y, const char* TEXT, int TEXT_len) {
    if (active()) {
        Line("PGTEXT").real(X).real(Y).text(TEXT, TEXT_len).emit();
    }
    State& s = state();
    if (!plotter::page_open(s, "PGTEXT") || !plotter::finite(X, Y) || !plotter::inside_safe(X, Y)) {
        return;
    }
    plotter::flush_path(s);
    // PGPLOT's standard characters: their ascent a fortieth of the sheet's height.
    const float height = (s.height + 2.0F * plotter::kPageMargin) * plotter::kPgtextCapPerSheetHeight;
    plotter::layout_pgtext(TEXT, TEXT_len > 0 ? TEXT_len : 0, height, [&](const plotter::PlacedGlyph& g) {
        const float gx = X + g.dx;
        const float gy = Y + g.dy;
        if (plotter::inside_safe(gx, gy)) {
            s.device->glyph(gx, gy, 0.0F, g.size, g.code);
        }
    });
}

void FILALP(const float& ALPHA) {
    if (active()) {
        Line("FILALP").real(ALPHA).emit();
    }
    plotter::stub_fill_opacity = ALPHA;
}

void FILPOL(const float* X, const float* Y, const int& N, const int& IPAPER) {
    if (active()) {
        Line("FILPOL").array(X, N).array(Y, N).integer(N).integer(IPAPER).emit();
    }
    State& s = state();
    if (!plotter::page_open(s, "FILPOL") || X == nullptr || Y == nullptr || N < 3) {
        return;
    }
    for (int i = 0; i < N; ++i) {
        if (!plotter::finite(X[i], Y[i])) {
            return;
        }
    }
    // The strokes so far first: the fill covers them.
    plotter::flush_path(s);
    std::vector<float> x;
    std::vector<float> y;
    plotter::clip_polygon(X, Y, N, plotter::kSafeWindow, x, y);
    if (!x.empty()) {
        s.device->fill(x.data(), y.data(), static_cast<int>(x.size()), IPAPER != 0);
    }
}
