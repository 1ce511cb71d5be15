// The PGPLOT device: true-size pages on giza's PGPLOT, each on a sheet that holds all its ink.
//
// File devices keep a page's drawing until the page ends (the next PLOTS, PLTEND, the program's
// end); then the sheet is made as large as the ink needs and the page is drawn on it. A window
// draws at once, and at the end shows the whole page again if its ink reaches beyond the window.
#include <cpgplot.h>
#include <fcntl.h>
#include <unistd.h>

// giza.h declares C functions without saying so.
extern "C" {
#include <giza.h>
}

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "device.h"
#include "device_name.h"
#include "device_output.h"
#include "device_page.h"
#include "geometry.h"
#include "style.h"
#include "text.h"

namespace plotter {

namespace {

// The font the advance table in text.cpp was measured on.
constexpr const char* kFont = "DejaVu Sans";
// Lines are 0.5 mm wide: giza's line width 2 (giza's unit is 0.25 mm, where PGPLOT's was 0.005
// inch), in points on vector devices and in pixels on PNG, where it is scaled by the resolution.
constexpr float kLineWidth = 0.05F;
constexpr float kGizaLineWidth = 2.0F;
constexpr double kPointsPerInch = 72.0;
constexpr double kCmPerInch = 2.54;
constexpr double kMmPerPoint = 25.4 / 72.0;
// PNG resolution, dots per inch: the default, and the range PGPLOT_PNG_DPI may choose from. A
// page with more pixels than kMaxPixels is drawn at the resolution that keeps it to that many.
constexpr double kDefaultDpi = 150.0;
constexpr double kMinDpi = 10.0;
constexpr double kMaxDpi = 1200.0;
constexpr double kMaxPixels = 5.0e7;
// A grown sheet leaves this much room around the ink, and grows by at most kMaxGrowth (cm) on
// any side (PDF viewers take pages of up to 508 cm).
constexpr float kInkPadding = 0.5F;
constexpr float kMaxGrowth = 100.0F;
// Polylines reach giza thinned to 5 micrometres (0.0005 cm): a hundredth of the line width, a
// quarter of a 1200 dpi dot, a seventh of a PDF point. No point left out lies farther than this
// from the line drawn instead.
constexpr float kThinTolerance = 0.0005F;
// A gathered line is drawn in pieces of at most this many kept points.
constexpr std::size_t kMaxLinePoints = 1 << 16;

[[noreturn]] void fail(const std::string& device, const std::string& reason) {
    std::fprintf(stderr, "plotter: cannot open the plot device \"%s\": %s\n", device.c_str(), reason.c_str());
    std::fflush(stderr);
    std::exit(1);
}

// Runs OPEN (a giza call that may fail) with standard error sent to /dev/null: giza reports
// failures itself, in its own words; our one message follows instead.
template <class Open>
int quietly(Open open) {
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved >= 0 && null >= 0) {
        dup2(null, STDERR_FILENO);
    }
    const int result = open();
    if (saved >= 0 && null >= 0) {
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
    }
    if (null >= 0) {
        close(null);
    }
    if (saved >= 0) {
        close(saved);
    }
    return result;
}

// The sheet of a page: the box of plotter cm it shows.
struct Sheet {
    float x1;
    float y1;
    float x2;
    float y2;
    float width() const { return x2 - x1; }
    float height() const { return y2 - y1; }
};

// SHEET grown where INK reaches beyond it, to the ink with room to spare, but by no more than
// kMaxGrowth cm on any side.
Sheet grown(Sheet s, const InkBox& ink) {
    if (ink.empty) {
        return s;
    }
    if (ink.x1 < s.x1) {
        s.x1 = std::fmax(ink.x1 - kInkPadding, s.x1 - kMaxGrowth);
    }
    if (ink.y1 < s.y1) {
        s.y1 = std::fmax(ink.y1 - kInkPadding, s.y1 - kMaxGrowth);
    }
    if (ink.x2 > s.x2) {
        s.x2 = std::fmin(ink.x2 + kInkPadding, s.x2 + kMaxGrowth);
    }
    if (ink.y2 > s.y2) {
        s.y2 = std::fmin(ink.y2 + kInkPadding, s.y2 + kMaxGrowth);
    }
    return s;
}

bool covers(const Sheet& s, const InkBox& ink) {
    return ink.empty || (ink.x1 >= s.x1 && ink.x2 <= s.x2 && ink.y1 >= s.y1 && ink.y2 <= s.y2);
}

// Draws on the open giza page: pens, lines, our glyphs and PGTEXT's texts.
class GizaCanvas {
public:
    // EM_PER_CHARACTER_SIZE: the em in cm of giza's character size 1 on this page; PGTEXT_SIZE:
    // the character size PGTEXT writes in.
    void begin(float em_per_character_size, float pgtext_size) {
        em_per_character_size_ = em_per_character_size > 0.0F ? em_per_character_size : 1.0F;
        pgtext_size_ = pgtext_size;
        character_size_ = 0.0F;
        cpgsci(1);
    }

