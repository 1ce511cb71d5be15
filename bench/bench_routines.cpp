// Google Benchmark programs for the in-process routines: STELLE/FSTELLE, one axis, FRAME, OVER in
// its three modes and CDASH, on the recorder, on PGPLOT's /null device and on a PDF; the occupancy
// grid that LEGEND places its box by; BINS of 10^7 values; a page of 1000 texts in UTF-8 and the
// same in ASCII, on /null, a PDF and a PNG.
//
// A drawing benchmark opens a fresh 20 x 10 cm page for every iteration outside the timed part and
// closes it inside (PLTEND completes the output, which belongs to the drawing's cost). Curves run
// through a sine of N distinct points, 10^3 to 10^6, across a 15 x 7 cm frame.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "diagr.h"
#include "font_table.h"
#include "occupancy.h"
#include "plotter.h"
#include "recorder.h"
#include "utf8.h"

namespace {

enum Target { kRecorder, kNull, kPdf, kPng };

const char* target_name(int target) {
    switch (target) {
        case kRecorder:
            return "recorder";
        case kNull:
            return "null";
        case kPdf:
            return "pdf";
        default:
            return "png";
    }
}

// The file device of TYPE (pdf, png) in TMPDIR, written again by every page.
std::string file_device(const char* type) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/diagr-bench." + type + "/" + type;
}

// Opens the page on TARGET and sets the diagram's mapping: frame (2, 2) cm, 15 x 7 cm, x 0..10,
// y -1..1.
void open_page(int target) {
    plotter::recorder_stop();
    if (target == kRecorder) {
        plotter::recorder_start();
    } else {
        setenv("PGPLOT_DEV", target == kNull ? "/null" : file_device(target == kPdf ? "pdf" : "png").c_str(), 1);
    }
    PLOTS(1, 0, 20.0F, 10.0F);
    PLTPAR = LABINI_VALUES;
    CLIP(2.0F, 2.0F, 15.0F, 7.0F, 0.0F, 10.0F, -1.0F, 1.0F);
}

void close_page() { PLTEND(); }

struct Curve {
    std::vector<float> x;
    std::vector<float> y;
};

const Curve& sine(int n) {
    static Curve curve;
    if (static_cast<int>(curve.x.size()) != n) {
        curve.x.resize(n);
        curve.y.resize(n);
        for (int i = 0; i < n; ++i) {
            const double t = 10.0 * i / (n - 1);
            curve.x[i] = static_cast<float>(t);
            curve.y[i] = static_cast<float>(0.9 * std::sin(t * 1.3) * std::cos(t * 0.21));
        }
    }
    return curve;
}

