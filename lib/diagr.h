// Diagram library: one-call x/y diagrams with scaled axes, curves, texts and cursor input,
// drawn through the pen-plotter library (plotter.h).
//
// Every argument is passed by reference; reals are IEEE single, integers 32-bit. A text is a
// fixed-length, blank-padded field whose declared length follows all visible arguments; its used
// length is the position of its last non-blank character (IDX). Arrays are described from 1:
// X(1..N) is X[0..N-1]. Positions and sizes on the page are plotter centimetres, origin at the
// lower left of the plot PLOTS opened; user units are the data's own, mapped by the plot state.
//
// No routine returns an error. Using the mapping before any CLIP, DIAGR or FRAME is the one
// error detected: DERR then ends the plot and the program (status 1). No routine crashes or hangs
// on any numbers: non-finite positions are skipped, never drawn. Fortran callers reach every
// routine under its gfortran name (clip_, diagr_, ...; library diagr_fortran) and the plot state
// as COMMON /PLTPAR/ (pltpar.inc). New C++ programs may include diagr.hpp instead: the same
// routines with texts as string views and arrays as spans.
#pragma once

// The plot state shared by all routines: mapping user units to plotter cm, the frame, and the
// switches and heights for numbering, title and markers.
struct PltPar {
    float XSCAL;   // cm per x user unit; holds the "not set" sentinel until the first CLIP
    float YSCAL;   // cm per y user unit
    float XOFFS;   // plotter x (cm) of user x = 0
    float YOFFS;   // plotter y (cm) of user y = 0
    float XLEFT;   // frame edges, cm
    float YBOTM;
    float XRIGHT;
    float YTOP;
    int IXLAB;     // nonzero: bottom axis carries numbers and the x-axis text
    int IYLAB;     // nonzero: left axis carries numbers and the y-axis text
    float XLSIZE;  // height (cm) of the bottom axis's numbers and text
    float YLSIZE;  // height (cm) of the left axis's numbers and text
    float TSIZE;   // title height (cm), also its distance above the frame
    float SYMSIZ;  // marker height (cm)
};

// The one plot state of the program. Fortran code sees the same storage as COMMON /PLTPAR/ (the
// fourteen words in this order); a write on either side is seen by the other.
extern PltPar PLTPAR;

// The initial plot state, in force from program start: XSCAL the sentinel, the rest of the mapping
// and the frame 0, both axes numbered (IXLAB = IYLAB = 1), XLSIZE = YLSIZE = TSIZE = 0.4 cm,
// SYMSIZ = 0.3 cm.
extern const PltPar LABINI_VALUES;

// The bytes "Erro" read as a little-endian float: XSCAL's value while the state is not set.
extern const float PLTPAR_SENTINEL;

// Does nothing: the initial values are static (assign LABINI_VALUES to start over).
void LABINI();

// Sets mapping and frame: the frame's lower-left corner (X0, Y0) cm, its size XLEN x YLEN cm,
// and the user values at its left, right, bottom and top edges. Writes XSCAL = XLEN / (XMAX - XMIN),
// XOFFS = X0 - XMIN * XSCAL (y alike) and the frame edges XLEFT = X0, XRIGHT = X0 + XLEN, YBOTM,
// YTOP. Draws nothing. A reversed range (XMIN > XMAX) gives a negative scale. An empty range
// (XMIN == XMAX), or one so narrow that the scale overflows, is mapped as XMIN - d to XMIN + d
// with d the larger of 1 and |XMIN| / 10, so that value lies mid-frame; a range too wide for a
// float is divided out in double precision. Non-finite arguments give a non-finite mapping, whose
// positions the curve and text routines then skip. The arguments may be words of PLTPAR itself.
void CLIP(const float& X0, const float& Y0, const float& XLEN, const float& YLEN, const float& XMIN,
          const float& XMAX, const float& YMIN, const float& YMAX);

// Plotter cm of user x / user y: X * XSCAL + XOFFS (Y * YSCAL + YOFFS). Before any CLIP they end the
// program as DERR does, naming "Xcm" / "Ycm". Non-finite input gives a non-finite result.
float XCM(const float& X);
float YCM(const float& Y);

// The guard of the mapping. Returns when the plot state is set; otherwise calls PLTEND, writes
//    ?DGRDNC: Illegal call of NAME
//    ?DGRDNC: DIAGR or FRAME must be called first.
// to standard output (NAME its whole declared length) and exits with status 1, a failure.
void DERR(const char* NAME, int NAME_len);

