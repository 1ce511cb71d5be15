// Pure geometry of the plotter: the segment clipper and the clipping window.
#pragma once

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

}  // namespace plotter
