// Formatting of plotter calls as trace lines, and where they go: the PLOTTER_TRACE file and the recorder.
#pragma once

#include <string>

namespace plotter::trace {

// True when a call must be traced: PLOTTER_TRACE names a file or the recorder is on.
bool active();

// One trace line under construction: NAME, then the arguments, each after one blank.
class Line {
public:
    explicit Line(const char* name);
    Line& real(float value);
    Line& integer(int value);
    Line& text(const char* text, int length);
    // An array: its COUNT values as reals, separated by blanks, in brackets; "[]" when VALUES is
    // null or COUNT is not positive.
    Line& array(const float* values, int count);
    // Marks the start of the returned values (" ->").
    Line& returns();
    // Appends the line to the trace file and the recorder.
    void emit();

private:
    std::string line_;
};

}  // namespace plotter::trace
