// The diagram library and its pen plotter for new C++ programs: every routine of diagr.h and
// plotter.h in namespace diagr under its own name, and for every routine with texts or data
// arrays an overload that takes each text as a std::string_view and X, Y as std::span<const float>
// (N is their length). Inputs go by value, outputs by reference. These are inline forwards onto
// the routines of diagr.h and plotter.h, which draw, trace and guard exactly as documented there.
//
//     diagr::PLTDEV("figure.pdf/pdf");
//     diagr::PLOTS(1, 0, 20, 10);
//     diagr::DIAGR(2, 2, 7, 7, xmin, xmax, ymin, ymax, 0, 0, "time", "height", title, 1, 2, x, y, 0.0F);
//     diagr::OVR(x, e, 0.3F, 3);
//     diagr::PTXT(0.95F, 0.9F, "envelope", 0.35F, 9, 3, 0);
//     diagr::PLTEND();
//
// An overload throws std::invalid_argument before anything is drawn when its arrays differ in
// length, or when a text or an array is longer than an int can count. Texts are taken as they
// are, no NUL needed: a text's length is its view's. Labels come back as std::string (STELLE,
// FSTELLE) and the cursor key as a char (GETPOS, GPOSU). The legacy forms stay callable here too.
#pragma once

#if __cplusplus < 202002L
#error "diagr.hpp needs C++20 (std::span); programs in older C++ include diagr.h and plotter.h"
#endif

#include <chrono>
#include <cstddef>
#include <iterator>
#include <limits>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "diagr.h"
#include "plotter.h"

namespace diagr {

namespace detail {

inline void refuse(const char* routine, const std::string& why) {
    throw std::invalid_argument(std::string("diagr::") + routine + ": " + why);
}

// The length of TEXT as the routines count it.
inline int length_of(std::string_view text, const char* routine) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        refuse(routine, "a text of " + std::to_string(text.size()) + " characters is too long");
    }
    return static_cast<int>(text.size());
}

// Never null, so a routine may look at an empty text's first byte without harm.
inline const char* chars_of(std::string_view text) { return text.empty() ? "" : text.data(); }

// N for the arrays X and Y, which must be equally long.
inline int count_of(std::span<const float> X, std::span<const float> Y, const char* routine) {
    if (X.size() != Y.size()) {
        refuse(routine, "X has " + std::to_string(X.size()) + " values but Y has " + std::to_string(Y.size()));
    }
    if (X.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        refuse(routine, std::to_string(X.size()) + " points are too many");
    }
    return static_cast<int>(X.size());
}

// Refuses an array NAME whose length differs from X's.
inline void same_length(std::span<const float> X, std::span<const float> other, const char* name, const char* routine) {
    if (other.size() != X.size()) {
        refuse(routine,
               "X has " + std::to_string(X.size()) + " values but " + name + " has " + std::to_string(other.size()));
    }
}

// Room for any label STELLE and FSTELLE write, so they never cut one.
inline constexpr int kLabelRoom = 32;

}  // namespace detail

// The plot state and the routines without texts or arrays, as they are.
using ::ACHSE0;
using ::ACHSIZ;
using ::CDASH;
using ::CENSYM;
using ::CLIP;
using ::CPLOT;
using ::FILALP;
using ::FRALAB;
using ::HITCHR;
using ::HITPOS;
using ::LABINI;
using ::LABINI_VALUES;
using ::LEGEND;
using ::LINT;
using ::LOGAX;
using ::MPLOT;
using ::NEWPEN;
using ::PLOT;
using ::PLOTS;
using ::PLTEND;
using ::PltPar;
using ::PLTPAR;
using ::PLTPAR_SENTINEL;
using ::PLTSYN;
using ::TIMAX;
using ::WAITHT;
using ::XCM;
using ::YCM;

// The legacy forms of the routines below, beside their new overloads.
using ::ACHSE;
using ::BAND;
using ::BINS;
using ::DERR;
using ::DIAGR;
using ::ERRX;
using ::ERRY;
using ::FILALP;
using ::FILPOL;
using ::FRAME;
using ::FSTELLE;
using ::GETPOS;
using ::GPOSU;
using ::HIST;
using ::HISTD;
using ::IDX;
using ::LEGADD;
using ::OVER;
using ::OVR;
using ::PGTEXT;
using ::PLTDEV;
using ::PTEXT;
using ::PTXT;
using ::STELLE;
using ::STEPS;
using ::SYMBLK;
using ::SYMBOL;
using ::TEXTLK;