    void pen(int pen) { cpgsci(pen); }

    void line(int n, const float* x, const float* y) { cpgline(n, x, y); }

    void glyph(float x, float y, float angle, float size, int code) {
        const float character_size = size / kCapHeightPerEm / em_per_character_size_;
        set_size(character_size);
        char text[4] = {};
        if (code >= kGreekBase) {
            text[0] = '\\';
            text[1] = 'g';
            text[2] = kGreekLatinKeys[code - kGreekBase];
        } else if (std::strchr("\\^_{}", code) != nullptr) {
            // giza reads these as escapes and groups; a backslash makes them plain characters.
            text[0] = '\\';
            text[1] = static_cast<char>(code);
        } else {
            text[0] = static_cast<char>(code);
        }
        cpgptxt(x, y, angle, 0.0F, text);
    }

    void text(float x, float y, const char* text) {
        set_size(pgtext_size_);
        cpgtext(x, y, text);
    }

private:
    void set_size(float character_size) {
        if (character_size != character_size_) {
            cpgsch(character_size);
            character_size_ = character_size;
        }
    }

    float em_per_character_size_ = 1.0F;
    float pgtext_size_ = 1.0F;
    float character_size_ = 0.0F;
};

// Sets giza's pens, line width and font, and maps SHEET onto the whole view surface (keeping
// equal scales on a window, where the surface need not have the sheet's shape). Returns the em
// in cm of character size 1.
float set_up_page(const Sheet& sheet, float line_width, bool equal_scales) {
    giza_set_font(kFont);
    cpgscr(0, 1.0F, 1.0F, 1.0F);
    for (int pen = 1; pen <= kPens; ++pen) {
        const Rgb c = pen_colour(pen);
        cpgscr(pen, c.red, c.green, c.blue);
    }
    cpgsvp(0.0F, 1.0F, 0.0F, 1.0F);
    if (equal_scales) {
        cpgwnad(sheet.x1, sheet.x2, sheet.y1, sheet.y2);
    } else {
        cpgswin(sheet.x1, sheet.x2, sheet.y1, sheet.y2);
    }
    giza_set_line_width(line_width);
    cpgsci(1);
    float em_x = 0.0F;
    float em_y = 0.0F;
    cpgsch(1.0F);
    cpgqcs(4, &em_x, &em_y);
    return em_y;
}

void repaint_window() { cpgupdt(); }

enum class Output {
    Document,     // PDF, PostScript: one file, a page for each PLOTS
    FilePerPage,  // PNG, SVG, EPS: a file for each page
    Window,       // drawn at once
    Nothing,
};

class PgplotDevice final : public Device {
public:
    PgplotDevice(const DeviceName& name, float width, float height, float margin, double dpi,
                 std::vector<std::string>& written)
        : name_(name), width_(width), height_(height), margin_(margin), dpi_(dpi), written_(written) {
        if (name.interactive) {
            output_ = Output::Window;
        } else if (name.file.empty()) {
            output_ = Output::Nothing;
        } else if (name.type == "pdf" || name.type == "ps") {
            output_ = Output::Document;
        } else {
            output_ = Output::FilePerPage;
        }
        target_.file = &file_;
    }

