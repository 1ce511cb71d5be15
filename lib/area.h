// Internal: what filled areas share (histograms, bands, legend samples): positions that a
// logarithmic axis cannot show put on the frame's edge, and translucent fills in the pen's colour.
#pragma once

namespace diagr::area {

// The opacity of a translucent fill: earlier curves stay visible through it.
inline constexpr float OPACITY = 0.25F;

// Plotter cm of user x / y; a value a logarithmic axis cannot show (<= 0) lies on the frame's edge
// on the side of the small values. NaN for a value that is not finite.
float x_cm(float value);
float y_cm(float value);

// Vertices of a polygon FillScope fills.
inline constexpr int MAX_POLYGON = 256;

// Holds the opacity in force while translucent fills are drawn, and restores it at its end.
class FillScope {
public:
    FillScope() = default;
    FillScope(const FillScope&) = delete;
    FillScope& operator=(const FillScope&) = delete;
    ~FillScope();
    // Fills the polygon X(1..N), Y(1..N) cm (N from 3 to MAX_POLYGON) translucently in the pen in
    // force, cut to the frame (Sutherland-Hodgman) when TO_FRAME; the first fill sets the opacity.
    void fill(const float* x, const float* y, int n, bool to_frame = true);

private:
    bool set_ = false;
    float before_ = 1.0F;
};

}  // namespace diagr::area