void BM_STELLE(benchmark::State& state, bool fixed) {
    static const float kValues[] = {0.0F, 1.0F, -2.5F, 0.125F, 3.14159F, 1234.5F, 1.0E-5F, -9.99999E12F, 0.1F, 7.0F};
    char label[8];
    for (auto _ : state) {
        for (const float value : kValues) {
            int nch = 0;
            int iexp = 0;
            if (fixed) {
                FSTELLE(value, label, nch, iexp, 8);
            } else {
                STELLE(value, label, nch, iexp, 8);
            }
            benchmark::DoNotOptimize(label);
            benchmark::DoNotOptimize(nch);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(std::size(kValues)));
}
BENCHMARK_CAPTURE(BM_STELLE, STELLE, false);
BENCHMARK_CAPTURE(BM_STELLE, FSTELLE, true);

// One numbered bottom axis with its text, 15 cm for 0..10.
void BM_ACHSE(benchmark::State& state) {
    const int target = static_cast<int>(state.range(0));
    state.SetLabel(target_name(target));
    for (auto _ : state) {
        state.PauseTiming();
        open_page(target);
        state.ResumeTiming();
        ACHSE(2.0F, 2.0F, "time&Hs&M", -9, 15.0F, 0.0F, 0.0F, 0.0F, 10.0F, 9);
        close_page();
    }
}
BENCHMARK(BM_ACHSE)->DenseRange(kRecorder, kPdf)->Unit(benchmark::kMicrosecond);

void BM_FRAME(benchmark::State& state) {
    const int target = static_cast<int>(state.range(0));
    state.SetLabel(target_name(target));
    for (auto _ : state) {
        state.PauseTiming();
        open_page(target);
        state.ResumeTiming();
        FRAME(2.0F, 2.0F, 15.0F, 7.0F, 0.0F, 10.0F, -1.0F, 1.0F, 0.0F, 0.0F, "bla&tbla&Hbl&ma", "bla",
              "bla#gre&Tek#or w&Mhat", 2, 15, 3, 21);
        close_page();
    }
}
BENCHMARK(BM_FRAME)->DenseRange(kRecorder, kPdf)->Unit(benchmark::kMicrosecond);

// OVER with ISYM 0 (solid), 0.2 (dashes of 2 mm) or -1 (a circle at every point).
void BM_OVER(benchmark::State& state, float isym) {
    const int target = static_cast<int>(state.range(0));
    const int n = static_cast<int>(state.range(1));
    state.SetLabel(target_name(target));
    const Curve& curve = sine(n);
    for (auto _ : state) {
        state.PauseTiming();
        open_page(target);
        state.ResumeTiming();
        OVER(curve.x.data(), curve.y.data(), n, isym);
        close_page();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void curve_args(benchmark::internal::Benchmark* b) {
    b->ArgsProduct({{kRecorder, kNull, kPdf}, {1000, 10000, 100000, 1000000}})->Unit(benchmark::kMillisecond);
}
BENCHMARK_CAPTURE(BM_OVER, solid, 0.0F)->Apply(curve_args);
BENCHMARK_CAPTURE(BM_OVER, dashed, 0.2F)->Apply(curve_args);
BENCHMARK_CAPTURE(BM_OVER, markers, -1.0F)->Apply(curve_args);

// The curve as the frame of the benchmarks maps it, in plotter cm.
Curve in_centimetres(const Curve& curve) {
    Curve cm{std::vector<float>(curve.x.size()), std::vector<float>(curve.y.size())};
    for (std::size_t i = 0; i < curve.x.size(); ++i) {
        cm.x[i] = 2.0F + 1.5F * curve.x[i];
        cm.y[i] = 5.5F + 3.5F * curve.y[i];
    }
    return cm;
}

// CDASH straight in cm along the mapped curve, dashes of 2 mm.
void BM_CDASH(benchmark::State& state) {
    const int target = static_cast<int>(state.range(0));
    const int n = static_cast<int>(state.range(1));
    state.SetLabel(target_name(target));
    const Curve cm = in_centimetres(sine(n));
    const float dash = 0.2F;
    for (auto _ : state) {
        state.PauseTiming();
        open_page(target);
        state.ResumeTiming();
        for (int i = 0; i < n; ++i) {
            CDASH(cm.x[i], cm.y[i], i == 0 ? 3 : 2, dash);
        }
        close_page();
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_CDASH)->Apply(curve_args);

// The grid alone: every segment of the curve mapped to cm marked in it, then one query. What OVR
// adds to a curve's cost for the legend.
void BM_GRID(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const Curve cm = in_centimetres(sine(n));
    for (auto _ : state) {
        diagr::occupancy::clear(2.0F, 2.0F, 17.0F, 9.0F);
        for (int i = 1; i < n; ++i) {
            diagr::occupancy::mark_segment(cm.x[i - 1], cm.y[i - 1], cm.x[i], cm.y[i]);
        }
        benchmark::DoNotOptimize(diagr::occupancy::covered(2.0F, 2.0F, 17.0F, 9.0F));
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_GRID)->Arg(1000000)->Unit(benchmark::kMillisecond);

// OVR of the solid curve on /null, the grid fed as it draws, then a legend in the best place.
void BM_OVR_LEGEND(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const Curve& curve = sine(n);
    for (auto _ : state) {
        state.PauseTiming();
        open_page(kNull);
        state.ResumeTiming();
        OVR(curve.x.data(), curve.y.data(), n, 0.0F, 2);
        LEGADD("sine", 2, 0.0F, 0, 4);
        LEGEND(0, 0.35F);
        close_page();
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_OVR_LEGEND)->Arg(1000000)->Unit(benchmark::kMillisecond);

// BINS of N values of a bell-shaped sample (sums of four uniform deviates, 10 to 90), the count
// chosen from the quartiles (second Arg 0) or 100 bins from 0 to 100 (1).
void BM_BINS(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const bool fixed = state.range(1) != 0;
    static std::vector<float> data;
    if (static_cast<int>(data.size()) != n) {
        data.resize(static_cast<std::size_t>(n));
        unsigned seed = 12345U;
        for (float& v : data) {
            float sum = 0.0F;
            for (int k = 0; k < 4; ++k) {
                seed = seed * 1664525U + 1013904223U;
                sum += static_cast<float>(seed >> 8) / 16777216.0F;
            }
            v = 50.0F + 20.0F * (sum - 2.0F);
        }
    }
    std::vector<float> counts(1000);
    for (auto _ : state) {
        int nbin = fixed ? 100 : 0;
        float xmin = 0.0F;
        float xmax = fixed ? 100.0F : 0.0F;
        BINS(data.data(), n, nbin, xmin, xmax, counts.data(), 1000);
        benchmark::DoNotOptimize(counts.data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_BINS)->Args({10000000, 0})->Args({10000000, 1})->Unit(benchmark::kMillisecond);

// Texts of 40 characters: units, Greek letters, signs and accented Latin in UTF-8 (6 to 13
// multi-byte characters each, every one in the text face), and ASCII texts of the same look with
// as many characters that leave ink (233 in each set of eight).
const char* const kUtf8Texts[] = {
    "Δt = 5 µs ± 0.1 Å, T = 20 °C, λ = 550 nm", "α = 12.5°, β = 3.2°, R = 47 kΩ, ρ ≈ 1.2‰",
    "Zürich–Genève: 278 km, Δh = −3 m, t ≤ 2h", "σ² = 0.25 mm², µ₀ = 4π×10⁻⁷ H/m, ε ≥ 1.0",
    "Frühjahr: ΔT ≈ 12 K, Φ = 3·10⁵ lm, ñ ≠ n", "Œuvre: ça coûte 30 €, élève à Besançon …",
    "Ø 12 mm → Ω = 2π·ƒ, Θ ∈ [0°, 90°], γ ≈ ½", "Ångström: 1 Å = 0.1 nm; η = 1.8 mPa·s ±3",
};
const char* const kAsciiTexts[] = {
    "dt = 5 us +- 0.1 A, T = 20 C, l = 550 nm", "a = 12.5 deg, b = 3.2 deg, R = 47 kOhm,1",
    "Zurich-Geneve: 278 km, dh = -3 m, t < 2h", "s2 = 0.25 mm2, u0 = 4pi x 1E-7 H/m, e >1",
    "Fruehjahr: dT ~ 12 K, F = 3E5 lm, n != m", "Oeuvre: ca coute 30 EUR, eleve a Besanco",
    "D 12 mm -> W = 2 pi f, Q in [0, 90], g ~", "Angstrom: 1 A = 0.1 nm; eta = 1.8 mPa s+",
};
constexpr int kTextCount = 8;
constexpr int kTextsPerPage = 1000;
constexpr int kTextColumns = 10;
constexpr float kTextHeight = 0.05F;

// Why TEXTS are no fair page: a text not of 40 characters, or one the text face lacks (it would
// come from a fallback face); nullptr when they are.
const char* unfit(const char* const* texts) {
    for (int k = 0; k < kTextCount; ++k) {
        const int length = static_cast<int>(std::strlen(texts[k]));
        if (plotter::char_count(texts[k], length) != 40) {
            return "a text is not 40 characters long";
        }
        for (int i = 0; i < length;) {
            if (plotter::face_advance_units(plotter::next_char(texts[k], length, i)) < 0) {
                return "a character is not in the text face";
            }
        }
    }
    return nullptr;
}

// The timed part of a text page: each text measured with TEXTLK and drawn with SYMBLK, as PTXT
// does, in 10 columns of 100 lines; then the page is completed. Out of line, so that callgrind can
// count it alone (--toggle-collect='*text_page*').
[[gnu::noinline]] void text_page(const char* const* texts) {
    const float angle = 0.0F;
    const int nchar = 0;
    for (int k = 0; k < kTextsPerPage; ++k) {
        const char* text = texts[k % kTextCount];
        const int length = static_cast<int>(std::strlen(text));
        float scratch = 0.0F;
        float width = 0.0F;
        TEXTLK(scratch, width, kTextHeight, text, angle, nchar, length);
        benchmark::DoNotOptimize(width);
        const float x = 0.2F + 2.0F * static_cast<float>(k % kTextColumns);
        const float y = 0.05F + 0.1F * static_cast<float>(k / kTextColumns);
        SYMBLK(x, y, kTextHeight, text, angle, nchar, length);
    }
    close_page();
    benchmark::ClobberMemory();  // not a tail call: callgrind counts the page's end in text_page
}

void BM_TEXTS(benchmark::State& state, bool utf8) {
    const int target = static_cast<int>(state.range(0));
    state.SetLabel(target_name(target));
    const char* const* texts = utf8 ? kUtf8Texts : kAsciiTexts;
    if (const char* why = unfit(texts)) {
        state.SkipWithError(why);
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        open_page(target);
        state.ResumeTiming();
        text_page(texts);
    }
    state.SetItemsProcessed(state.iterations() * kTextsPerPage);
}
BENCHMARK_CAPTURE(BM_TEXTS, utf8, true)->Arg(kNull)->Arg(kPdf)->Arg(kPng)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TEXTS, ascii, false)->Arg(kNull)->Arg(kPdf)->Arg(kPng)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