    ~PgplotDevice() override { route_giza_to(nullptr); }

    // Opens the first file or the window. Returns why the file cannot be written, or nothing.
    std::string start() {
        if (output_ == Output::Window) {
            open_window();
        } else if (output_ != Output::Nothing && !open_next_file()) {
            return file_.failure();
        }
        return {};
    }

    void set_pen(int pen) override {
        if (output_ == Output::Nothing) {
            return;
        }
        draw_line();
        record_.pen(pen);
        if (live()) {
            cpgsci(pen);
        }
    }

    // Connected polylines are gathered into one line, thinned of points closer together than
    // anyone can see, and drawn at the next other primitive: cairo's stroking and, for PDF, the
    // formatting and compressing of every point cost far more than the thinning, and one stroke
    // has no seams where pieces meet.
    void polyline(const float* x, const float* y, int n) override {
        if (n < 2 || output_ == Output::Nothing) {
            return;
        }
        if (!line_open_ || x[0] != thinner_.last_x() || y[0] != thinner_.last_y()) {
            draw_line();
            thinner_.start(x[0], y[0]);
            line_open_ = true;
        }
        for (int i = 1; i < n; ++i) {
            thinner_.add(x[i], y[i]);
        }
        if (thinner_.kept_x().size() >= kMaxLinePoints) {
            stroke_kept();
            thinner_.drop_all_but_last();
        }
    }

    void glyph(float x, float y, float angle, float size, int code) override {
        if (output_ == Output::Nothing) {
            return;
        }
        draw_line();
        record_.glyph(x, y, angle, size, code);
        if (live()) {
            canvas_.glyph(x, y, angle, size, code);
        }
    }

    void pgtext(float x, float y, const char* text) override {
        if (output_ == Output::Nothing) {
            return;
        }
        draw_line();
        record_.text(x, y, text, kPgtextCapPerSheetHeight * page_sheet().height());
        if (live()) {
            canvas_.text(x, y, text);
        }
    }

    void begin_batch() override {
        if (live()) {
            cpgbbuf();
        }
    }
    void end_batch() override {
        draw_line();
        if (live()) {
            cpgebuf();
        }
    }
    void flush() override {
        draw_line();
        if (live()) {
            cpgupdt();
        }
    }

    bool cursor(float& x, float& y, int& key) override {
        draw_line();
        if (!live() || !has_cursor_) {
            return false;
        }
        cpgupdt();
        char ch = '\0';
        // giza's cpgcurs does not return PGPLOT's success flag; a hit is a key other than NUL.
        cpgcurs(&x, &y, &ch);
        if (ch == '\0' || !std::isfinite(x) || !std::isfinite(y)) {
            return false;
        }
        key = static_cast<unsigned char>(ch);
        return true;
    }

    std::string new_page(float width, float height) override {
        draw_line();
        std::string failure = finish_page();
        width_ = width;
        height_ = height;
        record_.clear();
        if (output_ == Output::Window) {
            giza_set_paper_size(GIZA_UNITS_MM, 10.0 * page_sheet().width(), 10.0 * page_sheet().height());
            cpgpage();
            start_live_page();
        } else if (output_ == Output::FilePerPage && failure.empty() && !open_next_file()) {
            failure = file_.failure();
        }
        return failure;
    }

    std::string close() override {
        draw_line();
        if (output_ == Output::Window) {
            close_window();
            return {};
        }
        std::string failure = finish_page();
        if (output_ == Output::Document) {
            close_giza();
            if (!file_.close() && failure.empty()) {
                failure = file_.failure();
            }
        }
        return failure;
    }

private:
    bool live() const { return output_ == Output::Window; }
    // The sheet of the page as PLOTS gave it: the page with the margin around it.
    Sheet page_sheet() const { return Sheet{-margin_, -margin_, width_ + margin_, height_ + margin_}; }