// ---- diagr.h ----

// The guard: ends the plot and the program (status 1) naming NAME when no mapping is set.
inline void DERR(std::string_view NAME) { ::DERR(detail::chars_of(NAME), detail::length_of(NAME, "DERR")); }

// One-call diagram of the curve X, Y; equal bounds on entry are taken from the data and written back.
inline void DIAGR(float X0, float Y0, float XLEN, float YLEN, float& XMIN, float& XMAX, float& YMIN, float& YMAX,
                  float DX, float DY, std::string_view XTEXT, std::string_view YTEXT, std::string_view TITLE, int IPENF,
                  int IPENC, std::span<const float> X, std::span<const float> Y, float ISYM) {
    const int n = detail::count_of(X, Y, "DIAGR");
    const int xtext_len = detail::length_of(XTEXT, "DIAGR");
    const int ytext_len = detail::length_of(YTEXT, "DIAGR");
    const int title_len = detail::length_of(TITLE, "DIAGR");
    ::DIAGR(X0, Y0, XLEN, YLEN, XMIN, XMAX, YMIN, YMAX, DX, DY, detail::chars_of(XTEXT), detail::chars_of(YTEXT),
            detail::chars_of(TITLE), IPENF, IPENC, X.data(), Y.data(), n, ISYM, xtext_len, ytext_len, title_len);
}

// The frame with its axes, numbers, axis texts and title for the given ranges.
inline void FRAME(float X0, float Y0, float XLEN, float YLEN, float XMIN, float XMAX, float YMIN, float YMAX, float DX,
                  float DY, std::string_view XTEXT, std::string_view YTEXT, std::string_view TITLE, int IPENF) {
    const int xtext_len = detail::length_of(XTEXT, "FRAME");
    const int ytext_len = detail::length_of(YTEXT, "FRAME");
    const int title_len = detail::length_of(TITLE, "FRAME");
    ::FRAME(X0, Y0, XLEN, YLEN, XMIN, XMAX, YMIN, YMAX, DX, DY, detail::chars_of(XTEXT), detail::chars_of(YTEXT),
            detail::chars_of(TITLE), IPENF, xtext_len, ytext_len, title_len);
}

// Waits for a key hit at the cursor: its position in cm and its character (NUL for no hit).
inline void GETPOS(float& X, float& Y, char& CH) { ::GETPOS(X, Y, &CH, 1); }

// As GETPOS, the position in user units.
inline void GPOSU(float& X, float& Y, char& CH) { ::GPOSU(X, Y, &CH, 1); }

// One numbered axis with the first |NC| characters of ATEXT as its text.
inline void ACHSE(float XA, float YA, std::string_view ATEXT, int NC, float ALEN, float ANGLE, float VFIRST,
                  float VSTEP, float VLAST) {
    ::ACHSE(XA, YA, detail::chars_of(ATEXT), NC, ALEN, ANGLE, VFIRST, VSTEP, VLAST, detail::length_of(ATEXT, "ACHSE"));
}

// The label text of VALUE, whole (never cut or padded), into LABEL; NCH its length, IEXP the power
// of ten taken out.
inline void STELLE(float VALUE, std::string& LABEL, int& NCH, int& IEXP) {
    char field[detail::kLabelRoom];
    ::STELLE(VALUE, field, NCH, IEXP, detail::kLabelRoom);
    LABEL.assign(field, static_cast<std::size_t>(NCH < detail::kLabelRoom ? NCH : detail::kLabelRoom));
}

// As STELLE in FSTELLE's fixed-point form; IEXP is left as it was where FSTELLE leaves it.
inline void FSTELLE(float VALUE, std::string& LABEL, int& NCH, int& IEXP) {
    char field[detail::kLabelRoom];
    ::FSTELLE(VALUE, field, NCH, IEXP, detail::kLabelRoom);
    LABEL.assign(field, static_cast<std::size_t>(NCH < detail::kLabelRoom ? NCH : detail::kLabelRoom));
}

// Position (1-based) of the last non-blank character of TEXT; 0 when there is none.
inline int IDX(std::string_view TEXT) { return ::IDX(detail::chars_of(TEXT), detail::length_of(TEXT, "IDX")); }

