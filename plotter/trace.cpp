// Trace lines of plotter calls: formatting, the PLOTTER_TRACE file and the in-process recorder.
#include "trace.h"

#include <cstdio>
#include <cstdlib>

#include "recorder.h"
#include "state.h"

namespace plotter::trace {

namespace {

void open_trace_file(TraceSink& s) {
    s.checked = true;
    const char* name = std::getenv("PLOTTER_TRACE");
    if (name == nullptr || *name == '\0') {
        return;
    }
    s.file = std::fopen(name, "a");
    if (s.file == nullptr) {
        std::fprintf(stderr, "plotter: cannot open trace file %s\n", name);
        return;
    }
    // Line by line, so the trace is complete up to the last call even if the program dies.
    std::setvbuf(s.file, nullptr, _IOLBF, BUFSIZ);
}

}  // namespace

bool active() {
    TraceSink& s = state().trace;
    if (!s.checked) {
        open_trace_file(s);
    }
    return s.file != nullptr || s.recording;
}

Line::Line(const char* name) : line_(name) {}

Line& Line::real(float value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, " %.9g", static_cast<double>(value));
    line_ += buffer;
    return *this;
}

Line& Line::integer(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, " %d", value);
    line_ += buffer;
    return *this;
}

Line& Line::text(const char* text, int length) {
    line_ += " \"";
    for (int i = 0; i < length; ++i) {
        const char c = text[i];
        if (c == '\\' || c == '"') {
            line_ += '\\';
        }
        line_ += c;
    }
    line_ += '"';
    return *this;
}

Line& Line::array(const float* values, int count) {
    line_ += " [";
    for (int i = 0; values != nullptr && i < count; ++i) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, i == 0 ? "%.9g" : " %.9g", static_cast<double>(values[i]));
        line_ += buffer;
    }
    line_ += ']';
    return *this;
}

Line& Line::returns() {
    line_ += " ->";
    return *this;
}

void Line::emit() {
    TraceSink& s = state().trace;
    if (s.file != nullptr) {
        // fwrite, not fputs: a text field may hold NUL bytes.
        line_ += '\n';
        std::fwrite(line_.data(), 1, line_.size(), s.file);
        line_.pop_back();
    }
    if (s.recording) {
        s.lines.push_back(line_);
    }
}

}  // namespace plotter::trace

namespace plotter {

void recorder_start() {
    reset_state();
    state().trace.recording = true;
}

void recorder_stop() { reset_state(); }

const std::vector<std::string>& recorder_lines() { return state().trace.lines; }

void recorder_clear() { state().trace.lines.clear(); }

bool recorder_active() { return state().trace.recording; }

const std::vector<Primitive>& recorder_primitives() { return state().primitives; }

void recorder_push_hit(float x, float y, int key) { state().queued_hits.push_back(Hit{x, y, key}); }

}  // namespace plotter
