// Internal: what the current diagram holds beyond PLTPAR, whose fourteen words are fixed: which of
// its axes are logarithmic or time axes. Setting up a diagram (CLIP) also empties its occupancy grid and legend.
#pragma once

namespace diagr::diagram {

// Whether the current diagram's x / y axis is logarithmic (LOGAX in force when it was set up).
bool log_x();
bool log_y();

// Whether LOGAX asks for a logarithmic x / y axis in the diagrams set up now.
bool log_requested_x();
bool log_requested_y();

// Whether the current diagram's x / y axis is a time axis (TIMAX in force when it was set up), and
// the origin T0 of its time axes, seconds since 1970-01-01 UTC.
bool time_x();
bool time_y();
double time_origin();

// Whether TIMAX asks for a time x / y axis in the diagrams set up now, and the origin it gives.
bool time_requested_x();
bool time_requested_y();
double time_origin_requested();

// The value the mapping scales on an axis: log10(VALUE) on a logarithmic one (NaN for a value
// <= 0, so that its position is not finite and is skipped), else VALUE itself.
float mapped_x(float value);
float mapped_y(float value);

// The inverse: the user value of mapping coordinate C (10**C on a logarithmic axis).
float unmapped_x(float c);
float unmapped_y(float c);

// Sets up the mapping of a diagram as CLIP does, with the axes LOGAX and TIMAX ask for. A
// logarithmic request on a time axis is reported (unless QUIET) and the axis is linear. A logarithmic axis
// with a bound <= 0 or not finite is set up linear, and ROUTINE says so in one line on standard
// error unless QUIET. A diagram whose frame, mapping, axes or page differ from the one in force starts
// with an empty occupancy grid and no legend entries; the same diagram set up again keeps them.
void set_up(const char* routine, bool quiet, float x0, float y0, float xlen, float ylen, float xmin, float xmax,
            float ymin, float ymax);

// Sets the plotter's clipping window (CPLOT 997 and 998) to the current diagram's frame; the
// curve, bar and fill routines leave it so.
void clip_to_frame();

// Draws the frame, axes, texts and title of FRAME for the diagram just set up, each axis linear,
// logarithmic or a time axis as set up.
void draw_frame(float X0, float Y0, float XLEN, float YLEN, float XMIN, float XMAX, float YMIN, float YMAX, float DX,
                float DY, const char* XTEXT, const char* YTEXT, const char* TITLE, int IPENF, int XTEXT_len,
                int YTEXT_len, int TITLE_len);

// Short unnumbered ticks on the linear sides of the frame FRAME drew: at multiples of DXMINOR
// (DYMINOR) between the numbered ticks at multiples of DX (DY); 0 draws none on that axis.
void draw_minor_ticks(float X0, float Y0, float XLEN, float YLEN, float XMIN, float XMAX, float YMIN, float YMAX,
                      float DX, float DY, float DXMINOR, float DYMINOR);

// Draws DIAGR's curve X(1..N), Y(1..N) exactly as OVER with mode ISYM would, its reports naming
// DIAGR.
void draw_diagr_curve(const float* X, const float* Y, int n, float isym);

// Counts the values of one coordinate (VALUES(1..N)) that a logarithmic axis cannot show (<= 0)
// and, when there are any, says in one line on standard error that ROUTINE leaves them out:
// "OVR: 2 points with y <= 0 are not drawn on the logarithmic axis".
void report_non_positive(const char* routine, const float* values, int n, bool on_log_axis, char axis_name);

}  // namespace diagr::diagram