// A further curve X, Y in the current diagram, in the pen in force.
inline void OVER(std::span<const float> X, std::span<const float> Y, float ISYM) {
    ::OVER(X.data(), Y.data(), detail::count_of(X, Y, "OVER"), ISYM);
}

// A further curve X, Y in pen IPEN.
inline void OVR(std::span<const float> X, std::span<const float> Y, float ISYM, int IPEN) {
    ::OVR(X.data(), Y.data(), detail::count_of(X, Y, "OVR"), ISYM, IPEN);
}

// TEXT with its lower-left corner at user (X, Y), HEIGHT in user y units.
inline void PTEXT(float X, float Y, float HEIGHT, std::string_view TEXT) {
    ::PTEXT(X, Y, HEIGHT, detail::chars_of(TEXT), detail::length_of(TEXT, "PTEXT"));
}

// TEXT placed by keypad position JUST in pen IPEN; IOPT's digits make X, Y, HEIGHT frame fractions.
inline void PTXT(float X, float Y, std::string_view TEXT, float HEIGHT, int JUST, int IPEN, int IOPT) {
    ::PTXT(X, Y, detail::chars_of(TEXT), HEIGHT, JUST, IPEN, IOPT, detail::length_of(TEXT, "PTXT"));
}

// Vertical error bars at X, Y from Y - ELO to Y + EHI (all four of one length), caps CAP cm wide.
inline void ERRY(std::span<const float> X, std::span<const float> Y, std::span<const float> ELO,
                 std::span<const float> EHI, float CAP) {
    const int n = detail::count_of(X, Y, "ERRY");
    detail::same_length(X, ELO, "ELO", "ERRY");
    detail::same_length(X, EHI, "EHI", "ERRY");
    ::ERRY(X.data(), Y.data(), ELO.data(), EHI.data(), n, CAP);
}

// Horizontal error bars at X, Y from X - ELO to X + EHI (all four of one length), caps CAP cm high.
inline void ERRX(std::span<const float> X, std::span<const float> Y, std::span<const float> ELO,
                 std::span<const float> EHI, float CAP) {
    const int n = detail::count_of(X, Y, "ERRX");
    detail::same_length(X, ELO, "ELO", "ERRX");
    detail::same_length(X, EHI, "EHI", "ERRX");
    ::ERRX(X.data(), Y.data(), ELO.data(), EHI.data(), n, CAP);
}

// A legend entry: TEXT (with mark-up) after a sample of the curve drawn in pen IPEN with OVR's
// ISYM, and an error bar when IBAR is 1.
inline void LEGADD(std::string_view TEXT, int IPEN, float ISYM, int IBAR) {
    ::LEGADD(detail::chars_of(TEXT), IPEN, ISYM, IBAR, detail::length_of(TEXT, "LEGADD"));
}

// Counts DATA into bins as BINS does, COUNTS' length the room; NBIN, XMIN, XMAX written back.
inline void BINS(std::span<const float> DATA, int& NBIN, float& XMIN, float& XMAX, std::span<float> COUNTS) {
    const int n = detail::count_of(DATA, DATA, "BINS");
    const int room = detail::count_of(COUNTS, COUNTS, "BINS");
    ::BINS(DATA.data(), n, NBIN, XMIN, XMAX, COUNTS.data(), room);
}

// A step curve X, Y in the pen in force; IWHERE 1 pre, 2 post, 0 centred.
inline void STEPS(std::span<const float> X, std::span<const float> Y, int IWHERE) {
    ::STEPS(X.data(), Y.data(), detail::count_of(X, Y, "STEPS"), IWHERE);
}

// The translucent band between YLO and YHI over X (all three of one length).
inline void BAND(std::span<const float> X, std::span<const float> YLO, std::span<const float> YHI) {
    const int n = detail::count_of(X, YLO, "BAND");
    detail::same_length(X, YHI, "YHI", "BAND");
    ::BAND(X.data(), YLO.data(), YHI.data(), n);
}

// The histogram of DATA in the current diagram; IFILL 1 fills it translucently.
inline void HIST(std::span<const float> DATA, int NBIN, float XMIN, float XMAX, int IFILL) {
    ::HIST(DATA.data(), detail::count_of(DATA, DATA, "HIST"), NBIN, XMIN, XMAX, IFILL);
}

