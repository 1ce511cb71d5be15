// Fuzz target: a whole diagram (FRALAB, LOGAX, then DIAGR, FRAME plus OVR or HISTD, error bars,
// bins, a histogram, steps and a band, PTXT and a legend) with any numbers, through the recorder.
//
// Input: an entry byte (bit 0 DIAGR, bits 1 and 2 logarithmic x and y, bit 3 error bars, bits 4
// and 5 the legend entry's IBAR, bit 6 BINS, HIST, STEPS and BAND, bit 7 HISTD instead of FRAME),
// FRALAB's switches and heights, the frame's position and size, the ranges, the steps, pens, the
// curve mode, up to 16 data pairs (4 for a dashed curve), the three texts, a free text with its
// position, height, justification and options, then the error bars' cap and offsets, the
// legend's position, and the bins' count, room and fill and the steps' mode. Checked: the calls stay within the bound
// below and the device gets only finite coordinates within the plotter's cut-off.
#include <cstddef>
#include <cstdint>

#include "diagr.h"
#include "fuzz_input.h"

namespace {

constexpr int kMaxPoints = 16;
constexpr int kMaxDashedPoints = 4;
constexpr int kMaxText = 200;

// Plotter calls of one axis: see axis_fuzz.cpp.
constexpr std::size_t kAxisCallBound = 3 + 3 * 100003 + 3 + 1;
// A curve of N points: NEWPEN, the window's two CPLOTs, the closing PLTSYN; then per point at
// most a CENSYM, or a CPLOT and a PLTSYN (solid), or a PLOT and at most 9999 CPLOTs (dashed).
std::size_t curve_call_bound(int n) { return 4 + static_cast<std::size_t>(n) * (1 + 9999); }
// Error bars for N points: the window's two CPLOTs and PLTSYN 1 and 0; per point a bar and two
// caps of two CPLOTs each.
std::size_t error_bar_call_bound(int n) { return 4 + static_cast<std::size_t>(n) * 6; }
// A histogram: the window's two CPLOTs, the opacity set and restored, a FILPOL per 127 of at most
// 1000 bins, PLTSYN 1 and 0, and the outline's 2 CPLOTs per bin and 4 more.
constexpr std::size_t kHistogramCallBound = 2 + 2 + 8 + 2 + 2 * 1000 + 4;
// Steps of N points: the window, PLTSYN 1 and 0, at most three CPLOTs per point.
std::size_t steps_call_bound(int n) { return 4 + 3 * static_cast<std::size_t>(n); }
// A band of N points: the window, the opacity set and restored, at most a FILPOL per point.
std::size_t band_call_bound(int n) { return 4 + static_cast<std::size_t>(n); }
// Room for BINS' counts.
constexpr int kMaxBins = 64;
// A legend of one entry: its box, sample and text.
constexpr std::size_t kLegendCallBound = 200;
// A text of L characters in pieces of 80: NEWPEN, then a TEXTLK and a SYMBLK per piece.
std::size_t text_call_bound(int length) { return 1 + 2 * static_cast<std::size_t>(length / 80 + 1); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const std::uint8_t entry = in.byte();
    const int ixlab = in.integer();
    const int iylab = in.integer();
    const float xlsize = in.real();
    const float ylsize = in.real();
    const float tsize = in.real();
    const float symsiz = in.real();
    const float x0 = in.real();
    const float y0 = in.real();
    const float xlen = in.real();
    const float ylen = in.real();
    float xmin = in.real();
    float xmax = in.real();
    float ymin = in.real();
    float ymax = in.real();
    const float dx = in.real();
    const float dy = in.real();
    const int ipenf = in.integer();
    const int ipenc = in.integer();
    const float isym = in.real();
    // A dashed curve may take 10000 plotter calls per point; four points show how the pattern
    // runs across vertices and keep the runs fast.
    const int n = in.byte() % ((isym > 0.0F ? kMaxDashedPoints : kMaxPoints) + 1);
    float x[kMaxPoints];
    float y[kMaxPoints];
    for (int i = 0; i < n; ++i) {
        x[i] = in.real();
        y[i] = in.real();
    }
    char xtext[kMaxText];
    char ytext[kMaxText];
    char title[kMaxText];
    char free_text[kMaxText];
    const int xtext_len = in.text(xtext, kMaxText);
    const int ytext_len = in.text(ytext, kMaxText);
    const int title_len = in.text(title, kMaxText);
    const float tx = in.real();
    const float ty = in.real();
    const float theight = in.real();
    const int just = in.integer();
    const int ipen = in.integer();
    const int iopt = in.integer();
    const int free_len = in.text(free_text, kMaxText);
    const float cap = in.real();
    float low[kMaxPoints];
    float high[kMaxPoints];
    for (int i = 0; i < n; ++i) {
        low[i] = in.real();
        high[i] = in.real();
    }
    const int ipos = in.integer();
    int nbin = in.integer();
    const int maxbin = in.byte() % (kMaxBins + 1);
    const int ifill = in.integer();
    const int iwhere = in.integer();

    PLTPAR = LABINI_VALUES;
    fuzz::open_page();
    FRALAB(ixlab, iylab, xlsize, ylsize, tsize, symsiz);
    LOGAX((entry >> 1) & 1, (entry >> 2) & 1);
    plotter::recorder_clear();
    // The frame: four axes and the title's TEXTLK and SYMBLK per piece.
    std::size_t bound = 1 + 4 * kAxisCallBound + 2 * static_cast<std::size_t>(title_len / 80 + 1);
    if ((entry & 128) != 0) {
        HISTD(x0, y0, xlen, ylen, x, n, nbin, xtext, ytext, title, ipenf, ipenc, ifill, xtext_len, ytext_len,
              title_len);
        bound += 1 + kHistogramCallBound;
    } else if ((entry & 1) != 0) {
        DIAGR(x0, y0, xlen, ylen, xmin, xmax, ymin, ymax, dx, dy, xtext, ytext, title, ipenf, ipenc, x, y, n, isym,
              xtext_len, ytext_len, title_len);
        bound += curve_call_bound(n);
    } else {
        // FRAME with the ranges as given (equal bounds included), then the curve over it.
        FRAME(x0, y0, xlen, ylen, xmin, xmax, ymin, ymax, dx, dy, xtext, ytext, title, ipenf, xtext_len, ytext_len,
              title_len);
        OVR(x, y, n, isym, ipenc);
        bound += curve_call_bound(n);
    }
    if ((entry & 8) != 0) {
        ERRY(x, y, low, high, n, cap);
        ERRX(x, y, high, low, n, cap);
        bound += 2 * error_bar_call_bound(n);
    }
    if ((entry & 64) != 0) {
        float counts[kMaxBins + 1];
        counts[kMaxBins] = 0.0F;
        float bin_low = xmin;
        float bin_high = xmax;
        int bins = nbin;
        BINS(x, n, bins, bin_low, bin_high, counts, maxbin);
        if (bins < 0 || bins > maxbin || counts[kMaxBins] != 0.0F) {
            fuzz::finding("diagram", "BINS wrote beyond its room");
        }
        HIST(y, n, nbin, xmin, xmax, ifill);
        STEPS(x, y, n, iwhere);
        BAND(x, low, high, n);
        bound += kHistogramCallBound + steps_call_bound(n) + band_call_bound(n);
    }
    PTXT(tx, ty, free_text, theight, just, ipen, iopt, free_len);
    bound += text_call_bound(free_len);
    LEGADD(free_text, ipen, isym, (entry >> 4) & 3, free_len);
    LEGEND(ipos, theight);
    bound += kLegendCallBound;
    if (plotter::recorder_lines().size() > bound) {
        fuzz::finding("diagram", "more plotter calls than the bound");
    }
    PLTEND();
    fuzz::check_primitives("diagram");
    return 0;
}
