// Internal: the one object that holds all plotter state, and what the recorder needs of it.
#pragma once

namespace plotter {

// Closes whatever is open (without writing a file) and returns every setting to its start value.
void reset_state();

// True while the in-process recorder is on: PLOTS then opens the in-memory device.
bool recorder_active();

}  // namespace plotter
