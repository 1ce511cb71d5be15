// The occupancy grid of the current diagram's frame: CELLS x CELLS counters, fed as things are
// drawn, read by the legend's choice of place.
#include "occupancy.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>

#include "geometry.h"

namespace diagr::occupancy {

namespace {

struct Grid {
    bool on = false;
    // The frame, cm, lower left to upper right.
    float left = 0.0F;
    float bottom = 0.0F;
    float right = 0.0F;
    float top = 0.0F;
    // Cells per cm: grid coordinate = (cm - left) * per_cm_x, 0..CELLS across the frame.
    double per_cm_x = 0.0;
    double per_cm_y = 0.0;
    float per_cm_x_float = 0.0F;  // the same, for the cells of points inside the frame
    float per_cm_y_float = 0.0F;
    int count[CELLS][CELLS] = {};  // [row from the bottom][column from the left]
};

Grid grid;

bool finite(float a, float b, float c, float d) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

void add(int column, int row) {
    int& count = grid.count[row][column];
    count += count < INT_MAX ? 1 : 0;
}

double grid_x(double x) { return (x - grid.left) * grid.per_cm_x; }
double grid_y(double y) { return (y - grid.bottom) * grid.per_cm_y; }

// The cell holding grid coordinate G; the frame's far edge belongs to the last cell.
int cell_at(double g) {
    if (!(g > 0.0)) {
        return 0;
    }
    return g >= CELLS ? CELLS - 1 : static_cast<int>(g);
}

// The cell of an X or Y inside the frame (LEFT or BOTTOM from that side, a finite PER_CM).
int cell_inside(float value, float from, float per_cm) {
    return std::min(static_cast<int>((value - from) * per_cm), CELLS - 1);
}

// The cells a span LO..HI of grid coordinates overlaps: an end exactly on a cell boundary does not
// reach into the cell beyond it, and a span of no length still has its cell.
void cell_span(double lo, double hi, int& first, int& last) {
    first = cell_at(lo);
    last = std::max(first, hi >= CELLS ? CELLS - 1 : static_cast<int>(std::ceil(std::max(hi, 0.0))) - 1);
}

// The first and last column and row of the cells a box (corners in either order) overlaps inside
// the frame; false for a box outside it or not finite.
// Calls VISIT(column, row) for every cell the box from (XLO, YLO) to (XHI, YHI) cm covers inside the
// frame; none for a box outside it or not finite.
template <typename Visit>
void for_each_cell(float xlo, float ylo, float xhi, float yhi, Visit visit) {
    if (!grid.on || !finite(xlo, ylo, xhi, yhi)) {
        return;
    }
    const float left = std::max(std::min(xlo, xhi), grid.left);
    const float right = std::min(std::max(xlo, xhi), grid.right);
    const float bottom = std::max(std::min(ylo, yhi), grid.bottom);
    const float top = std::min(std::max(ylo, yhi), grid.top);
    if (left > right || bottom > top) {
        return;
    }
    int column0 = 0;
    int row0 = 0;
    int column1 = 0;
    int row1 = 0;
    cell_span(grid_x(left), grid_x(right), column0, column1);
    cell_span(grid_y(bottom), grid_y(top), row0, row1);
    for (int row = row0; row <= row1; ++row) {
        for (int column = column0; column <= column1; ++column) {
            visit(column, row);
        }
    }
}

bool inside(float x, float y) { return grid.left <= x && x <= grid.right && grid.bottom <= y && y <= grid.top; }

}  // namespace

void clear(float xleft, float ybotm, float xright, float ytop) {
    // A frame of negative length is the same box: CLIP's window takes its corners in either order.
    const float left = std::min(xleft, xright);
    const float right = std::max(xleft, xright);
    const float bottom = std::min(ybotm, ytop);
    const float top = std::max(ybotm, ytop);
    grid.left = left;
    grid.bottom = bottom;
    grid.right = right;
    grid.top = top;
    // Off for a frame without a finite size above 0 (as a float: the fast cell lookup subtracts in
    // floats), or so small that cells per cm exceed a float.
    const double per_cm_x = CELLS / (static_cast<double>(right) - left);
    const double per_cm_y = CELLS / (static_cast<double>(top) - bottom);
    grid.on = finite(left, bottom, right - left, top - bottom) && right > left && top > bottom && per_cm_x <= FLT_MAX &&
              per_cm_y <= FLT_MAX;
    grid.per_cm_x = grid.on ? per_cm_x : 0.0;
    grid.per_cm_y = grid.on ? per_cm_y : 0.0;
    grid.per_cm_x_float = static_cast<float>(grid.per_cm_x);
    grid.per_cm_y_float = static_cast<float>(grid.per_cm_y);
    std::fill(&grid.count[0][0], &grid.count[0][0] + CELLS * CELLS, 0);
}

void mark_segment(float x1, float y1, float x2, float y2) {
    if (!grid.on) {
        return;
    }
    const bool both_inside = inside(x1, y1) && inside(x2, y2);  // never for a non-finite end
    if (both_inside) {
        // The common case of a densely sampled curve, kept short: both ends in one cell.
        const int column = cell_inside(x1, grid.left, grid.per_cm_x_float);
        const int row = cell_inside(y1, grid.bottom, grid.per_cm_y_float);
        if (column == cell_inside(x2, grid.left, grid.per_cm_x_float) &&
            row == cell_inside(y2, grid.bottom, grid.per_cm_y_float)) {
            add(column, row);
            return;
        }
    }
    // Cut to the frame; a segment with an end not finite has nothing to mark.
    float ax = x1;
    float ay = y1;
    float bx = x2;
    float by = y2;
    if (!both_inside &&
        !plotter::clip_segment(ax, ay, bx, by, plotter::ClipWindow{grid.left, grid.bottom, grid.right, grid.top})) {
        return;
    }
    const double gx1 = grid_x(ax);
    const double gy1 = grid_y(ay);
    const double gx2 = grid_x(bx);
    const double gy2 = grid_y(by);
    int column = cell_at(gx1);
    int row = cell_at(gy1);
    const int end_column = cell_at(gx2);
    const int end_row = cell_at(gy2);
    add(column, row);
    const int steps = std::abs(end_column - column) + std::abs(end_row - row);
    if (steps == 0) {
        return;
    }

    // Amanatides-Woo: T_NEXT_* is the fraction of the segment at which it crosses the next cell
    // boundary across x or y, T_STEP_* the fraction one cell takes. Each step moves into the
    // cell whose boundary comes first, both at once through a corner; a coordinate that already
    // reached its end cell stays there, so the walk ends in the end cell after at most STEPS steps.
    const double dx = gx2 - gx1;
    const double dy = gy2 - gy1;
    const int step_column = dx > 0.0 ? 1 : -1;
    const int step_row = dy > 0.0 ? 1 : -1;
    const double infinity = HUGE_VAL;
    const double t_step_x = dx != 0.0 ? 1.0 / std::fabs(dx) : infinity;
    const double t_step_y = dy != 0.0 ? 1.0 / std::fabs(dy) : infinity;
    double t_next_x = dx > 0.0 ? (column + 1 - gx1) / dx : (dx < 0.0 ? (gx1 - column) / -dx : infinity);
    double t_next_y = dy > 0.0 ? (row + 1 - gy1) / dy : (dy < 0.0 ? (gy1 - row) / -dy : infinity);
    for (int k = 0; k < steps && (column != end_column || row != end_row); ++k) {
        const bool across_x = row == end_row || (column != end_column && t_next_x <= t_next_y);
        const bool across_y = column == end_column || (row != end_row && t_next_y <= t_next_x);
        if (across_x) {
            column += step_column;
            t_next_x += t_step_x;
        }
        if (across_y) {
            row += step_row;
            t_next_y += t_step_y;
        }
        add(column, row);
    }
}

void mark_box(float xlo, float ylo, float xhi, float yhi) { for_each_cell(xlo, ylo, xhi, yhi, add); }

int covered(float xlo, float ylo, float xhi, float yhi) {
    long long sum = 0;
    for_each_cell(xlo, ylo, xhi, yhi, [&sum](int column, int row) { sum += grid.count[row][column]; });
    return static_cast<int>(std::min<long long>(sum, INT_MAX));
}

}  // namespace diagr::occupancy
