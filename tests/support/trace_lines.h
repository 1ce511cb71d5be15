// Recorded plotter calls taken apart: a trace line is the routine's name, then its arguments
// separated by blanks, a text argument in double quotes with \ escaping, an array's values in
// brackets, returned values after "->".
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "recorder.h"

namespace support {

// One recorded plotter call: its name, numeric arguments (an array's values in their place, returned
// values after "->" included) and its text argument, if any.
struct Call {
    std::string name;
    std::vector<float> numbers;
    std::string text;
    bool has_text = false;
};

inline Call parse_call(const std::string& line) {
    Call call;
    std::size_t pos = line.find(' ');
    call.name = line.substr(0, pos);
    while (pos != std::string::npos && pos < line.size()) {
        ++pos;
        if (line[pos] == '"') {
            call.has_text = true;
            ++pos;
            while (pos < line.size() && line[pos] != '"') {
                if (line[pos] == '\\') {
                    ++pos;
                }
                call.text += line[pos++];
            }
            pos = line.find(' ', pos);
            continue;
        }
        const std::size_t end = line.find(' ', pos);
        std::string token = line.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        if (!token.empty() && token.front() == '[') {
            token.erase(0, 1);
        }
        if (!token.empty() && token.back() == ']') {
            token.pop_back();
        }
        if (!token.empty() && token != "->") {
            call.numbers.push_back(std::strtof(token.c_str(), nullptr));
        }
        pos = end;
    }
    return call;
}

// The calls recorded so far, in order.
inline std::vector<Call> recorded_calls() {
    std::vector<Call> result;
    for (const std::string& line : plotter::recorder_lines()) {
        result.push_back(parse_call(line));
    }
    return result;
}

// The calls of ALL to the routine NAME, in order.
inline std::vector<Call> named(const std::vector<Call>& all, const std::string& name) {
    std::vector<Call> result;
    for (const Call& call : all) {
        if (call.name == name) {
            result.push_back(call);
        }
    }
    return result;
}

}  // namespace support
