// Internal: what the diagram library may ask the plotter about the plot in progress.
#pragma once

namespace plotter {

// How many pages PLOTS has begun since the program started (the recorder does not reset it): the
// diagram library's per-plot settings start afresh whenever this changes.
long pages_begun();

// The opacity FILALP set for fills in the pen, 0..1 (1 before the first PLOTS and after each):
// a library routine that changes it sets it back to this when it is done.
float fill_opacity();

}  // namespace plotter