// Sets IXLAB, IYLAB (nonzero: number the bottom / left axis and write its text), XLSIZE, YLSIZE
// (their heights, cm), TSIZE (title height and gap above the frame, cm) and SYMSIZ (marker height,
// cm) of the plot state, unchecked. Takes effect at the next FRAME, DIAGR or marker curve.
void FRALAB(const int& IXLAB, const int& IYLAB, const float& XLSIZE, const float& YLSIZE, const float& TSIZE,
            const float& SYMSIZ);

// One-call diagram: frame at (X0, Y0) cm, XLEN x YLEN cm, for the data X(1..N), Y(1..N) in user
// units. A range with XMIN == XMAX (or YMIN == YMAX) on entry is taken from the data and written
// back: the extremes of the finite values with a tenth of their spread added on each side; all
// values equal to v give 0.9 v to 1.09 v (for v < 0 that range runs downwards, a reversed axis);
// all zero give -1 to 1; no finite value (or N <= 0) gives the finite, reversed range about
// 1.2E37 to -1.2E37. Unequal bounds are used and written back as given. Then CLIP, NEWPEN(IPENC),
// the curve (OVER with mode ISYM: 0 solid, > 0 dashes of ISYM cm, < 0 marker |ISYM|), and FRAME
// with steps DX, DY (0 chooses), the axis texts, the title and pen IPENF. With N < 2 no line is
// drawn (a marker curve still marks its point). Null arrays count as N = 0.
void DIAGR(const float& X0, const float& Y0, const float& XLEN, const float& YLEN, float& XMIN, float& XMAX,
           float& YMIN, float& YMAX, const float& DX, const float& DY, const char* XTEXT, const char* YTEXT,
           const char* TITLE, const int& IPENF, const int& IPENC, const float* X, const float* Y, const int& N,
           const float& ISYM, int XTEXT_len, int YTEXT_len, int TITLE_len);

// Sets the plot state (CLIP) and draws the frame with pen IPENF as four axes with ticks at steps DX
// and DY (user units; 0 chooses 1, 2 or 5 times a power of ten): the bottom side numbered, with a
// power-of-ten factor where needed and the used part of XTEXT centred below, when IXLAB is
// nonzero (height XLSIZE), else ticks only; the right and top sides ticks only; the left side as
// the bottom one with YTEXT, IYLAB and YLSIZE. The title's used part is centred TSIZE cm above
// the frame, TSIZE high (starting at the left edge when wider than the frame). Ticks point into the
// frame. Texts may carry the plotter's mark-up and are drawn in pieces of 80 characters. Leaves
// the axis label height (ACHSIZ) at YLSIZE or XLSIZE when numbering is on. Equal bounds are not
// refused: CLIP maps them mid-frame and the axes in that direction are bare lines. The sides take
// their ACHSE count NC from the used lengths of the texts, so a blank XTEXT puts the bottom
// numbers inside the frame and its ticks outside, and a blank YTEXT turns the right ticks outward.
void FRAME(const float& X0, const float& Y0, const float& XLEN, const float& YLEN, const float& XMIN,
           const float& XMAX, const float& YMIN, const float& YMAX, const float& DX, const float& DY,
           const char* XTEXT, const char* YTEXT, const char* TITLE, const int& IPENF, int XTEXT_len,
           int YTEXT_len, int TITLE_len);

// Waits for a key hit at the graphics cursor (WAITHT) and writes its position in cm to X, Y and the
// key's character into CH's first character; the rest of CH is left as it was (a field of length 0
// gets nothing). On a device without a cursor it returns at once with (0, 0) and the key 0 (NUL).
void GETPOS(float& X, float& Y, char* CH, int CH_len);

// As GETPOS, with the position converted to the user units of the mapping in force at the hit.
// Before any CLIP it ends the program as DERR does ("Gposu"), without waiting.
void GPOSU(float& X, float& Y, char* CH, int CH_len);

// Sets the label height HLAB (cm) of all later ACHSE0/ACHSE calls: numbers, factor and axis text
// are HLAB high, and the automatic step aims at ticks 0.8 / HLAB cm apart before rounding to 1, 2
// or 5 times a power of ten. 0.4 until the first call; FRAME sets it too. Unchecked: a non-finite
// height makes the axes bare lines.
void ACHSIZ(const float& HLAB);

