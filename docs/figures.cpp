// diagr_figures [DIR]: draws the pictures of docs/guide.md as PNG files into DIR (default: the
// current directory), one page per picture.
//
//   build/docs/diagr_figures docs
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "diagr.h"
#include "diagr.hpp"
#include "plotter.h"
#include "text.h"

namespace {

std::string output_dir = ".";

// Opens a page of WIDTH x HEIGHT cm that goes to DIR/NAME.png.
void open_page(const char* name, float width, float height) {
    const std::string device = output_dir + "/" + name + ".png/png";
    setenv("PGPLOT_DEV", device.c_str(), 1);
    PLTPAR = LABINI_VALUES;
    PLOTS(1, 0, width, height);
}

// A text without mark-up, its length taken from the C string.
void label(float x, float y, float height, const char* text) {
    SYMBOL(x, y, height, text, 0.0F, static_cast<int>(std::strlen(text)), static_cast<int>(std::strlen(text)));
}

void markup_text(float x, float y, float height, const char* text) {
    SYMBLK(x, y, height, text, 0.0F, static_cast<int>(std::strlen(text)), static_cast<int>(std::strlen(text)));
}

// TEXT as it is, set from its start: SYMBLK with its & and # doubled. (SYMBOL centres a text in
// its cells, so texts of different lengths in one column would start apart.)
void literal_text(float x, float y, float height, const char* text) {
    std::string doubled;
    for (const char* c = text; *c != '\0'; ++c) {
        doubled += (*c == '&' || *c == '#') ? std::string(2, *c) : std::string(1, *c);
    }
    markup_text(x, y, height, doubled.c_str());
}

// The three curve modes in one diagram: a solid line (ISYM 0), dashes of 0.3 cm (ISYM 0.3) and
// marker 1 at every point (ISYM -1).
void curve_modes() {
    open_page("curves", 18.0F, 10.0F);
    constexpr int kPoints = 25;
    float x[kPoints];
    float sine[kPoints];
    float cosine[kPoints];
    float damped[kPoints];
    for (int i = 0; i < kPoints; ++i) {
        x[i] = 0.25F * static_cast<float>(i);
        sine[i] = std::sin(x[i]);
        cosine[i] = 0.8F * std::cos(x[i]);
        damped[i] = std::exp(-0.4F * x[i]) * std::sin(2.0F * x[i]);
    }
    float xmin = 0.0F;
    float xmax = 0.0F;
    float ymin = -1.2F;
    float ymax = 1.2F;
    DIAGR(3.0F, 2.0F, 9.0F, 7.0F, xmin, xmax, ymin, ymax, 0.0F, 0.0F, "x", "y", "ISYM 0, 0.3 and -1", 1, 3, x, sine,
          kPoints, 0.0F, 1, 1, 18);
    OVR(x, cosine, kPoints, 0.3F, 2);
    OVR(x, damped, kPoints, -1.0F, 4);

    // The legend lies outside the frame: OVR left the clipping window on the frame.
    CPLOT(0.0F, 0.0F, 997);
    CPLOT(18.0F, 10.0F, 998);
    NEWPEN(3);
    PLOT(13.0F, 7.5F, 3);
    PLOT(14.2F, 7.5F, 2);
    NEWPEN(2);
    CDASH(13.0F, 6.5F, 3, 0.3F);
    CDASH(14.2F, 6.5F, 2, 0.3F);
    NEWPEN(4);
    CENSYM(13.6F, 5.5F, 1, 0.3F, 0.3F, 0.0F);
    // The values in a column of their own.
    NEWPEN(1);
    const char* const values[] = {"0", "0.3", "-1"};
    for (int i = 0; i < 3; ++i) {
        const float y = 7.35F - static_cast<float>(i);
        literal_text(14.5F, y, 0.3F, "ISYM");
        literal_text(15.85F, y, 0.3F, values[i]);
    }
    PLTEND();
}

// Mark-up: each line shows the text as given (SYMBOL, no mark-up) and as SYMBLK draws it.
void markup() {
    open_page("markup", 16.0F, 9.0F);
    const char* const samples[] = {
        "x&H2&M + y&H2&M = r&H2", "H&T2&MO and CO&T2",    "10&H-3&M m", "#abg#: #a#, #b#, #g#", "#W# = 2#p#f",
        "a &&&& b, ## 1",         "E&Tkin&M = mv&H2&M/2",
    };
    float y = 8.0F;
    NEWPEN(1);
    literal_text(0.5F, y, 0.3F, "text field");
    literal_text(9.0F, y, 0.3F, "SYMBLK draws");
    y -= 1.1F;
    for (const char* sample : samples) {
        NEWPEN(10);
        literal_text(0.5F, y, 0.3F, sample);
        NEWPEN(1);
        markup_text(9.0F, y, 0.45F, sample);
        y -= 1.0F;
    }
    PLTEND();
}

// A frame in user units 0..10 x 0..10.
void plain_frame(float x0, float y0, float size, const char* title, int title_len) {
    FRALAB(1, 1, 0.3F, 0.3F, 0.35F, 0.3F);
    FRAME(x0, y0, size, size, 0.0F, 10.0F, 0.0F, 10.0F, 5.0F, 5.0F, "x", "y", title, 10, 1, 1, title_len);
}

// Keypad justification: the same point, nine texts, each placed by its JUST code.
void justification() {
    open_page("justification", 17.0F, 12.0F);
    plain_frame(3.0F, 2.0F, 8.0F, "PTXT justification", 18);
    const float columns[3] = {1.5F, 5.0F, 8.5F};
    const float rows[3] = {8.0F, 5.0F, 2.0F};
    const char* const names[9] = {"JUST 7", "JUST 8", "JUST 9", "JUST 4", "JUST 5",
                                  "JUST 6", "JUST 1", "JUST 2", "JUST 3"};
    const int codes[9] = {7, 8, 9, 4, 5, 6, 1, 2, 3};
    for (int i = 0; i < 9; ++i) {
        const float x = columns[i % 3];
        const float y = rows[i / 3];
        NEWPEN(2);
        CENSYM(XCM(x), YCM(y), 3, 0.3F, 0.3F, 0.0F);
        PTXT(x, y, names[i], 0.35F, codes[i], 1, 0, 6);
    }
    NEWPEN(1);
    literal_text(12.0F, 9.0F, 0.3F, "+ = (X, Y)");
    literal_text(12.0F, 8.2F, 0.3F, "7 8 9  top");
    literal_text(12.0F, 7.6F, 0.3F, "4 5 6  middle");
    literal_text(12.0F, 7.0F, 0.3F, "1 2 3  base");
    literal_text(12.0F, 6.2F, 0.3F, "left centre right");
    PLTEND();
}

// Option codes: each digit of IOPT makes one of x, y, height a fraction of the frame instead of
// user units, in a diagram whose user ranges (x 0..2, y 0..4) are not 0..1.
void options() {
    open_page("options", 20.0F, 11.0F);
    FRALAB(1, 1, 0.3F, 0.3F, 0.35F, 0.3F);
    const char* const title = "PTXT(X, Y, TEXT, HEIGHT, 1, IPEN, IOPT)";
    FRAME(2.0F, 2.0F, 14.0F, 7.0F, 0.0F, 2.0F, 0.0F, 4.0F, 0.5F, 1.0F, "x (user units)", "y (user units)", title, 10,
          14, 14, static_cast<int>(std::strlen(title)));
    const struct {
        float x;
        float y;
        float height;
        int iopt;
        int pen;
        const char* text;
    } cases[] = {
        {0.2F, 0.5F, 0.2F, 0, 1, "IOPT 0: X 0.2, Y 0.5, HEIGHT 0.2 user units"},
        {0.5F, 1.5F, 0.2F, 100, 2, "IOPT 100: X 0.5 of the width"},
        {0.2F, 0.5F, 0.2F, 10, 3, "IOPT 10: Y 0.5 of the height"},
        {0.5F, 0.8F, 0.05F, 111, 4, "IOPT 111: HEIGHT 0.05 of the height"},
    };
    for (const auto& c : cases) {
        const float frame_width = PLTPAR.XRIGHT - PLTPAR.XLEFT;
        const float frame_height = PLTPAR.YTOP - PLTPAR.YBOTM;
        const float xcm = (c.iopt / 100 != 0) ? PLTPAR.XLEFT + c.x * frame_width : XCM(c.x);
        const float ycm = ((c.iopt / 10) % 10 != 0) ? PLTPAR.YBOTM + c.y * frame_height : YCM(c.y);
        NEWPEN(c.pen);
        CENSYM(xcm, ycm, 3, 0.3F, 0.3F, 0.0F);
        PTXT(c.x, c.y, c.text, c.height, 1, c.pen, c.iopt, static_cast<int>(std::strlen(c.text)));
    }
    PLTEND();
}

// The fifteen pens and the eleven markers.
void pens_and_markers() {
    open_page("pens_markers", 16.0F, 9.0F);
    for (int pen = 1; pen <= 15; ++pen) {
        const float y = 8.5F - 0.5F * static_cast<float>(pen);
        NEWPEN(pen);
        char number[8];
        std::snprintf(number, sizeof number, "%2d", pen);
        label(0.5F, y - 0.12F, 0.3F, number);
        for (float offset = -0.03F; offset <= 0.031F; offset += 0.03F) {
            PLOT(1.8F, y + offset, 3);
            PLOT(6.5F, y + offset, 2);
        }
    }
    NEWPEN(1);
    label(0.5F, 8.4F, 0.3F, "NEWPEN");
    label(8.5F, 8.4F, 0.3F, "CENSYM marker");
    for (int marker = 0; marker <= 10; ++marker) {
        const float x = 9.0F + 2.0F * static_cast<float>(marker % 3);
        const float y = 7.0F - 1.6F * static_cast<float>(marker / 3);
        NEWPEN(1);
        CENSYM(x + 0.9F, y, marker, 0.6F, 0.6F, 0.0F);
        char number[8];
        std::snprintf(number, sizeof number, "%d", marker);
        NEWPEN(10);
        label(x - 0.3F, y - 0.15F, 0.3F, number);
    }
    PLTEND();
}

// Logarithmic axes: a decay on a logarithmic y axis (ranges from the data, plain numbers) and a
// spectrum on two logarithmic axes (decades as powers of ten).
void logarithmic_axes() {
    open_page("logaxes", 22.0F, 10.0F);
    constexpr int kPoints = 60;
    float t[kPoints];
    float counts[kPoints];
    float f[kPoints];
    float power[kPoints];
    for (int i = 0; i < kPoints; ++i) {
        t[i] = 0.2F * static_cast<float>(i);
        counts[i] = 3000.0F * std::exp(-t[i] / 1.5F) + 5.0F * std::exp(-t[i] / 20.0F);
        f[i] = std::pow(10.0F, -2.0F + 0.15F * static_cast<float>(i));
        power[i] = 1.0E-3F / (1.0F + std::pow(f[i] / 3.0F, 2.0F)) + 1.0E-9F * f[i];
    }
    LOGAX(0, 1);
    float xmin = 0.0F;
    float xmax = 12.0F;
    float ymin = 0.0F;
    float ymax = 0.0F;
    DIAGR(3.0F, 2.0F, 7.0F, 7.0F, xmin, xmax, ymin, ymax, 0.0F, 0.0F, "time (s)", "counts", "LOGAX(0, 1)", 1, 3, t,
          counts, kPoints, 0.0F, 8, 6, 11);
    LOGAX(1, 1);
    xmin = xmax = ymin = ymax = 0.0F;
    DIAGR(14.0F, 2.0F, 7.0F, 7.0F, xmin, xmax, ymin, ymax, 0.0F, 0.0F, "f (Hz)", "S (V&H2&M/Hz)", "LOGAX(1, 1)", 1, 2,
          f, power, kPoints, 0.0F, 6, 13, 11);
    PLTEND();
}

// Time axes: a daily series over a year's end (ticks on months, the year at January, weeks
// between) and readings every ten minutes over a day (ticks on hours), both ranged by DIAGR from
// the data, labels 0.3 cm high.
void time_axes() {
    using namespace std::chrono;
    open_page("timeaxes", 24.0F, 10.0F);
    FRALAB(1, 1, 0.3F, 0.3F, 0.4F, PLTPAR.SYMSIZ);
    const sys_days start = year{2023} / November / 20;
    std::vector<sys_seconds> noons;
    std::vector<float> temperature;
    for (int day = 0; day < 92; ++day) {
        noons.push_back(start + days{day} + hours{12});
        const float d = static_cast<float>(day);
        temperature.push_back(8.0F - 0.1F * d + 0.0009F * d * d + 4.0F * std::sin(0.7F * d) * std::cos(0.23F * d));
    }
    std::vector<float> x(noons.size());
    diagr::seconds_after(start, noons, x);
    diagr::TIMAX(1, 0, start);
    float xmin = 0.0F;
    float xmax = 0.0F;
    float ymin = 0.0F;
    float ymax = 0.0F;
    diagr::DIAGR(2.5F, 2.5F, 9.0F, 6.5F, xmin, xmax, ymin, ymax, 0.0F, 0.0F, "day (UTC)", "T (°C)", "daily, 92 days", 1,
                 3, x, temperature, 0.0F);

    const sys_days day = year{2024} / March / 4;
    std::vector<float> t;
    std::vector<float> power;
    for (int i = 0; i <= 68; ++i) {
        const float seconds = 6.0F * 3600.0F + 600.0F * static_cast<float>(i);
        const float phase = (seconds / 3600.0F - 6.0F) / 12.0F * 3.14159265F;
        t.push_back(seconds);
        power.push_back(std::fmax(0.0F, 4.2F * std::sin(phase) + 0.4F * std::sin(1.7F * static_cast<float>(i))));
    }
    diagr::TIMAX(1, 0, day);
    xmin = xmax = ymin = ymax = 0.0F;
    diagr::DIAGR(14.5F, 2.5F, 9.0F, 6.5F, xmin, xmax, ymin, ymax, 0.0F, 0.0F, "time (UTC)", "P (kW)",
                 "every 10 minutes", 1, 2, t, power, 0.0F);
    PLTEND();
}

// Error bars under markers, one bar cut by the frame, and a legend placed where the curves leave
// room.
void error_bars_and_legend() {
    open_page("errorbars", 13.0F, 10.0F);
    constexpr int kPoints = 9;
    float x[kPoints];
    float y[kPoints];
    float error[kPoints];
    float model_x[50];
    float model_y[50];
    const float measured[kPoints] = {0.3F, 1.9F, 3.4F, 4.2F, 5.6F, 5.8F, 7.1F, 7.4F, 8.6F};
    for (int i = 0; i < kPoints; ++i) {
        x[i] = static_cast<float>(i + 1);
        y[i] = measured[i];
        error[i] = 0.3F + 0.12F * static_cast<float>(i);
    }
    error[8] = 2.5F;
    for (int i = 0; i < 50; ++i) {
        model_x[i] = 0.2F * static_cast<float>(i);
        model_y[i] = 8.0F * (1.0F - std::exp(-model_x[i] / 5.0F)) + 0.2F * model_x[i] - 0.5F;
    }
    float xmin = 0.0F;
    float xmax = 10.0F;
    float ymin = -1.0F;
    float ymax = 10.0F;
    DIAGR(2.5F, 2.0F, 9.5F, 7.0F, xmin, xmax, ymin, ymax, 0.0F, 0.0F, "x (mm)", "signal (mV)", "ERRY, OVR and LEGEND",
          1, 3, model_x, model_y, 50, 0.0F, 6, 11, 20);
    NEWPEN(2);
    ERRY(x, y, error, error, kPoints, 0.2F);
    OVR(x, y, kPoints, -1.0F, 2);
    LEGADD("model", 3, 0.0F, 0, 5);
    LEGADD("measured, 1#s", 2, -1.0F, 1, 13);
    LEGEND(0, 0.35F);
    PLTEND();
}

// Units and Greek letters three ways: typed as UTF-8, with the mark-up of SYMBLK, and with the
// escapes of PGTEXT; under each drawn text the field as it was given, in grey.
void characters() {
    constexpr float kHeight = 13.0F;
    open_page("characters", 16.0F, kHeight);
    // PGTEXT writes in its standard size for the sheet (the plot and its 1 cm margins); the other
    // columns take the same cap height.
    const float size = (kHeight + 2.0F) * plotter::kPgtextCapPerSheetHeight;
    const struct {
        const char* utf8;
        const char* markup;
        const char* pgtext;
    } rows[] = {
        {"θ = 20 °C", "#h# = 20 °C", "\\gh = 20 °C"},      {"λ = 550 nm", "#l# = 550 nm", "\\gl = 550 nm"},
        {"Δt = 5 µs", "#D#t = 5 #m#s", "\\gDt = 5 \\gms"}, {"x² + y²", "x&H2&M + y&H2", "x\\u2\\d + y\\u2"},
        {"R = 47 kΩ", "R = 47 k#W", "R = 47 k\\gW"},       {"1 Å = 0.1 nm", "1 Å = 0.1 nm", "1 Å = 0.1 nm"},
    };
    const float columns[3] = {0.5F, 6.0F, 11.5F};
    NEWPEN(1);
    literal_text(columns[0], 12.0F, size, "UTF-8");
    literal_text(columns[1], 12.0F, size, "mark-up (SYMBLK)");
    literal_text(columns[2], 12.0F, size, "PGTEXT");
    PLOT(columns[0], 11.6F, 3);
    PLOT(15.5F, 11.6F, 2);
    float y = 10.4F;
    for (const auto& row : rows) {
        NEWPEN(1);
        literal_text(columns[0], y, size, row.utf8);
        markup_text(columns[1], y, size, row.markup);
        PGTEXT(columns[2], y, row.pgtext, static_cast<int>(std::strlen(row.pgtext)));
        NEWPEN(10);
        literal_text(columns[1], y - 0.6F, 0.7F * size, row.markup);
        literal_text(columns[2], y - 0.6F, 0.7F * size, row.pgtext);
        y -= 1.75F;
    }
    PLTEND();
}

// Normal deviates of mean MEAN and spread SIGMA from a fixed seed, so the picture is the same each time.
void normal_sample(float* values, int n, float mean, float sigma, unsigned seed) {
    unsigned state = seed;
    const auto uniform = [&state]() {
        state = state * 1664525U + 1013904223U;
        return (static_cast<float>(state >> 8) + 0.5F) / 16777216.0F;
    };
    for (int i = 0; i < n; ++i) {
        const float r = std::sqrt(-2.0F * std::log(uniform()));
        values[i] = mean + sigma * r * std::cos(6.2831853F * uniform());
    }
}

// Two samples as translucent histograms on the same bins, one over the other, the legend beside
// them; to the right measured rates as a step curve over a model with its band.
void histograms() {
    open_page("histograms", 27.5F, 9.5F);
    constexpr int kFirst = 3000;
    constexpr int kSecond = 1200;
    static float first[kFirst];
    static float second[kSecond];
    normal_sample(first, kFirst, 5.0F, 1.3F, 7U);
    normal_sample(second, kSecond, 6.6F, 0.55F, 11U);
    // The bins HISTD chooses for the first sample, so the second is counted into the same ones.
    static float counts[200];
    int nbin = 0;
    float xmin = 0.0F;
    float xmax = 0.0F;
    diagr::BINS(first, nbin, xmin, xmax, counts);
    diagr::HISTD(2.2F, 1.8F, 9.0F, 6.5F, first, 0, "length (cm)", "count", "HISTD and HIST", 1, 3, 1);
    NEWPEN(2);
    diagr::HIST(second, nbin, xmin, xmax, 1);
    diagr::LEGADD("sample A", 3, 0.0F, 2);
    diagr::LEGADD("sample B", 2, 0.0F, 2);
    // The tallest bar reaches the frame's top: the legend goes beside it.
    LEGEND(10, 0.35F);

    constexpr int kModel = 61;
    float t[kModel];
    float model[kModel];
    float low[kModel];
    float high[kModel];
    for (int i = 0; i < kModel; ++i) {
        t[i] = 0.2F * static_cast<float>(i);
        model[i] = 18.0F * std::exp(-t[i] / 3.5F) + 3.0F;
        const float spread = 0.8F + 0.12F * model[i];
        low[i] = model[i] - spread;
        high[i] = model[i] + spread;
    }
    constexpr int kSteps = 13;
    float step_t[kSteps];
    float rate[kSteps];
    const float measured[kSteps] = {19.5F, 18.2F, 13.9F, 11.8F, 9.1F, 8.6F, 6.2F, 6.0F, 5.1F, 4.0F, 4.6F, 3.5F, 3.9F};
    for (int i = 0; i < kSteps; ++i) {
        step_t[i] = static_cast<float>(i);
        rate[i] = measured[i];
    }
    diagr::FRAME(17.5F, 1.8F, 9.0F, 6.5F, 0.0F, 12.0F, 0.0F, 25.0F, 0.0F, 0.0F, "time (s)", "rate (1/s)",
                 "BAND, OVR and STEPS", 1);
    NEWPEN(3);
    diagr::BAND(t, low, high);
    diagr::OVR(t, model, 0.0F, 3);
    NEWPEN(2);
    diagr::STEPS(step_t, rate, 2);
    diagr::LEGADD("model and its band", 3, 0.0F, 3);
    diagr::LEGADD("measured, per second", 2, 0.0F, 0);
    LEGEND(0, 0.35F);
    PLTEND();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: diagr_figures [DIR]\n");
        return 2;
    }
    if (argc == 2) {
        output_dir = argv[1];
    }
    curve_modes();
    markup();
    justification();
    options();
    pens_and_markers();
    logarithmic_axes();
    time_axes();
    error_bars_and_legend();
    characters();
    histograms();
    return 0;
}