// One-call histogram diagram of DATA.
inline void HISTD(float X0, float Y0, float XLEN, float YLEN, std::span<const float> DATA, int NBIN,
                  std::string_view XTEXT, std::string_view YTEXT, std::string_view TITLE, int IPENF, int IPENC,
                  int IFILL) {
    ::HISTD(X0, Y0, XLEN, YLEN, DATA.data(), detail::count_of(DATA, DATA, "HISTD"), NBIN, detail::chars_of(XTEXT),
            detail::chars_of(YTEXT), detail::chars_of(TITLE), IPENF, IPENC, IFILL, detail::length_of(XTEXT, "HISTD"),
            detail::length_of(YTEXT, "HISTD"), detail::length_of(TITLE, "HISTD"));
}

// ---- plotter.h ----

// Fills the polygon X, Y cm: white when IPAPER is nonzero, else in the pen in force.
inline void FILPOL(std::span<const float> X, std::span<const float> Y, int IPAPER) {
    ::FILPOL(X.data(), Y.data(), detail::count_of(X, Y, "FILPOL"), IPAPER);
}

// TEXT without mark-up in cells HEIGHT wide at (X, Y) cm.
inline void SYMBOL(float X, float Y, float HEIGHT, std::string_view TEXT, float ANGLE, int NCHAR) {
    ::SYMBOL(X, Y, HEIGHT, detail::chars_of(TEXT), ANGLE, NCHAR, detail::length_of(TEXT, "SYMBOL"));
}

// TEXT with mark-up from (X, Y) cm.
inline void SYMBLK(float X, float Y, float HEIGHT, std::string_view TEXT, float ANGLE, int NCHAR) {
    ::SYMBLK(X, Y, HEIGHT, detail::chars_of(TEXT), ANGLE, NCHAR, detail::length_of(TEXT, "SYMBLK"));
}

// Writes to W the advance in cm that SYMBLK gives TEXT at HEIGHT.
inline void TEXTLK(float XS, float& W, float HEIGHT, std::string_view TEXT, float ANGLE, int NCHAR) {
    ::TEXTLK(XS, W, HEIGHT, detail::chars_of(TEXT), ANGLE, NCHAR, detail::length_of(TEXT, "TEXTLK"));
}

// Chooses the device of the next PLOTS, as PGPLOT_DEV names one ("fig.png/png", "/xw", ...).
inline void PLTDEV(std::string_view TEXT) { ::PLTDEV(detail::chars_of(TEXT), detail::length_of(TEXT, "PLTDEV")); }

// PGPLOT's text routine: TEXT with PGPLOT escapes, lower left at (X, Y) cm.
inline void PGTEXT(float X, float Y, std::string_view TEXT) {
    ::PGTEXT(X, Y, detail::chars_of(TEXT), detail::length_of(TEXT, "PGTEXT"));
}

// ---- Time axes ----

// TIMAX with the origin T0 as a time point of the system clock (UTC, no leap seconds), at any
// precision: value 0 on the time axes is T0.
template <class Duration>
inline void TIMAX(int ITX, int ITY, std::chrono::sys_time<Duration> T0) {
    const double t0 = std::chrono::duration<double>(T0.time_since_epoch()).count();
    ::TIMAX(ITX, ITY, t0);
}

// Writes to SECONDS the seconds after T0 of each time point of TIMES (any range of sys_time
// points), in order, as the reals a time axis with origin T0 takes: the difference is taken in
// the points' own duration, then rounded once to a float. SECONDS must be as long as TIMES.
template <class Duration, class Times>
inline void seconds_after(std::chrono::sys_time<Duration> T0, const Times& TIMES, std::span<float> SECONDS) {
    const auto count = static_cast<std::size_t>(std::distance(std::begin(TIMES), std::end(TIMES)));
    if (count != SECONDS.size()) {
        detail::refuse("seconds_after", std::to_string(count) + " time points but room for " +
                                            std::to_string(SECONDS.size()) + " values");
    }
    std::size_t i = 0;
    for (const auto& time : TIMES) {
        SECONDS[i++] = static_cast<float>(std::chrono::duration<double>(time - T0).count());
    }
}

}  // namespace diagr
