// In-process recorder of plotter calls, for tests: every call of a plotter.h routine becomes one
// line in the trace format (see README), kept in memory.
#pragma once

#include <string>
#include <vector>

namespace plotter {

// Resets the whole plotter state and starts recording. While recording, PLOTS opens an
// in-memory device instead of PGPLOT, so nothing is written to disk.
void recorder_start();

// Stops recording and resets the plotter state.
void recorder_stop();

// The lines recorded since recorder_start() or the last recorder_clear().
const std::vector<std::string>& recorder_lines();

void recorder_clear();

// Queues a key hit that the next WAITHT on the in-memory device returns: position in cm, key code.
void recorder_push_hit(float x, float y, int key);

}  // namespace plotter
