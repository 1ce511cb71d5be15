// The window device (/xw): the page drawn as it comes in an Xlib window through cairo, its cursor,
// and the window kept open at the end until a key is hit in it.
//
// The window also keeps the page in a PageRecord: it repaints itself from it when it was covered,
// and at the end shows the whole page, scaled down, if the ink reaches beyond the sheet.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <cairo-xlib.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "canvas.h"
#include "device.h"
#include "device_page.h"
#include "geometry.h"

namespace plotter {

namespace {

// A screen that does not tell its size in millimetres is taken to have 96 pixels per inch.
constexpr double kDefaultPixelsPerCm = 96.0 / 2.54;
// A new window takes at most this share of the screen's width and height: a window manager's
// frame and panels need the rest.
constexpr double kMaxScreenShare = 0.9;
constexpr const char* kCompleteTitle = ": the plot is complete; hit a key in this window or close it to end";

// The only protocol errors our requests can meet come from the window having been destroyed under
// us (by another client) before its DestroyNotify is read; the window is then given up anyway.
int ignore_x_error(Display*, XErrorEvent*) { return 0; }

// Xlib calls exit() when this returns; the plot's own ending at exit would then talk to the lost
// display again, so the program ends here.
int connection_lost(Display*) {
    std::fputs("plotter: lost the connection to the X display\n", stderr);
    std::fflush(nullptr);
    std::_Exit(1);
}

class WindowDevice final : public Device {
    // Takes a finished line of the gatherer (declared first: its type is deduced).
    auto draw_kept() {
        return [this](const float* x, const float* y, int n) {
            record_.line(x, y, static_cast<std::size_t>(n));
            canvas_.line(n, x, y);
        };
    }

public:
    WindowDevice(float width, float height, float margin) : page_(page_sheet(width, height, margin)), margin_(margin) {}

    ~WindowDevice() override { shut_down(); }

    // Opens the window and waits until it is shown. Returns why it cannot be, or nothing.
    std::string open() {
        display_ = XOpenDisplay(nullptr);
        if (display_ == nullptr) {
            return "cannot connect to the X display";
        }
        previous_error_handler_ = XSetErrorHandler(ignore_x_error);
        previous_io_error_handler_ = XSetIOErrorHandler(connection_lost);
        const int screen = DefaultScreen(display_);
        const int width_mm = DisplayWidthMM(display_, screen);
        pixels_per_cm_ = width_mm > 0 ? DisplayWidth(display_, screen) / (0.1 * width_mm) : kDefaultPixelsPerCm;
        max_width_ = kMaxScreenShare * DisplayWidth(display_, screen);
        max_height_ = kMaxScreenShare * DisplayHeight(display_, screen);
        window_size(page_, sized_width_, sized_height_);
        width_px_ = sized_width_;
        height_px_ = sized_height_;

        window_ = XCreateSimpleWindow(display_, RootWindow(display_, screen), 0, 0, static_cast<unsigned>(width_px_),
                                      static_cast<unsigned>(height_px_), 0, BlackPixel(display_, screen),
                                      WhitePixel(display_, screen));
        XSelectInput(display_, window_, ExposureMask | KeyPressMask | ButtonPressMask | StructureNotifyMask);
        XStoreName(display_, window_, program_invocation_short_name);
        XSizeHints size{};
        size.flags = PSize;
        size.width = width_px_;
        size.height = height_px_;
        XSetWMNormalHints(display_, window_, &size);
        // Window managers that ask give it the keyboard: keys are the cursor's answers.
        XWMHints hints{};
        hints.flags = InputHint;
        hints.input = True;
        XSetWMHints(display_, window_, &hints);
        delete_window_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(display_, window_, &delete_window_, 1);
        crosshair_ = XCreateFontCursor(display_, XC_crosshair);
        XDefineCursor(display_, window_, crosshair_);
        surface_ = cairo_xlib_surface_create(display_, window_, DefaultVisual(display_, screen), width_px_, height_px_);
        show_sheet(page_);
        XMapWindow(display_, window_);
        // Drawing on a window not yet shown would be lost.
        bool mapped = false;
        while (display_ != nullptr && !mapped) {
            XEvent event;
            XNextEvent(display_, &event);
            mapped = event.type == MapNotify && event.xmap.window == window_;
            int px = 0;
            int py = 0;
            handle(event, px, py);
        }
        if (display_ != nullptr) {
            repaint();
            show();
        }
        return {};
    }

    void set_pen(int pen) override {
        draw_line();
        if (display_ != nullptr) {
            record_.pen(pen);
            canvas_.pen(pen);
        }
    }