// Draws an axis line from (XA, YA) cm, ALEN cm long at ANGLE degrees (counter-clockwise from the
// x direction), with 0.2 cm ticks for the values VFIRST (at the start) to VLAST (at the end) at
// multiples of VSTEP (user units; 0 chooses 1, 2 or 5 times a power of ten). NC >= 0 puts the label
// side to the left of the direction of travel, NC < 0 to the right; ticks point the other way.
// VFIRST > VLAST runs the values backwards. Draws the line alone when there is no usable scale:
// VFIRST == VLAST, ALEN 0, a non-finite argument or label height, a zero or non-finite step, or a
// step that would give more than 100 000 ticks or that a float cannot tell from the end values.
void ACHSE0(const float& XA, const float& YA, const int& NC, const float& ALEN, const float& ANGLE,
            const float& VFIRST, const float& VSTEP, const float& VLAST);

// As ACHSE0, plus the tick values as numbers on the label side (STELLE/FSTELLE texts in the label
// height of ACHSIZ, left out where they would overlap the previous one), the common factor
// "* 10^e" when the end values need a power of ten taken out, and the first |NC| characters of
// ATEXT (at most 255; blank-padded when the field is shorter) centred along the axis beyond them.
// An axis from 0 whose ticks five decimals cannot write (0 to 5E-6) takes the power of ten of its
// other end. An axis drawn as a bare line still gets its text, one label height clear of it.
void ACHSE(const float& XA, const float& YA, const char* ATEXT, const int& NC, const float& ALEN,
           const float& ANGLE, const float& VFIRST, const float& VSTEP, const float& VLAST, int ATEXT_len);

// Label text of VALUE, rounded to six significant digits with trailing zeros dropped, written into
// LABEL (blank-padded, or cut to the field). NCH gets the text's length before cutting, IEXP the
// power of ten taken out: LABEL x 10**IEXP is VALUE to six significant digits (five, the sixth
// cut off, from 0.01 to below 0.1). IEXP is 0 for magnitudes from 0.01 to below 10**6 ("12.5",
// "0.05"); from 10**6 up a mantissa 1 to 9.99999 ("1.23457", IEXP 6); below 0.01 a fraction 0.1
// to 0.999999 ("0.5", IEXP -2 for 0.005). 0 gives "0"; NaN, Inf and -Inf give "NaN", "Inf",
// "-Inf" with IEXP 0.
void STELLE(const float& VALUE, char* LABEL, int& NCH, int& IEXP, int LABEL_len);

// As STELLE, but magnitudes below 10 in fixed-point form with at most five decimals ("0.005",
// "0.01235"; below 0.000005 "0", without sign), IEXP then left as it was; 0, NaN and infinities
// set IEXP to 0.
void FSTELLE(const float& VALUE, char* LABEL, int& NCH, int& IEXP, int LABEL_len);

// Position (1-based) of the last non-blank character of TEXT; 0 for an all-blank field or a length
// of 0 or less. Only the blank is padding: NUL and tab count as characters.
int IDX(const char* TEXT, int TEXT_len);

// Floor of X as an integer (LINT(-1.5) = -2). Saturates at the int range; NaN gives 0.
int LINT(const float& X);

// Draws the curve X(1..N), Y(1..N) in user units into the current diagram and leaves the plotter's
// clipping window set to the frame: ISYM 0 (or NaN) a solid line clipped to the frame, ISYM > 0
// dashes and gaps of ISYM cm (CDASH, a fresh pattern), ISYM < 0 marker number int(|ISYM|) (see
// CENSYM), SYMSIZ cm high, at every point inside the frame (edges included; points outside are
// left out). A point whose position is not finite is skipped and breaks the line. N < 2 draws no
// line; N <= 0 or null arrays draw nothing. Uses the pen in force. Before any CLIP it ends the
// program as DERR does ("Over").
void OVER(const float* X, const float* Y, const int& N, const float& ISYM);

// As OVER, after selecting pen IPEN (selected even if the guard then ends the program).
void OVR(const float* X, const float* Y, const int& N, const float& ISYM, const int& IPEN);

