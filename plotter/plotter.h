// Pen-plotter library: CalComp-style drawing primitives in plotter centimetres, rendered through PGPLOT.
//
// Every argument is passed by reference; a text is a fixed-length, blank-padded field whose
// declared length follows all visible arguments. Calls before PLOTS or after PLTEND are
// harmless no-ops (they still appear in the trace). Non-finite coordinates or heights are
// skipped, never drawn.
#pragma once

// Opens a page of WIDTH x HEIGHT cm on the device named by PGPLOT_DEV (default "plot.pdf").
// IUNIT and IMODE are recorded but not interpreted. A second PLOTS while a page is open is ignored.
// A device that cannot be opened is reported on standard error and ends the program with status 1.
void PLOTS(const int& IUNIT, const int& IMODE, const float& WIDTH, const float& HEIGHT);

// Pen code 3 moves to (X, Y) with the pen up, 2 draws a line from the current position to (X, Y).
// Other codes are ignored.
void PLOT(const float& X, const float& Y, const int& IPEN);

// As PLOT, but a drawn line is clipped to the clipping window; the pen always ends at (X, Y).
// Code 997 sets the window's lower-left corner to (X, Y), 998 its upper-right corner.
void CPLOT(const float& X, const float& Y, const int& IPEN);

// Draws a line from the position of the preceding move to (X, Y). I2 and I3 are not interpreted.
void MPLOT(const float& X, const float& Y, const int& I2, const int& I3);

// Selects pen IPEN of the palette for later drawing (pen 1 black); numbers outside 1..15 wrap into it.
void NEWPEN(const int& IPEN);

// Draws TEXT without mark-up, each character in a cell exactly HEIGHT cm wide, lower left at
// (X, Y), rotated by ANGLE degrees. The whole declared length is drawn; NCHAR is not used.
// (999.0, 999.0) continues where the previous text ended.
void SYMBOL(const float& X, const float& Y, const float& HEIGHT, const char* TEXT, const float& ANGLE,
            const int& NCHAR, int TEXT_len);

// Draws TEXT with mark-up (&H superscript, &T subscript, &M base line, # toggles Greek,
// && and ## literal) from (X, Y) along ANGLE degrees; HEIGHT is the capital height in cm.
// (999.0, 999.0) continues where the previous text ended. NCHAR is not used.
void SYMBLK(const float& X, const float& Y, const float& HEIGHT, const char* TEXT, const float& ANGLE,
            const int& NCHAR, int TEXT_len);

// Writes to W the advance in cm that SYMBLK gives TEXT at HEIGHT. XS, ANGLE and NCHAR don't matter.
void TEXTLK(const float& XS, float& W, const float& HEIGHT, const char* TEXT, const float& ANGLE,
            const int& NCHAR, int TEXT_len);

// Draws marker MARKER centred on (X, Y), HEIGHT cm tall. WIDTH and ANGLE are not interpreted.
void CENSYM(const float& X, const float& Y, const int& MARKER, const float& HEIGHT, const float& WIDTH,
            const float& ANGLE);

// 1 starts a buffered batch of drawing, 0 ends it and flushes the output. Unbalanced calls are harmless.
void PLTSYN(const int& IFLAG);

// Waits for a key hit at the graphics cursor. On a device without a cursor it returns at once.
void WAITHT();

// Writes the position in cm of the last key hit (0, 0 when there was none).
void HITPOS(float& X, float& Y);

// Writes the key of the last key hit; its low-order byte is the character code (0 when there was none).
void HITCHR(int& KEY);

// Ends the plot and completes the output file. Later calls are no-ops until the next PLOTS.
void PLTEND();

// PGPLOT's text routine on the page PLOTS opened: TEXT with PGPLOT escapes, lower left at (X, Y) cm.
void PGTEXT(const float& X, const float& Y, const char* TEXT, int TEXT_len);
