// Diagram library: one-call x/y diagrams with scaled axes, curves, texts and cursor input,
// drawn through the pen-plotter library (plotter.h).
//
// Every argument is passed by reference; reals are IEEE single, integers 32-bit. A text is a
// fixed-length, blank-padded field whose declared length follows all visible arguments.
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

extern PltPar PLTPAR;

// The initial plot state, in force from program start; XSCAL holds the sentinel.
extern const PltPar LABINI_VALUES;

// The bytes "Erro" read as a little-endian float: XSCAL's value while the state is not set.
extern const float PLTPAR_SENTINEL;

// Does nothing: the initial values are static.
void LABINI();

// Sets mapping and frame: the frame's lower-left corner (X0, Y0) cm, its size XLEN x YLEN cm,
// and the user values at its left, right, bottom and top edges.
void CLIP(const float& X0, const float& Y0, const float& XLEN, const float& YLEN, const float& XMIN,
          const float& XMAX, const float& YMIN, const float& YMAX);

// Plotter cm of user x / user y. Before any CLIP they end the program as DERR does.
float XCM(const float& X);
float YCM(const float& Y);

// Returns when the plot state is set; otherwise ends the plot, writes the two-line message
// naming NAME (whole declared length) to standard output and exits with status 0.
void DERR(const char* NAME, int NAME_len);

// Sets IXLAB, IYLAB, XLSIZE, YLSIZE, TSIZE, SYMSIZ of the plot state, unchecked.
void FRALAB(const int& IXLAB, const int& IYLAB, const float& XLSIZE, const float& YLSIZE, const float& TSIZE,
            const float& SYMSIZ);

// One-call diagram: frame at (X0, Y0) cm, XLEN x YLEN cm. A range with XMIN == XMAX (or
// YMIN == YMAX) is taken from the data with a tenth added on each side and written back.
// Draws the curve (mode ISYM, pen IPENC) and then frame, axes and title (pen IPENF).
void DIAGR(const float& X0, const float& Y0, const float& XLEN, const float& YLEN, float& XMIN, float& XMAX,
           float& YMIN, float& YMAX, const float& DX, const float& DY, const char* XTEXT, const char* YTEXT,
           const char* TITLE, const int& IPENF, const int& IPENC, const float* X, const float* Y, const int& N,
           const float& ISYM, int XTEXT_len, int YTEXT_len, int TITLE_len);

// Sets the plot state and draws the frame as four axes (steps DX, DY; 0 chooses), numbers and
// texts on the bottom and left sides as the plot state selects, and the centred title.
void FRAME(const float& X0, const float& Y0, const float& XLEN, const float& YLEN, const float& XMIN,
           const float& XMAX, const float& YMIN, const float& YMAX, const float& DX, const float& DY,
           const char* XTEXT, const char* YTEXT, const char* TITLE, const int& IPENF, int XTEXT_len,
           int YTEXT_len, int TITLE_len);

// Waits for a key hit at the cursor; writes its position in cm and its key into CH's first character.
void GETPOS(float& X, float& Y, char* CH, int CH_len);

// As GETPOS, with the position in the user units of the current diagram.
void GPOSU(float& X, float& Y, char* CH, int CH_len);

// Sets the label height (cm) of the axis routines; 0.4 until the first call.
void ACHSIZ(const float& HLAB);

// Draws an axis line with ticks from (XA, YA) cm, ALEN cm long at ANGLE degrees, for the values
// VFIRST to VLAST with the tick step VSTEP (0 chooses). The sign of NC selects the side.
void ACHSE0(const float& XA, const float& YA, const int& NC, const float& ALEN, const float& ANGLE,
            const float& VFIRST, const float& VSTEP, const float& VLAST);

// As ACHSE0, plus numbers, the power-of-ten factor and the first |NC| characters of ATEXT.
void ACHSE(const float& XA, const float& YA, const char* ATEXT, const int& NC, const float& ALEN,
           const float& ANGLE, const float& VFIRST, const float& VSTEP, const float& VLAST, int ATEXT_len);

// Label text of VALUE (at most six significant digits) into LABEL; NCH its length before cutting
// to the field, IEXP the power of ten taken out of the value.
void STELLE(const float& VALUE, char* LABEL, int& NCH, int& IEXP, int LABEL_len);

// As STELLE, but magnitudes below 10 in fixed-point form (IEXP then left as it was, but for 0).
void FSTELLE(const float& VALUE, char* LABEL, int& NCH, int& IEXP, int LABEL_len);

// Position of the last non-blank character of TEXT, 0 for an all-blank or empty field.
int IDX(const char* TEXT, int TEXT_len);

// Floor of X as an integer.
int LINT(const float& X);

// Draws the curve X(1..N), Y(1..N) in user units into the current diagram: ISYM 0 a solid
// line, > 0 dashes of that length in cm, < 0 the marker |ISYM| at every point inside the frame.
void OVER(const float* X, const float* Y, const int& N, const float& ISYM);

// As OVER, after selecting pen IPEN.
void OVR(const float* X, const float* Y, const int& N, const float& ISYM, const int& IPEN);

// Dashed-line pen in cm: IPEN 3 starts a line at (X, Y), any other code continues it, with
// dashes and gaps DASH cm long and the pattern running on across vertices.
void CDASH(const float& X, const float& Y, const int& IPEN, const float& DASH);

// Writes TEXT with its lower-left corner at user (X, Y), HEIGHT in user y units.
void PTEXT(const float& X, const float& Y, const float& HEIGHT, const char* TEXT, int TEXT_len);

// Writes TEXT with keypad justification JUST, pen IPEN, and the option code IOPT making the
// x position, y position and height (hundreds, tens, units digit) fractions of the frame.
void PTXT(const float& X, const float& Y, const char* TEXT, const float& HEIGHT, const int& JUST, const int& IPEN,
          const int& IOPT, int TEXT_len);
