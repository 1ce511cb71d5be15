// The file devices on cairo (PDF, PostScript, EPS, SVG, PNG), the null device, and the choice of
// device for a PGPLOT_DEV text.
//
// A file device keeps a page's drawing until the page ends (the next PLOTS, PLTEND, the program's
// end); then the sheet is made as large as the ink needs and the page is drawn on it. Every byte
// goes through a checked OutputFile, so a full disk is noticed and reported.
#include <cairo-pdf.h>
#include <cairo-ps.h>
#include <cairo-svg.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "canvas.h"
#include "device.h"
#include "device_name.h"
#include "device_page.h"
#include "geometry.h"
#include "output_file.h"

#ifndef DIAGR_VERSION
#define DIAGR_VERSION "0"
#endif

namespace plotter {

namespace {

// PNG resolution, dots per inch: the default, and the range PGPLOT_PNG_DPI may choose from. A
// page with more pixels than kMaxPixels is drawn at the resolution that keeps it to that many.
constexpr double kDefaultDpi = 150.0;
constexpr double kMinDpi = 10.0;
constexpr double kMaxDpi = 1200.0;
constexpr double kMaxPixels = 5.0e7;
constexpr double kCmPerInch = 2.54;

// The creation date SOURCE_DATE_EPOCH gives (seconds since 1970, UTC) in strftime's FORMAT, or
// empty: files carry no date of their own, so the same calls give the same bytes.
std::string source_date(const char* format) {
    const char* env = std::getenv("SOURCE_DATE_EPOCH");
    if (env == nullptr || *env == '\0') {
        return {};
    }
    char* end = nullptr;
    const long long seconds = std::strtoll(env, &end, 10);
    if (*end != '\0' || seconds < 0) {
        return {};
    }
    const auto time = static_cast<std::time_t>(seconds);
    std::tm utc{};
    char text[64] = {};
    if (gmtime_r(&time, &utc) == nullptr || std::strftime(text, sizeof text, format, &utc) == 0) {
        return {};
    }
    return text;
}

std::string producer() { return std::string("diagr " DIAGR_VERSION ", cairo ") + cairo_version_string(); }

// What a PDF or PostScript file says of its maker and date, made ours as the bytes are written.
std::vector<StreamEdit> document_edits(const std::string& type) {
    if (type == "pdf") {
        // cairo names itself the producer; the date is set on the surface.
        return {StreamEdit{"/Producer (cairo ", "))", "/Producer (" + producer() + ")", true}};
    }
    if (type == "ps" || type == "eps") {
        const std::string date = source_date("%a %b %e %H:%M:%S %Y");
        return {StreamEdit{"%%Creator: cairo ", "\n", "%%Creator: " + producer() + "\n", false},
                StreamEdit{"%%CreationDate: ", "\n", date.empty() ? "" : "%%CreationDate: " + date + "\n", false}};
    }
    return {};
}

enum class Output {
    Document,     // PDF, PostScript: one file, a page for each PLOTS
    FilePerPage,  // PNG, SVG, EPS: a file for each page
};

class FileDevice final : public Device {
    // Takes a finished line of the gatherer (declared first: its type is deduced).
    auto keep_line() {
        return [this](const float* x, const float* y, int n) { record_.line(x, y, static_cast<std::size_t>(n)); };
    }

public:
    FileDevice(const DeviceName& name, float width, float height, float margin, double dpi,
               std::vector<std::string>& written)
        : name_(name),
          output_(name.type == "pdf" || name.type == "ps" ? Output::Document : Output::FilePerPage),
          page_(page_sheet(width, height, margin)),
          margin_(margin),
          dpi_(dpi),
          written_(written) {}

    ~FileDevice() override {
        if (surface_ != nullptr) {
            cairo_surface_destroy(surface_);
        }
    }

    // Opens the first file. Returns why it cannot be written, or nothing.
    std::string start() { return open_next_file() ? std::string() : file_.failure(); }

    void set_pen(int pen) override {
        draw_line();
        record_.pen(pen);
    }

