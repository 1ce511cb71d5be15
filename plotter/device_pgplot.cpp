// The PGPLOT device: a true-size page on giza's PGPLOT, named by PGPLOT_DEV.
#include <cpgplot.h>
#include <fcntl.h>
#include <unistd.h>

// giza.h declares C functions without saying so.
extern "C" {
#include <giza.h>
}

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
#include "geometry.h"
#include "style.h"
#include "text.h"

namespace plotter {

namespace {

// The font the advance table in text.cpp was measured on.
constexpr const char* kFont = "DejaVu Sans";
// Line width in giza's units (0.25 mm each, where PGPLOT's were 0.005 inch): 0.5 mm lines.
constexpr int kLineWidth = 2;
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

// Runs OPEN with standard error sent to /dev/null: giza reports a failed open itself, in its
// own words; our one message follows instead.
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

class PgplotDevice final : public Device {
public:
    PgplotDevice(bool has_cursor, float em_per_character_size)
        : has_cursor_(has_cursor), em_per_character_size_(em_per_character_size) {}

    void set_pen(int pen) override {
        draw_line();
        cpgsci(pen);
    }

    // Connected polylines are gathered into one line, thinned of points closer together than
    // anyone can see, and drawn at the next other primitive: cairo's stroking and, for PDF, the
    // formatting and compressing of every point cost far more than the thinning, and one stroke
    // has no seams where pieces meet.
    void polyline(const float* x, const float* y, int n) override {
        if (n < 2) {
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
        draw_line();
        const float character_size = size / kCapHeightPerEm / em_per_character_size_;
        if (character_size != character_size_) {
            cpgsch(character_size);
            character_size_ = character_size;
        }
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

    void pgtext(float x, float y, const char* text) override {
        draw_line();
        // PGTEXT writes in PGPLOT's standard character size, whatever the last glyph used.
        cpgsch(1.0F);
        character_size_ = 1.0F;
        cpgtext(x, y, text);
    }

    void begin_batch() override { cpgbbuf(); }
    void end_batch() override {
        draw_line();
        cpgebuf();
    }
    void flush() override {
        draw_line();
        cpgupdt();
    }

    bool cursor(float& x, float& y, int& key) override {
        draw_line();
        if (!has_cursor_) {
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

    void close() override {
        draw_line();
        cpgclos();
    }

private:
    void stroke_kept() {
        cpgline(static_cast<int>(thinner_.kept_x().size()), thinner_.kept_x().data(), thinner_.kept_y().data());
    }

    // Draws the gathered line, if any.
    void draw_line() {
        if (line_open_) {
            thinner_.finish();
            stroke_kept();
            line_open_ = false;
        }
    }

    bool has_cursor_;
    float em_per_character_size_;
    float character_size_ = 0.0F;
    PolylineThinner thinner_{kThinTolerance};
    bool line_open_ = false;
};

bool ends_with_extension(const std::string& name, const char* extension) {
    const std::size_t n = std::strlen(extension);
    if (name.size() < n + 1 || name[name.size() - n - 1] != '.') {
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (std::tolower(static_cast<unsigned char>(name[name.size() - n + i])) != extension[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::unique_ptr<Device> open_pgplot_device(float width, float height, float margin) {
    const char* env = std::getenv("PGPLOT_DEV");
    const std::string device_text = env != nullptr && *env != '\0' ? env : kDefaultDevice;
    const DeviceName name = parse_device_name(device_text);
    if (!name.valid) {
        fail(device_text, name.error);
    }
    giza_stop_warnings();
    if (name.interactive) {
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr || *display == '\0') {
            fail(device_text, "no X display (DISPLAY is not set)");
        }
    } else if (!name.file.empty()) {
        // giza reports an unwritable file only when it closes the page; find out now, and once.
        const std::string file =
            name.file + (ends_with_extension(name.file, name.extension) ? "" : std::string(".") + name.extension);
        std::FILE* probe = std::fopen(file.c_str(), "wb");
        if (probe == nullptr) {
            fail(device_text, std::string("cannot write ") + file + ": " + std::strerror(errno));
        }
        std::fclose(probe);
    }
    const std::string device = std::string("/") + name.type;
    const double page_width_mm = 10.0 * (static_cast<double>(width) + 2.0 * margin);
    const double page_height_mm = 10.0 * (static_cast<double>(height) + 2.0 * margin);
    const int id = quietly([&] {
        return giza_open_device_size(device.c_str(), name.file.c_str(), page_width_mm, page_height_mm, GIZA_UNITS_MM);
    });
    if (id <= 0) {
        fail(device_text, name.interactive ? "cannot connect to the X display" : "giza cannot create it");
    }
    cpgask(0);
    giza_set_font(kFont);
    cpgscr(0, 1.0F, 1.0F, 1.0F);
    for (int pen = 1; pen <= kPens; ++pen) {
        const Rgb c = pen_colour(pen);
        cpgscr(pen, c.red, c.green, c.blue);
    }
    cpgsvp(0.0F, 1.0F, 0.0F, 1.0F);
    cpgswin(-margin, width + margin, -margin, height + margin);
    cpgslw(kLineWidth);
    cpgsci(1);
    if (name.interactive) {
        cpgeras();
    }
    float em_x = 0.0F;
    float em_y = 0.0F;
    cpgsch(1.0F);
    cpgqcs(4, &em_x, &em_y);
    char answer[8] = {};
    int answer_length = sizeof answer - 1;
    cpgqinf("CURSOR", answer, &answer_length);
    const bool has_cursor = std::strncmp(answer, "YES", 3) == 0;
    return std::make_unique<PgplotDevice>(has_cursor, em_y > 0.0F ? em_y : 1.0F);
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
