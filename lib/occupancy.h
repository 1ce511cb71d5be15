// Internal: a coarse grid over the current diagram's frame that remembers where something was
// drawn inside it (curves, markers, error bars, texts), so the legend can find free room.
#pragma once

namespace diagr::occupancy {

// Cells along each side of the frame.
constexpr int CELLS = 50;

// Empties the grid and lays it over the frame XLEFT..XRIGHT x YBOTM..YTOP, cm (corners in either
// order). A frame without a finite width and height above 0 leaves the grid off: nothing is marked,
// nothing covered.
void clear(float xleft, float ybotm, float xright, float ytop);

// Adds 1 to each cell the segment (X1, Y1)-(X2, Y2) cm passes through inside the frame.
// Non-finite coordinates mark nothing.
void mark_segment(float x1, float y1, float x2, float y2);

// Adds 1 to each cell the box XLO..XHI x YLO..YHI cm overlaps inside the frame (the corners may
// come in either order). Non-finite coordinates mark nothing.
void mark_box(float xlo, float ylo, float xhi, float yhi);

// How much was drawn in the box XLO..XHI x YLO..YHI cm: the sum of the counts of the cells it
// overlaps, about the number of segments, markers and texts in it (held to the int range). 0 means
// nothing drawn inside the frame since it was set up lies in the box's cells. A box with a
// non-finite coordinate gives 0.
int covered(float xlo, float ylo, float xhi, float yhi);

}  // namespace diagr::occupancy