    void close_giza() {
        if (giza_open_) {
            quietly([] {
                cpgclos();
                return 0;
            });
            giza_open_ = false;
        }
    }

    void stroke_kept() {
        const auto n = thinner_.kept_x().size();
        record_.line(thinner_.kept_x().data(), thinner_.kept_y().data(), n);
        if (live()) {
            cpgline(static_cast<int>(n), thinner_.kept_x().data(), thinner_.kept_y().data());
        }
    }

    // Draws the gathered line, if any.
    void draw_line() {
        if (line_open_) {
            thinner_.finish();
            stroke_kept();
            line_open_ = false;
        }
    }

    // Opens the file the next page (or document) goes to, under the first name this run has not
    // written.
    bool open_next_file() {
        const std::string& first = name_.first_file;
        const std::size_t stem = first.size() - std::strlen(name_.extension) - 1;
        std::string name = first;
        for (int n = 2; std::find(written_.begin(), written_.end(), name) != written_.end(); ++n) {
            name = first.substr(0, stem) + "_" + std::to_string(n) + first.substr(stem);
        }
        written_.push_back(name);
        return file_.open(name);
    }

    // Writes the page kept so far on a sheet that holds all of it (a file device).
    std::string finish_page() {
        if (output_ != Output::Document && output_ != Output::FilePerPage) {
            return {};
        }
        if (!file_.is_open()) {
            return file_.failure();
        }
        const Sheet sheet = grown(page_sheet(), record_.ink(kLineWidth));
        const double width_mm = 10.0 * static_cast<double>(sheet.width());
        const double height_mm = 10.0 * static_cast<double>(sheet.height());
        float line_width = kGizaLineWidth;
        route_giza_to(&target_);
        if (giza_open_) {
            giza_set_paper_size(GIZA_UNITS_MM, width_mm, height_mm);
            target_.next_width_pt = width_mm / kMmPerPoint;
            target_.next_height_pt = height_mm / kMmPerPoint;
            quietly([] {
                cpgpage();
                return 0;
            });
        } else {
            const std::string device = std::string("/") + name_.type;
            int id = 0;
            if (name_.type == "png") {
                // Pixels at the chosen resolution, fewer on a page too big to hold in memory.
                const double inches = static_cast<double>(sheet.width()) * static_cast<double>(sheet.height()) /
                                      (kCmPerInch * kCmPerInch);
                const double dpi = std::fmin(dpi_, std::sqrt(kMaxPixels / inches));
                line_width = static_cast<float>(kGizaLineWidth * dpi / kPointsPerInch);
                id = quietly([&] {
                    return giza_open_device_size(device.c_str(), file_.name().c_str(),
                                                 std::round(sheet.width() / kCmPerInch * dpi),
                                                 std::round(sheet.height() / kCmPerInch * dpi), GIZA_UNITS_PIXELS);
                });
            } else {
                id = quietly([&] {
                    return giza_open_device_size(device.c_str(), file_.name().c_str(), width_mm, height_mm,
                                                 GIZA_UNITS_MM);
                });
            }
            if (id <= 0) {
                route_giza_to(nullptr);
                file_.discard();
                return "cannot write " + file_.name() + ": giza cannot draw the page";
            }
            cpgask(0);
            giza_open_ = true;
        }
        const float em = set_up_page(sheet, line_width, false);
        // PGTEXT keeps the size giza gives it on the page without the growth.
        canvas_.begin(em, page_sheet().height() / sheet.height());
        record_.replay(canvas_);
        // giza writes a PNG page at its close only if the page was flushed, which drawing does:
        // a page with nothing drawn must be flushed here, or its file stays empty.
        cpgupdt();
        std::string failure;
        if (output_ == Output::FilePerPage) {
            close_giza();
            if (!file_.close()) {
                failure = file_.failure();
            }
        }
        route_giza_to(nullptr);
        return failure;
    }