    // Lines are gathered and thinned as on the file devices: a smooth curve of 10^5 points is one
    // stroke of few points, and a repaint replays the thinned line.
    void polyline(const float* x, const float* y, int n) override {
        if (display_ != nullptr) {
            lines_.add(x, y, n, draw_kept());
        }
    }

    void glyph(float x, float y, float angle, float size, int code) override {
        draw_line();
        if (display_ != nullptr) {
            record_.glyph(x, y, angle, size, code);
            canvas_.glyph(x, y, angle, size, code);
        }
    }

    void fill(const float* x, const float* y, int n, bool paper, float opacity) override {
        draw_line();
        if (display_ != nullptr) {
            record_.fill(x, y, static_cast<std::size_t>(n), paper, opacity);
            canvas_.fill(n, x, y, paper, opacity);
        }
    }

    void begin_batch() override {}
    void end_batch() override { flush(); }

    void flush() override {
        draw_line();
        show();
    }

    // Waits for a key with a character or a mouse button in the window; false when it is closed.
    bool cursor(float& x, float& y, int& key) override {
        draw_line();
        show();
        while (display_ != nullptr) {
            int px = 0;
            int py = 0;
            const int hit = next_event(px, py);
            if (hit != 0) {
                x = static_cast<float>(view_.x1 + (px - left_) / scale_);
                y = static_cast<float>(view_.y2 - (py - top_) / scale_);
                key = hit;
                return true;
            }
        }
        return false;
    }

    std::string new_page(float width, float height) override {
        draw_line();
        page_ = page_sheet(width, height, margin_);
        record_.clear();
        if (display_ == nullptr) {
            return {};
        }
        // A page of another size gets a window of its size; else the window keeps the size it has.
        int w = 0;
        int h = 0;
        window_size(page_, w, h);
        if (w != sized_width_ || h != sized_height_) {
            sized_width_ = width_px_ = w;
            sized_height_ = height_px_ = h;
            XResizeWindow(display_, window_, static_cast<unsigned>(w), static_cast<unsigned>(h));
            cairo_xlib_surface_set_size(surface_, w, h);
        }
        show_sheet(page_);
        repaint();
        show();
        return {};
    }

    // Shows the whole page and waits until a key is hit in the window or it is closed.
    std::string close() override {
        draw_line();
        if (display_ == nullptr) {
            return {};
        }
        const InkBox ink = record_.ink(kLineWidth);
        if (!covers(page_, ink)) {
            show_sheet(grown(page_, ink));
            repaint();
        }
        XStoreName(display_, window_, (std::string(program_invocation_short_name) + kCompleteTitle).c_str());
        show();
        // Keys hit while the page was drawn are no answer to the question the title asks.
        if (display_ != nullptr) {
            XSync(display_, True);
        }
        while (display_ != nullptr) {
            int px = 0;
            int py = 0;
            if (next_event(px, py) != 0) {
                break;
            }
        }
        shut_down();
        return {};
    }

private:
    // The window's size in pixels for SHEET: true to size where the screen allows, else scaled
    // down to fit.
    void window_size(const Sheet& sheet, int& width, int& height) const {
        const double w = sheet.width();
        const double h = sheet.height();
        const double per_cm = std::min({pixels_per_cm_, max_width_ / w, max_height_ / h});
        width = std::max(1, static_cast<int>(std::lround(w * per_cm)));
        height = std::max(1, static_cast<int>(std::lround(h * per_cm)));
    }

    // Shows SHEET in the window, as large as it fits at equal scales, centred.
    void show_sheet(const Sheet& sheet) {
        view_ = sheet;
        scale_ =
            std::min(width_px_ / static_cast<double>(sheet.width()), height_px_ / static_cast<double>(sheet.height()));
        left_ = 0.5 * (width_px_ - sheet.width() * scale_);
        top_ = 0.5 * (height_px_ - sheet.height() * scale_);
    }

    // Paints the window white and draws the page on it again; the canvas is left with the pen in
    // force.
    void repaint() {
        if (context_ != nullptr) {
            cairo_destroy(context_);
        }
        context_ = cairo_create(surface_);
        cairo_translate(context_, left_, top_);
        canvas_.begin(context_, view_, scale_, true);
        canvas_.clear();
        record_.replay(canvas_);
        canvas_.stroke();
        repaint_needed_ = false;
    }

    void draw_line() { lines_.finish(draw_kept()); }

    // Sends what was drawn to the server and acts on the events that came in meanwhile, without
    // waiting for any.
    void show() {
        while (display_ != nullptr && XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            int px = 0;
            int py = 0;
            handle(event, px, py);
        }
        if (display_ != nullptr) {
            if (repaint_needed_) {
                repaint();
            }
            canvas_.stroke();
            cairo_surface_flush(surface_);
            XFlush(display_);
        }
    }