// Dashed-line pen in plotter cm: IPEN 3 starts a line at (X, Y), any other code draws on to (X, Y)
// with dashes and gaps DASH cm long, the pattern running on across vertices (one dashed line at a
// time for the whole program). Lines go through CPLOT, so the clipping window applies. A
// non-finite vertex draws nothing and breaks the line: the next call starts a new one there, as
// does a first call that is not a start. A DASH that is not a positive finite length draws the
// segment solid. A segment is cut off after 9999 dashes and gaps.
void CDASH(const float& X, const float& Y, const int& IPEN, const float& DASH);

// Writes TEXT (with the plotter's mark-up) with its lower-left corner at user (X, Y), HEIGHT in
// user y units (capital height HEIGHT x YSCAL cm), horizontally, in the pen in force; as PTXT with
// JUST 1 and IOPT 0. Before any CLIP it ends the program as DERR does ("Ptext").
void PTEXT(const float& X, const float& Y, const float& HEIGHT, const char* TEXT, int TEXT_len);

// Writes TEXT (with mark-up) in pen IPEN, selected first (and kept afterwards). IOPT's digits make
// positions and height fractions of the frame: hundreds X of the frame width from its left edge,
// tens Y of the frame height from its bottom, units HEIGHT of the frame height; a zero digit keeps
// user units (HEIGHT in y units). IOPT outside 0..999 turns all three on. JUST is the keypad
// position of (X, Y) on the text: 1 lower left, 2 bottom centre, 3 lower right (on the base line),
// 4-6 the middle row, 7-9 the top row (one capital height above the base line); other values
// follow the same rule (rows by JUST >= 7 / >= 4, column by the remainder of JUST / 3 with JUST's
// sign: 0 right, 2 centre, else left). The used text (at least one character) is measured for
// justification; the whole field is drawn, in pieces of 80 characters. A non-finite position or
// height, or a field of length 0, draws nothing. Before any CLIP it ends the program as DERR does
// ("Ptxt ").
void PTXT(const float& X, const float& Y, const char* TEXT, const float& HEIGHT, const int& JUST, const int& IPEN,
          const int& IOPT, int TEXT_len);

// ---- Logarithmic axes, time axes, error bars, a legend, histograms, steps and bands ----
// New routines beside the ones above: a program that never calls them draws exactly as before.

// Makes the x axis (LOGX nonzero) and the y axis (LOGY nonzero) logarithmic, base 10, for the
// diagrams set up after it (CLIP, FRAME, DIAGR) until changed; zero makes them linear again, and
// PLOTS starts every plot with both linear. Data and bounds stay in user units: on a logarithmic
// axis XCM, YCM and everything built on them (curves, error bars, PTXT and PTEXT positions, GPOSU)
// map log10 of the value, a value <= 0 giving a non-finite position that is not drawn. DIAGR takes
// an open range from the positive values, out to whole decades (3 to 700: 1 to 1000), or within
// one decade to 1, 2 or 5 times a power of ten (0.45 to 0.46: 0.4 to 0.5). FRAME numbers a
// logarithmic axis at the decades: 10&H3 with the mark-up's superscript, or 0.01, 1, 100 when
// every number lies from 0.001 to 10000; every s-th decade (s 1, 2, 5, 10, ...) so that no numbers
// overlap, with minor ticks at 2..9 times each decade while s is 1 and the axis spans at most 10
// decades. Below two numbered decades 2 and 5 times each decade are numbered too; below 0.4 of a
// decade the ticks are those of a linear axis. A bound <= 0 (or not finite) on a logarithmic axis
// is reported in one line on standard error and that axis is drawn linear.
void LOGAX(const int& LOGX, const int& LOGY);

