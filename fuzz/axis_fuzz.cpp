// Fuzz target: one axis (ACHSIZ, then ACHSE0 or ACHSE) with any numbers, through the recorder.
//
// Input: an entry byte, then the label height, XA, YA, NC, ALEN, ANGLE, VFIRST, VSTEP, VLAST (see
// fuzz_input.h for how numbers are read) and the axis text. Checked: the call makes at most
// kAxisCallBound plotter calls, and the device gets only finite coordinates within the plotter's
// cut-off.
#include <cstddef>
#include <cstdint>

#include "diagr.h"
#include "fuzz_input.h"

namespace {

// One axis: PLTSYN, PLOT and MPLOT for the line; at most 100 003 ticks of PLOT, MPLOT and a SYMBOL
// label each; the factor's SYMBLK, the text's TEXTLK and SYMBLK; the closing PLTSYN.
constexpr std::size_t kAxisCallBound = 3 + 3 * 100003 + 3 + 1;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const bool numbered = (in.byte() & 1) != 0;
    const float hlab = in.real();
    const float xa = in.real();
    const float ya = in.real();
    const int nc = in.integer();
    const float alen = in.real();
    const float angle = in.real();
    const float vfirst = in.real();
    const float vstep = in.real();
    const float vlast = in.real();
    char text[300];
    const int text_len = in.text(text, static_cast<int>(sizeof text));

    fuzz::open_page();
    ACHSIZ(hlab);
    plotter::recorder_clear();
    if (numbered) {
        ACHSE(xa, ya, text, nc, alen, angle, vfirst, vstep, vlast, text_len);
    } else {
        ACHSE0(xa, ya, nc, alen, angle, vfirst, vstep, vlast);
    }
    if (plotter::recorder_lines().size() > kAxisCallBound) {
        fuzz::finding("axis", "more plotter calls than the bound");
    }
    PLTEND();
    fuzz::check_primitives("axis");
    return 0;
}
