// Internal: what the diagram library may ask the plotter about the plot in progress.
#pragma once

namespace plotter {

// How many pages PLOTS has begun since the program started (the recorder does not reset it): the
// diagram library's per-plot settings start afresh whenever this changes.
long pages_begun();

// The opacity (0..1) of later FILPOL fills in the pen's colour: FILALP's value in force.
float fill_opacity();

}  // namespace plotter
