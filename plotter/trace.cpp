// Trace lines of plotter calls: formatting, the PLOTTER_TRACE file and the in-process recorder.
#include "trace.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "recorder.h"
#include "state.h"

namespace plotter::trace {

struct Sink {
    bool file_checked = false;
    std::FILE* file = nullptr;
    bool recording = false;
    std::vector<std::string> lines;
};

Sink& sink() {
    static Sink instance;
    return instance;
}

void open_trace_file(Sink& s) {
    s.file_checked = true;
    const char* name = std::getenv("PLOTTER_TRACE");
    if (name == nullptr || *name == '\0') {
        return;
    }
    s.file = std::fopen(name, "a");
    if (s.file == nullptr) {
        std::fprintf(stderr, "plotter: cannot open trace file %s\n", name);
    }
}

bool active() {
    Sink& s = sink();
    if (!s.file_checked) {
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

Line& Line::returns() {
    line_ += " ->";
    return *this;
}

void Line::emit() {
    Sink& s = sink();
    if (s.file != nullptr) {
        line_ += '\n';
        std::fputs(line_.c_str(), s.file);
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
    trace::Sink& s = trace::sink();
    s.lines.clear();
    s.recording = true;
}

void recorder_stop() {
    trace::Sink& s = trace::sink();
    s.recording = false;
    s.lines.clear();
    reset_state();
}

const std::vector<std::string>& recorder_lines() {
    return trace::sink().lines;
}

void recorder_clear() {
    trace::sink().lines.clear();
}

bool recorder_active() {
    return trace::sink().recording;
}

}  // namespace plotter
