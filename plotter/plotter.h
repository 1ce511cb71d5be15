// Pen-plotter library: CalComp-style drawing primitives in plotter centimetres, rendered on cairo.
//
// Every argument is passed by reference; a text is a fixed-length, blank-padded field whose
// declared length follows all visible arguments. Every call is traced (PLOTTER_TRACE, recorder).
// Drawing, text and cursor calls before PLOTS or after PLTEND draw nothing (the cursor gives "no
// hit"); the first of them since the start or the last PLOTS says so in one line on standard error
// ("plotter: PLOT called with no page open; PLOTS opens the page"). TEXTLK, which only measures,
// works without a page, and a PLTEND without a page is silent. Non-finite coordinates, heights or angles are skipped,
// never drawn; geometry farther than 10^4 cm from the origin is cut off there. See docs/plotter.md. Fortran callers
// reach every routine here under its gfortran name (plots_, plot_, ..., pgtext_) in the library diagr_fortran.
#pragma once

// Opens a page of WIDTH x HEIGHT cm (true size) on the device PLTDEV chose, else the one
// PGPLOT_DEV names ("file/type": pdf, png, svg, ps, eps, xw, null; default "plot.pdf/pdf"). On
// files the sheet has a 1 cm margin all round and grows to hold everything drawn on the page. The
// origin is the plot's lower left; PGTEXT takes the same centimetres. Pen 1, pen at
// (0, 0), no clipping window. IUNIT and IMODE are not interpreted. PLOTS while a plot is open
// starts its next page (PDF, PostScript: in the same file; PNG, SVG, EPS: in the next file,
// fig.png, fig_2.png, ...), or, when another device was chosen since, completes that plot and
// opens the new one. No file this run has written is written again: a later plot to the same
// name goes to the next numbered name. A device that cannot be opened, or a side not in (0, 300]
// cm, is reported in one line on standard error and ends the program with status 1.
void PLOTS(const int& IUNIT, const int& IMODE, const float& WIDTH, const float& HEIGHT);

// Pen code 3 moves to (X, Y) with the pen up, 2 draws a line from the current position to (X, Y).
// Other codes are ignored. After a non-finite point the position is unknown: the next code 2
// only puts the pen down at its point.
void PLOT(const float& X, const float& Y, const int& IPEN);

// As PLOT, but a drawn line is clipped to the clipping window; the pen always ends at (X, Y).
// Code 997 sets the window's lower-left corner to (X, Y), 998 its upper-right corner (in either
// order; a non-finite corner is ignored). Until they are set, nothing is clipped.
void CPLOT(const float& X, const float& Y, const int& IPEN);

// Draws a line from the position of the last move (PLOT or CPLOT code 3) to (X, Y) and leaves
// the pen there. I2 and I3 are not interpreted.
void MPLOT(const float& X, const float& Y, const int& I2, const int& I3);

// Selects pen IPEN for later drawing: 1 black, 2 red, 3 blue, 4 green, 5 orange, 6 purple, 7 teal,
// 8 magenta, 9 brown, 10 grey, 11 olive, 12 navy, 13 maroon, 14 dark green, 15 steel blue.
// Other numbers wrap into 1..15 (0 is 15, 16 is 1).
void NEWPEN(const int& IPEN);

// Draws TEXT without mark-up for callers that count characters: a box of one cell HEIGHT cm wide
// per character, lower left at (X, Y), rotated by ANGLE degrees, HEIGHT the capital height. The
// used text (without trailing blanks) is set at the font's own advances, centred in its cells.
// The whole declared length is drawn; NCHAR is not used. (999.0, 999.0) continues where the
// previous SYMBOL or SYMBLK ended: for SYMBOL, after all its cells (characters x HEIGHT; a
// character of several UTF-8 bytes is one cell).
void SYMBOL(const float& X, const float& Y, const float& HEIGHT, const char* TEXT, const float& ANGLE, const int& NCHAR,
            int TEXT_len);