    // Waits for the next event and acts on it, repainting once no more are queued. Returns the key
    // of a hit (see handle), else 0.
    int next_event(int& px, int& py) {
        cairo_surface_flush(surface_);
        XEvent event;
        XNextEvent(display_, &event);
        const int key = handle(event, px, py);
        if (display_ != nullptr && repaint_needed_ && XPending(display_) == 0) {
            repaint();
            cairo_surface_flush(surface_);
            XFlush(display_);
        }
        return key;
    }

    // Acts on EVENT: notes a repaint or a new size, gives up a closed window. Returns the key of a
    // hit, with its pixel in PX, PY: the first character a key gives (keys that give none, such
    // as Shift, are no hit), or 'A', 'D', 'X' for mouse buttons 1, 2, 3 as PGPLOT has it. Else 0.
    int handle(XEvent& event, int& px, int& py) {
        switch (event.type) {
            case Expose:
                repaint_needed_ = true;
                break;
            case ConfigureNotify:
                if (event.xconfigure.width != width_px_ || event.xconfigure.height != height_px_) {
                    width_px_ = event.xconfigure.width;
                    height_px_ = event.xconfigure.height;
                    cairo_xlib_surface_set_size(surface_, width_px_, height_px_);
                    show_sheet(view_);
                    repaint_needed_ = true;
                }
                break;
            case MappingNotify:
                XRefreshKeyboardMapping(&event.xmapping);
                break;
            case ClientMessage:
                if (static_cast<Atom>(event.xclient.data.l[0]) == delete_window_) {
                    shut_down();
                }
                break;
            case DestroyNotify:
                if (event.xdestroywindow.window == window_) {
                    window_ = 0;
                    shut_down();
                }
                break;
            case KeyPress: {
                char text[8] = {};
                KeySym symbol = 0;
                if (XLookupString(&event.xkey, text, sizeof text, &symbol, nullptr) > 0) {
                    px = event.xkey.x;
                    py = event.xkey.y;
                    return static_cast<unsigned char>(text[0]);
                }
                break;
            }
            case ButtonPress:
                if (event.xbutton.button >= Button1 && event.xbutton.button <= Button3) {
                    px = event.xbutton.x;
                    py = event.xbutton.y;
                    return "ADX"[event.xbutton.button - Button1];
                }
                break;
            default:
                break;
        }
        return 0;
    }

    // Destroys the window, closes the display and gives Xlib back the error handlers it had; the
    // device draws nothing after.
    void shut_down() {
        if (display_ == nullptr) {
            return;
        }
        if (context_ != nullptr) {
            cairo_destroy(context_);
            context_ = nullptr;
        }
        cairo_surface_finish(surface_);
        cairo_surface_destroy(surface_);
        surface_ = nullptr;
        if (window_ != 0) {
            XDestroyWindow(display_, window_);
            window_ = 0;
        }
        XFreeCursor(display_, crosshair_);
        XCloseDisplay(display_);
        display_ = nullptr;
        XSetErrorHandler(previous_error_handler_);
        XSetIOErrorHandler(previous_io_error_handler_);
        lines_.drop();
        record_.clear();
    }

    Sheet page_;  // the sheet of the page as PLOTS gave it: the page with the margin around it
    float margin_;
    Display* display_ = nullptr;  // null once the window is closed
    Window window_ = 0;
    Cursor crosshair_ = 0;
    Atom delete_window_ = 0;
    XErrorHandler previous_error_handler_ = nullptr;
    XIOErrorHandler previous_io_error_handler_ = nullptr;
    cairo_surface_t* surface_ = nullptr;
    cairo_t* context_ = nullptr;
    double pixels_per_cm_ = kDefaultPixelsPerCm;
    double max_width_ = 0.0;  // pixels
    double max_height_ = 0.0;
    // The window's size in pixels, and the size the page's sheet asked for.
    int width_px_ = 0;
    int height_px_ = 0;
    int sized_width_ = 0;
    int sized_height_ = 0;
    // The sheet shown, its pixels per cm and the pixel of its upper left corner.
    Sheet view_{0.0F, 0.0F, 1.0F, 1.0F};
    double scale_ = 1.0;
    double left_ = 0.0;
    double top_ = 0.0;
    bool repaint_needed_ = false;
    PageRecord record_;
    Canvas canvas_;
    LineGatherer lines_;
};

}  // namespace

std::unique_ptr<Device> open_window_device(const DeviceName&, float width, float height, float margin) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        device_failed("/xw", "no X display (DISPLAY is not set)");
    }
    auto device = std::make_unique<WindowDevice>(width, height, margin);
    const std::string failure = device->open();
    if (!failure.empty()) {
        device_failed("/xw", failure);
    }
    return device;
}

}  // namespace plotter
