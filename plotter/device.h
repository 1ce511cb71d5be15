// The small abstract device the public routines draw on, and how each is opened.
//
// Public routines check their arguments and compute all geometry (clipping, text layout, marker
// shapes) once, in cm; a device only turns finished primitives into output.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "device_name.h"
#include "recorder.h"

namespace plotter {

class Device {
public:
    virtual ~Device() = default;
    // Pen 1..15 of the palette for everything drawn after.
    virtual void set_pen(int pen) = 0;
    // One connected line through N >= 2 points, cm.
    virtual void polyline(const float* x, const float* y, int n) = 0;
    // Glyph CODE (see text.h) with its base-line start at (X, Y) cm, rotated by ANGLE degrees,
    // cap height SIZE cm.
    virtual void glyph(float x, float y, float angle, float size, int code) = 0;
    // Fills the closed polygon through N >= 3 points, cm, by the non-zero winding rule: with
    // white, the paper's colour, when PAPER, else with the pen in force at OPACITY, 0..1 (a paper
    // fill is given 1). Nothing is stroked; it covers what was drawn before it, wholly at opacity
    // 1, else letting it show through (PostScript, which has no transparency, fills opaquely with
    // the pen's colour mixed with white in that proportion).
    virtual void fill(const float* x, const float* y, int n, bool paper, float opacity) = 0;
    virtual void begin_batch() = 0;
    virtual void end_batch() = 0;
    // Draws whatever the device still holds back (a line it gathers) and shows it.
    virtual void flush() = 0;
    // Waits for a key hit at the cursor, starting at (X, Y) cm; writes its position and key.
    // False (at once) when the device has no cursor.
    virtual bool cursor(float& x, float& y, int& key) = 0;
    // Ends the page and starts the next, WIDTH x HEIGHT cm, with pen 1. Returns why the finished
    // page could not be written ("cannot write FILE: reason"), or nothing.
    virtual std::string new_page(float width, float height) = 0;
    // Completes the output; nothing is drawn afterwards. Returns why it could not be written, or
    // nothing.
    virtual std::string close() = 0;
};

// Reports "plotter: cannot open the plot device "DEVICE": REASON" on standard error and ends the
// program with status 1.
[[noreturn]] void device_failed(const std::string& device, const std::string& reason);

// Ends the program (status 1) with one line on standard error when TEXT is no device name.
void check_device_name(const std::string& text);

// Opens the device DEVICE_TEXT names ("file/type") for a page of WIDTH x HEIGHT cm with MARGIN cm
// around it. Output files get the first name not in WRITTEN (the name, then name_2, name_3, ...
// before the extension), which is added there. A device that cannot be opened is reported on
// standard error and ends the program, status 1.
std::unique_ptr<Device> open_plot_device(const std::string& device_text, float width, float height, float margin,
                                         std::vector<std::string>& written);

// The window device (/xw) for a page of WIDTH x HEIGHT cm with MARGIN cm around it; no X display
// is reported as device_failed does.
std::unique_ptr<Device> open_window_device(const DeviceName& name, float width, float height, float margin);

// A device that appends every primitive to PRIMITIVES (used while the recorder is on).
std::unique_ptr<Device> open_memory_device(std::vector<Primitive>& primitives);

}  // namespace plotter