    void open_window() {
        route_giza_to(&target_);
        const int id = quietly([&] {
            return giza_open_device_size("/xw", "", 10.0 * page_sheet().width(), 10.0 * page_sheet().height(),
                                         GIZA_UNITS_MM);
        });
        route_giza_to(nullptr);
        if (id <= 0) {
            fail("/xw", "cannot connect to the X display");
        }
        giza_open_ = true;
        cpgask(0);
        char answer[8] = {};
        int answer_length = sizeof answer - 1;
        cpgqinf("CURSOR", answer, &answer_length);
        has_cursor_ = std::strncmp(answer, "YES", 3) == 0;
        start_live_page();
    }

    void start_live_page() {
        live_em_ = set_up_page(page_sheet(), kGizaLineWidth, false);
        cpgeras();
        canvas_.begin(live_em_, 1.0F);
    }

    // Shows the whole page, scaled down if its ink reaches beyond the window, and waits for a
    // key in the window or its closing.
    void close_window() {
        const InkBox ink = record_.ink(kLineWidth);
        if (!covers(page_sheet(), ink)) {
            const Sheet sheet = grown(page_sheet(), ink);
            cpgeras();
            const float em = set_up_page(sheet, kGizaLineWidth, true);
            canvas_.begin(em, live_em_ / em);
            record_.replay(canvas_);
        }
        cpgupdt();
        const std::string title = std::string(program_invocation_short_name) +
                                  ": the plot is complete; hit a key in this window or close it to end";
        wait_for_window(target_, title, repaint_window);
        close_giza();
    }

    DeviceName name_;
    Output output_ = Output::Nothing;
    float width_;
    float height_;
    float margin_;
    double dpi_;
    std::vector<std::string>& written_;
    OutputFile file_;
    GizaTarget target_;
    bool giza_open_ = false;
    bool has_cursor_ = false;
    float live_em_ = 1.0F;
    PageRecord record_;
    GizaCanvas canvas_;
    PolylineThinner thinner_{kThinTolerance};
    bool line_open_ = false;
};

// The PNG resolution PGPLOT_PNG_DPI asks for, or the default.
double png_dpi() {
    const char* env = std::getenv("PGPLOT_PNG_DPI");
    if (env == nullptr || *env == '\0') {
        return kDefaultDpi;
    }
    char* end = nullptr;
    const double dpi = std::strtod(env, &end);
    if (*end != '\0' || !(dpi >= kMinDpi && dpi <= kMaxDpi)) {
        std::fprintf(stderr, "plotter: PGPLOT_PNG_DPI must be a resolution from %g to %g dots per inch, not \"%s\"\n",
                     kMinDpi, kMaxDpi, env);
        std::fflush(stderr);
        std::exit(1);
    }
    return dpi;
}

// The device TEXT names; a text that names none ends the program.
DeviceName named_device(const std::string& text) {
    DeviceName name = parse_device_name(text);
    if (!name.valid) {
        fail(text, name.error);
    }
    return name;
}

}  // namespace

void check_device_name(const std::string& text) { named_device(text); }

std::unique_ptr<Device> open_pgplot_device(const std::string& device_text, float width, float height, float margin,
                                           std::vector<std::string>& written) {
    const DeviceName name = named_device(device_text);
    giza_stop_warnings();
    if (name.interactive) {
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr || *display == '\0') {
            fail(device_text, "no X display (DISPLAY is not set)");
        }
    }
    const double dpi = name.type == "png" ? png_dpi() : kDefaultDpi;
    auto device = std::make_unique<PgplotDevice>(name, width, height, margin, dpi, written);
    const std::string failure = device->start();
    if (!failure.empty()) {
        fail(device_text, failure);
    }
    return device;
}

}  // namespace plotter

#if defined(__SANITIZE_ADDRESS__)
// fontconfig and cairo keep caches for the life of the process and never free them; giza gives
// no way to release them. Tell LeakSanitizer, so leaks of our own stay visible.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libcairo.so\nleak:libX11.so\nleak:libpixman-1.so\n";
}

// ... and keep its list of used suppressions off standard error, which tests read byte for byte.
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
#endif
