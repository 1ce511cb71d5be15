// Pure geometry of the plotter: the segment and polygon clippers, the clipping window and polyline
// thinning.
#pragma once

#include <vector>

namespace plotter {

// An axis-parallel rectangle in cm. The corners may come in any order; the clipper sorts them.
struct ClipWindow {
    float x1;
    float y1;
    float x2;
    float y2;
};

// Coordinates beyond this many cm from the origin are never handed to a device: cairo works in
// fixed point internally and garbles larger values. Plotted geometry is clipped to this box.
inline constexpr float kSafeExtent = 1.0e4F;

inline constexpr ClipWindow kSafeWindow{-kSafeExtent, -kSafeExtent, kSafeExtent, kSafeExtent};

// Clips the segment (x1, y1)-(x2, y2) to WINDOW (edges inclusive) with the Liang-Barsky method.
// Returns false when nothing of it lies inside (or a coordinate is not finite); otherwise writes
// the visible part back. An endpoint that lies inside is returned unchanged, bit for bit.
bool clip_segment(float& x1, float& y1, float& x2, float& y2, const ClipWindow& window);

// Clips the closed polygon through the N points X, Y to WINDOW (edges inclusive) by
// Sutherland-Hodgman, one window edge after the other, and writes the clipped polygon to OUT_X,
// OUT_Y (emptied first). Points inside the window are kept bit for bit, cut points lie on the
// window's edges, and a region the polygon covers inside the window keeps its winding number, so
// the clipped polygon fills there as the whole one would (parts of it may run along an edge, of
// no area). Fewer than 3 points left (nothing of it inside) give an empty result; the points are
// taken to be finite.
void clip_polygon(const float* x, const float* y, int n, const ClipWindow& window, std::vector<float>& out_x,
                  std::vector<float>& out_y);

// Thins a polyline, point by point, to the points needed to draw it within TOLERANCE (cm): every
// point left out lies within TOLERANCE of the kept segment that spans it. The kept points are
// input points, bit for bit and in order; the first and, after finish(), the last are always kept,
// and so are non-finite points and their neighbours. One pass: a cone of directions from the last
// kept point narrows with every point passed over (a safe, slightly narrower bound than the exact
// one), and a point outside it ends the segment at the point before.
class PolylineThinner {
public:
    explicit PolylineThinner(float tolerance);
    // Starts a new line at (X, Y), dropping all kept points.
    void start(float x, float y);
    // The next point of the line.
    void add(float x, float y);
    // Keeps the last point added; the line may go on with add().
    void finish();
    // Drops the kept points but the last one (after handing them on), to go on from there.
    void drop_all_but_last();
    const std::vector<float>& kept_x() const { return kept_x_; }
    const std::vector<float>& kept_y() const { return kept_y_; }
    // The last point added (or started at).
    float last_x() const { return last_x_; }
    float last_y() const { return last_y_; }

private:
    void keep(float x, float y);

    float tolerance_;
    std::vector<float> kept_x_;
    std::vector<float> kept_y_;
    // The segment runs from the last kept point (the anchor); LAST is the newest point, pending
    // while it is not kept. Angles are relative to REF, the unit direction to the first point
    // passed over farther than the tolerance from the anchor; a segment end whose direction lies
    // in [low, high] passes within the tolerance of every point passed over. FARTHEST is their
    // largest distance from the anchor: an end nearer than that could leave one beyond it.
    float anchor_x_ = 0.0F;
    float anchor_y_ = 0.0F;
    float last_x_ = 0.0F;
    float last_y_ = 0.0F;
    bool pending_ = false;
    bool has_cone_ = false;
    double ref_x_ = 0.0;
    double ref_y_ = 0.0;
    double low_ = 0.0;
    double high_ = 0.0;
    double farthest_ = 0.0;
};

// Cosine C and sine S of ANGLE degrees, exact for multiples of 90 degrees.
void direction(float angle, float& c, float& s);

// Connected polylines gathered into one line and thinned of points closer together than anyone can
// see (5 micrometres: a hundredth of the line width, a quarter of a 1200 dpi dot, a seventh of a PDF
// point): cairo's stroking and, for PDF, the formatting and compressing of every point cost far more
// than the thinning, and one stroke has no seams where pieces meet. A line is handed on when it
// ends, or in pieces of at most 2^16 kept points.
class LineGatherer {
public:
    // Adds the polyline through N points; DONE(x, y, n) takes each finished line or piece.
    template <class Done>
    void add(const float* x, const float* y, int n, Done&& done) {
        if (n < 2) {
            return;
        }
        if (!open_ || x[0] != thinner_.last_x() || y[0] != thinner_.last_y()) {
            finish(done);
            thinner_.start(x[0], y[0]);
            open_ = true;
        }
        for (int i = 1; i < n; ++i) {
            thinner_.add(x[i], y[i]);
        }
        if (thinner_.kept_x().size() >= kMaxPoints) {
            hand_on(done);
            thinner_.drop_all_but_last();
        }
    }
    // Ends the gathered line, if any, and hands it to DONE.
    template <class Done>
    void finish(Done&& done) {
        if (open_) {
            thinner_.finish();
            hand_on(done);
            open_ = false;
        }
    }
    // Forgets the gathered line.
    void drop() { open_ = false; }

private:
    static constexpr std::size_t kMaxPoints = std::size_t{1} << 16;
    template <class Done>
    void hand_on(Done& done) {
        done(thinner_.kept_x().data(), thinner_.kept_y().data(), static_cast<int>(thinner_.kept_x().size()));
    }
    PolylineThinner thinner_{0.0005F};
    bool open_ = false;
};

}  // namespace plotter