    void polyline(const float* x, const float* y, int n) override { lines_.add(x, y, n, keep_line()); }

    void glyph(float x, float y, float angle, float size, int code) override {
        draw_line();
        record_.glyph(x, y, angle, size, code);
    }

    void fill(const float* x, const float* y, int n, bool paper, float opacity) override {
        draw_line();
        record_.fill(x, y, static_cast<std::size_t>(n), paper, opacity);
    }

    void begin_batch() override {}
    void end_batch() override { draw_line(); }
    void flush() override { draw_line(); }
    bool cursor(float&, float&, int&) override {
        draw_line();
        return false;
    }

    std::string new_page(float width, float height) override {
        draw_line();
        std::string failure = finish_page();
        if (!failure.empty()) {
            // The run ends with the report: what was written of the file goes.
            file_.discard();
        }
        page_ = page_sheet(width, height, margin_);
        record_.clear();
        return failure;
    }

    std::string close() override {
        draw_line();
        std::string failure = finish_page();
        if (output_ == Output::Document && surface_ != nullptr) {
            if (name_.type == "ps") {
                // cairo writes the header at the end and gives a document of pages of several
                // sizes a box that holds only some of them; every page lies in this one.
                file_.add_edit(StreamEdit{"%%BoundingBox: ", "\n",
                                          "%%BoundingBox: 0 0 " + std::to_string(std::lround(std::ceil(widest_pt_))) +
                                              " " + std::to_string(std::lround(std::ceil(tallest_pt_))) + "\n",
                                          false});
            }
            cairo_surface_finish(surface_);
            note_cairo_failure(surface_);
            cairo_surface_destroy(surface_);
            surface_ = nullptr;
        }
        if (file_.is_open() && !file_.close() && failure.empty()) {
            failure = file_.failure();
        }
        return failure;
    }

private:
    void draw_line() { lines_.finish(keep_line()); }

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
        return file_.open(name, document_edits(name_.type));
    }

    void note_cairo_failure(cairo_surface_t* surface) {
        const cairo_status_t status = cairo_surface_status(surface);
        if (status != CAIRO_STATUS_SUCCESS) {
            file_.fail(cairo_status_to_string(status));
        }
    }

    // Draws the kept page on SURFACE, whose units are UNITS_PER_CM per cm, sheet SHEET.
    void draw_page(cairo_surface_t* surface, const Sheet& sheet, double units_per_cm) {
        cairo_t* context = cairo_create(surface);
        // PostScript has no transparency: its fills are mixed with white (see Canvas::begin).
        canvas_.begin(context, sheet, units_per_cm, name_.type != "ps" && name_.type != "eps");
        canvas_.clear();
        record_.replay(canvas_);
        canvas_.stroke();
        cairo_show_page(context);
        cairo_destroy(context);
    }

    cairo_surface_t* document_surface(double width_pt, double height_pt) {
        cairo_surface_t* surface = nullptr;
        if (name_.type == "pdf") {
            surface = cairo_pdf_surface_create_for_stream(OutputFile::write_to, &file_, width_pt, height_pt);
            cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE,
                                           source_date("%Y-%m-%dT%H:%M:%SZ").c_str());
        } else {
            surface = cairo_ps_surface_create_for_stream(OutputFile::write_to, &file_, width_pt, height_pt);
            cairo_ps_surface_set_eps(surface, name_.type == "eps" ? 1 : 0);
        }
        return surface;
    }