// Makes the x axis (ITX nonzero) and the y axis (ITY nonzero) time axes for the diagrams set up
// after it (CLIP, FRAME, DIAGR) until changed; zero makes them plain again, and PLOTS starts every
// plot without. T0 is the instant of value 0: seconds since 1970-01-01T00:00:00 UTC (POSIX, no
// leap seconds). Values on a time axis are seconds after T0, mapped linearly (XCM, YCM, GPOSU and
// everything else work in those seconds); a float holds whole seconds exactly for 194 days from T0
// and milliseconds for 2 hours, so put T0 at the data's start. Ticks lie on the calendar, in UTC:
// years on 1 January (steps 1, 2, 5, 10, 20, 50, ...), months on the 1st (1, 2, 3, 6), days at
// midnight (1, 2, and days 1, 8, 15, 22), hours from midnight (1, 2, 3, 6, 12), minutes and
// seconds (1, 2, 5, 10, 15, 30), below a second 1, 2, 5 times a power of ten: the finest step
// whose labels keep their room, with minor ticks at a finer one where they fit. Labels show the
// unit that changes ("2012"; "Feb"; "Mar 08"; "06:00", always hours and minutes; "12:00:30";
// "30.25" seconds); a tick where a bigger unit begins names it ("Mar" among days, "2013" among
// months, "Mar 02" among hours), and what the labels leave out is written once under the axis's
// end ("2005", "2024 Mar 04"). FRAME chooses the steps of a time axis itself (DX or DY is not
// used there); DIAGR takes an open range from the data out to the ticks. A logarithmic request
// (LOGAX) on a time axis is reported in one line on standard error and the axis stays linear. A
// range the calendar cannot number (equal bounds, not finite, beyond the years -30000..30000) is
// numbered as seconds, as a linear axis.
void TIMAX(const int& ITX, const int& ITY, const double& T0);

// Vertical error bars: at each point (X(i), Y(i)) a line from Y(i) - ELO(i) to Y(i) + EHI(i), in
// user units, in the pen in force (pass the same array twice for symmetric errors), with a cap
// CAP cm wide across each end (0: none; 0.2 is a good size for markers of 0.3 cm). Bars are
// clipped to the frame, also those whose point lies outside it; a cap is drawn only where its
// end lies inside the frame, so a cut bar visibly runs on. On a logarithmic axis an end <= 0 runs
// to the frame's edge, without a cap. A bar with a negative offset or a value that is not finite
// is not drawn; one line on standard error per call gives their count. N <= 0 or a null array
// draws nothing. Draw markers after the bars (OVR), so that the bars do not cross them. Before any
// CLIP it ends the program as DERR does ("Erry").
void ERRY(const float* X, const float* Y, const float* ELO, const float* EHI, const int& N, const float& CAP);

// Horizontal error bars, from X(i) - ELO(i) to X(i) + EHI(i), as ERRY draws vertical ones ("Errx").
void ERRX(const float* X, const float* Y, const float* ELO, const float* EHI, const int& N, const float& CAP);

// Adds an entry to the legend of the current diagram: TEXT (with the plotter's mark-up; the first
// 80 characters of its used part), drawn in pen 1 after a sample of the curve in pen IPEN with the
// look OVR's ISYM gives it (0 a solid line, > 0 dashes of ISYM cm, solid where more than 40 would
// fit the sample, < 0 marker |ISYM|) and, for IBAR 1, an error bar with caps; IBAR 2 shows a
// histogram or filled area instead of the curve: a translucent box in the pen's colour with its
// outline; IBAR 3 a band: the translucent box with the curve's sample through its middle. Other
// values show the curve alone. Setting up another
// diagram (CLIP, FRAME, DIAGR with another frame, mapping or page) clears the entries; 16 are
// kept, later ones are reported on standard error and left out.
void LEGADD(const char* TEXT, const int& IPEN, const float& ISYM, const int& IBAR, int TEXT_len);

// Draws the entries LEGADD added since the diagram was set up, in call order, texts HEIGHT cm high
// (0 or less, or not finite: 0.35), each after a sample of its curve, in a thin box filled white,
// so that nothing drawn before runs through it. IPOS places the box: 1..9 the keypad position
// inside the frame (7 upper left, 9 upper right, 5 centre, 1 lower left, 3 lower right), set in by
// half of HEIGHT; 0 the best place, the first of upper right, upper left, lower left, lower right,
// centre right, centre left, lower centre, upper centre, centre that covers nothing drawn inside
// the frame since it was set up (curves, markers, error bars, texts; judged on a grid of 50 x 50
// cells over the frame), else the one covering least; 10 outside the frame, to the right of its
// upper corner. Other values are taken as 0. No entries: nothing is drawn. Leaves pen 1 selected.
// Before any CLIP it ends the program as DERR does ("Legend").
void LEGEND(const int& IPOS, const float& HEIGHT);