// Draws TEXT with mark-up from (X, Y) (base line start) along ANGLE degrees; HEIGHT is the capital
// height in cm. "&H"/"&h" superscript, "&T"/"&t" subscript (both 0.65 high), "&M"/"&m" back to
// the base line, "#" toggles Greek (PGPLOT's letters: #abg is alpha beta gamma), "&&" and "##" a
// literal & and #. Other characters are drawn as they are, pairs the font kerns kerned; control
// codes as blanks. (999.0, 999.0) continues where the previous text ended. NCHAR is not used.
// Every text here is UTF-8; bytes that are not valid UTF-8 are read as ISO 8859-1, one character
// each, and the C1 controls as U+FFFD. A character DejaVu Sans lacks comes from another installed
// font; when none has it, a box is drawn and the first such character of the run is named on
// standard error.
void SYMBLK(const float& X, const float& Y, const float& HEIGHT, const char* TEXT, const float& ANGLE, const int& NCHAR,
            int TEXT_len);

// Writes to W the advance in cm that SYMBLK gives TEXT at HEIGHT (exactly: the same layout).
// XS, ANGLE and NCHAR don't matter; a negative or non-finite HEIGHT gives 0. Works without a page.
void TEXTLK(const float& XS, float& W, const float& HEIGHT, const char* TEXT, const float& ANGLE, const int& NCHAR,
            int TEXT_len);

// Draws marker MARKER centred on (X, Y), HEIGHT cm tall: 0 square, 1 circle, 2 triangle, 3 plus,
// 4 cross, 5 diamond, 6 inverted triangle, 7 asterisk, 8 crossed square, 9 star, 10 hourglass;
// other numbers wrap (n mod 11). WIDTH and ANGLE are not interpreted.
void CENSYM(const float& X, const float& Y, const int& MARKER, const float& HEIGHT, const float& WIDTH,
            const float& ANGLE);

// 1 starts a buffered batch of drawing, 0 ends it and flushes the output. A 1 inside a batch and a
// 0 outside one only flush; other values do nothing.
void PLTSYN(const int& IFLAG);

// Waits for a key hit at the graphics cursor (/xw). On a device without a cursor, and without an
// open page, it returns at once with "no hit": position (0, 0), key 0. While the recorder is on it
// takes the next hit queued by recorder_push_hit, or "no hit".
void WAITHT();

// Writes the position in cm of the last key hit (0, 0 when there was none).
void HITPOS(float& X, float& Y);

// Writes the key of the last key hit; its low-order byte is the character code (0 when there was
// none; mouse buttons give PGPLOT's A, D and X).
void HITCHR(int& KEY);

// Ends the plot and completes the output file. Later calls are no-ops until the next PLOTS. On
// a window it waits until a key is hit in the window or the window is closed. Output that cannot
// be written is reported in one line on standard error ("plotter: cannot write FILE: reason") and
// ends the program with status 1; so is a program's end that completes an open plot.
void PLTEND();

// Chooses the device for the next PLOTS, in PGPLOT_DEV's "file/type" form (PGPLOT_DEV is then not
// read); blanks choose PGPLOT_DEV's device again. A text that names no device is reported in one
// line on standard error and ends the program with status 1.
void PLTDEV(const char* TEXT, int TEXT_len);

// Fills the polygon X(1..N), Y(1..N) cm (closed from the last point back to the first; the
// non-zero winding rule) with white, the paper's colour, when IPAPER is nonzero, else with the
// colour of the pen in force; nothing is stroked. The clipping window does not apply. N < 3, null
// arrays or a non-finite point fill nothing. Covering what was drawn before it, it makes a box
// opaque: the legend's background. Traced with each array as its N values in brackets.
void FILPOL(const float* X, const float* Y, const int& N, const int& IPAPER);

// Sets the opacity ALPHA (0..1) of later FILPOL fills in the pen's colour; PLOTS resets it to 1.
void FILALP(const float& ALPHA);

// PGPLOT's text routine, ours, on the page PLOTS opened: TEXT horizontally with its base line's
// start at (X, Y) cm, in the current pen and PGPLOT's standard size (an ascent of 1/40 of the
// sheet's height: capitals 0.236 cm high on a 20 x 10 cm page). PGPLOT's escapes: "\ga".."\gz" and
// "\GA".."\GZ" Greek letters by PGPLOT's mapping (as "#" gives them), "\u" and "\d" up and down
// half a line in smaller letters, "\\" a backslash; any other escape is drawn as written, and
// UTF-8 as SYMBLK reads it. No other PGPLOT routine belongs to this library: a program that draws with
// PGPLOT itself opens its own PGPLOT device.
void PGTEXT(const float& X, const float& Y, const char* TEXT, int TEXT_len);