    // Writes the page kept so far on a sheet that holds all of it.
    std::string finish_page() {
        if (!file_.is_open() && !(output_ == Output::FilePerPage && open_next_file())) {
            return file_.failure();
        }
        const Sheet sheet = grown(page_, record_.ink(kLineWidth));
        const double width_pt = static_cast<double>(sheet.width()) * kPointsPerCm;
        const double height_pt = static_cast<double>(sheet.height()) * kPointsPerCm;
        if (output_ == Output::Document) {
            widest_pt_ = std::fmax(widest_pt_, width_pt);
            tallest_pt_ = std::fmax(tallest_pt_, height_pt);
            if (surface_ == nullptr) {
                surface_ = document_surface(width_pt, height_pt);
            } else if (name_.type == "pdf") {
                cairo_pdf_surface_set_size(surface_, width_pt, height_pt);
            } else {
                cairo_ps_surface_set_size(surface_, width_pt, height_pt);
            }
            draw_page(surface_, sheet, kPointsPerCm);
            note_cairo_failure(surface_);
            return file_.failure();
        }
        cairo_surface_t* surface = nullptr;
        if (name_.type == "png") {
            // Pixels at the chosen resolution, fewer on a page too big to hold in memory.
            const double inches =
                static_cast<double>(sheet.width()) * static_cast<double>(sheet.height()) / (kCmPerInch * kCmPerInch);
            const double dpi = std::fmin(dpi_, std::sqrt(kMaxPixels / inches));
            const double per_cm = dpi / kCmPerInch;
            const int width = std::max(1, static_cast<int>(std::lround(sheet.width() * per_cm)));
            const int height = std::max(1, static_cast<int>(std::lround(sheet.height() * per_cm)));
            surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
            draw_page(surface, sheet, per_cm);
            note_cairo_failure(surface);
            if (file_.failure().empty()) {
                cairo_surface_write_to_png_stream(surface, OutputFile::write_to, &file_);
            }
        } else {
            surface = name_.type == "svg"
                          ? cairo_svg_surface_create_for_stream(OutputFile::write_to, &file_, width_pt, height_pt)
                          : document_surface(width_pt, height_pt);
            draw_page(surface, sheet, kPointsPerCm);
            cairo_surface_finish(surface);
            note_cairo_failure(surface);
        }
        cairo_surface_destroy(surface);
        return file_.close() ? std::string() : file_.failure();
    }

    DeviceName name_;
    Output output_;
    Sheet page_;  // the sheet of the page as PLOTS gave it: the page with the margin around it
    float margin_;
    double dpi_;
    std::vector<std::string>& written_;
    OutputFile file_;
    cairo_surface_t* surface_ = nullptr;  // the document's surface (PDF, PostScript)
    double widest_pt_ = 0.0;              // the width of its widest page and the height of its tallest
    double tallest_pt_ = 0.0;
    PageRecord record_;
    Canvas canvas_;
    LineGatherer lines_;
};

// /null: draws nothing.
class NullDevice final : public Device {
public:
    void set_pen(int) override {}
    void polyline(const float*, const float*, int) override {}
    void glyph(float, float, float, float, int) override {}
    void fill(const float*, const float*, int, bool, float) override {}
    void begin_batch() override {}
    void end_batch() override {}
    void flush() override {}
    bool cursor(float&, float&, int&) override { return false; }
    std::string new_page(float, float) override { return {}; }
    std::string close() override { return {}; }
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
        device_failed(text, name.error);
    }
    return name;
}

}  // namespace

void device_failed(const std::string& device, const std::string& reason) {
    std::fprintf(stderr, "plotter: cannot open the plot device \"%s\": %s\n", device.c_str(), reason.c_str());
    std::fflush(stderr);
    std::exit(1);
}

void check_device_name(const std::string& text) { named_device(text); }

std::unique_ptr<Device> open_plot_device(const std::string& device_text, float width, float height, float margin,
                                         std::vector<std::string>& written) {
    const DeviceName name = named_device(device_text);
    if (name.interactive) {
        return open_window_device(name, width, height, margin);
    }
    if (name.file.empty()) {
        return std::make_unique<NullDevice>();
    }
    const double dpi = name.type == "png" ? png_dpi() : kDefaultDpi;
    auto device = std::make_unique<FileDevice>(name, width, height, margin, dpi, written);
    const std::string failure = device->start();
    if (!failure.empty()) {
        device_failed(device_text, failure);
    }
    return device;
}

}  // namespace plotter