// Counts DATA(1..N) into NBIN equal bins from XMIN to XMAX, COUNTS(1..NBIN) (reals; the room is
// COUNTS(1..MAXBIN), nothing is written beyond it). A bin holds its left edge, the last one its
// right edge too. Written back: NBIN, XMIN, XMAX as used.
// - NBIN <= 0 chooses the count. With XMIN == XMAX (an open range) the width is the
//   Freedman-Diaconis width 2 IQR n**(-1/3), held between half of range / sqrt(n) and Sturges'
//   range / (log2(n) + 1) (n the finite values, IQR by linear interpolation of the order
//   statistics), rounded to the nearest 1, 2, 2.5 or 5 times a power of ten, and the edges are the
//   multiples of it around the data. More than MAXBIN bins: the finest such width that fits, said
//   in one line on standard error. With a range given the unrounded width of the values inside
//   it sets the count (at least 1, at most MAXBIN).
// - NBIN > 0 with an open range bins from the smallest to the largest finite value exactly.
// - An open range over one distinct value v gives one bin from v - d to v + d (d the larger of 0.5
//   and |v| / 10**6); no finite value gives NBIN = 0 and one line on standard error.
// - NBIN > MAXBIN counts MAXBIN bins, a range that is reversed or not finite is replaced by the
//   data's, each said in one line; MAXBIN <= 0 or null COUNTS count nothing (NBIN = 0), said so. N <= 0
//   or null DATA count no value.
// Values outside the range and values that are not finite are not counted; one line per call
// gives their numbers ("BINS: 2 values outside 0 to 10 and 1 value that is not finite are not
// counted"). Up to 4096 bins count exactly; beyond, a bin stops growing at 2**24 values.
void BINS(const float* DATA, const int& N, int& NBIN, float& XMIN, float& XMAX, float* COUNTS, const int& MAXBIN);

// Draws a step curve through X(1..N), Y(1..N) in user units in the pen in force, clipped to the
// frame (the window stays set to it), honouring logarithmic axes as OVR does. Vertices, from
// (X(i-1), Y(i-1)) to (X(i), Y(i)): IWHERE 1 (each value holds up to its x) via (X(i-1), Y(i));
// 2 (from its x on) via (X(i), Y(i-1)); 0 and any other value (centred) via (m, Y(i-1)) and
// (m, Y(i)), m halfway between X(i-1) and X(i) on the page; the first and last values start and
// end exactly at their x. A point whose position is not finite breaks the curve. Before any CLIP it
// ends the program as DERR does ("Steps").
void STEPS(const float* X, const float* Y, const int& N, const int& IWHERE);

// Fills the area between the curves (X(i), YLO(i)) and (X(i), YHI(i)) in the pen's colour at
// opacity 0.25 (FILALP; the opacity in force is restored afterwards), so that earlier curves stay
// visible through it; cut to the frame. YLO all 0 gives the area under a curve. A point with a
// value that is not finite splits the band into pieces; on a logarithmic axis a value <= 0 lies on
// the frame's edge. Long bands are filled in pieces of 128 points. N < 2 or null arrays fill
// nothing. Before any CLIP it ends the program as DERR does ("Band").
void BAND(const float* X, const float* YLO, const float* YHI, const int& N);

// Draws the histogram of DATA(1..N) into the current diagram in the pen in force: bins as BINS
// makes them from NBIN, XMIN, XMAX (nothing is written back; at most 1000 bins, reports naming
// HIST), the bars' outline as one closed step line down to y = 0 (on a logarithmic y axis to the
// frame's bottom, where empty bins run too), clipped to the frame; IFILL 1 first fills the bars
// at opacity 0.25 in the pen's colour (the opacity in force is restored). Before any CLIP it ends
// the program as DERR does ("Hist").
void HIST(const float* DATA, const int& N, const int& NBIN, const float& XMIN, const float& XMAX, const int& IFILL);

// One-call histogram, as DIAGR for a curve: bins DATA(1..N) as HIST does with an open range (NBIN
// <= 0 chooses), sets up the diagram at (X0, Y0) cm, XLEN x YLEN cm, from the first to the last
// edge and from 0 to the first numbered tick at or above the largest count, draws the histogram
// in pen IPENC (IFILL as HIST) and FRAME's frame with its texts in pen IPENF. Without a finite
// value the diagram runs from 0 to 1 both ways, empty. The diagram stays set up for more HIST,
// BAND or curves.
void HISTD(const float& X0, const float& Y0, const float& XLEN, const float& YLEN, const float* DATA, const int& N,
           const int& NBIN, const char* XTEXT, const char* YTEXT, const char* TITLE, const int& IPENF, const int& IPENC,
           const int& IFILL, int XTEXT_len, int YTEXT_len, int TITLE_len);
