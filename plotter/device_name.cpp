// Parsing of PGPLOT_DEV device names.
#include "device_name.h"

#include <cctype>

namespace plotter {

namespace {

struct Known {
    const char* name;
    const char* type;
    const char* extension;
};

constexpr Known kKnown[] = {
    {"pdf", "pdf", "pdf"}, {"vpdf", "pdf", "pdf"}, {"png", "png", "png"}, {"svg", "svg", "svg"},
    {"ps", "ps", "ps"},    {"vps", "ps", "ps"},    {"eps", "eps", "eps"}, {"xw", "xw", ""},
    {"xwin", "xw", ""},    {"xwindow", "xw", ""},  {"xserve", "xw", ""},  {"null", "null", ""},
};

std::string lower(const std::string& s) {
    std::string out = s;
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

const Known* find(const std::string& name) {
    for (const Known& k : kKnown) {
        if (name == k.name) {
            return &k;
        }
    }
    return nullptr;
}

// True when NAME ends in "." and EXTENSION, case aside.
bool ends_with_extension(const std::string& name, const std::string& extension) {
    return name.size() > extension.size() && name[name.size() - extension.size() - 1] == '.' &&
           lower(name.substr(name.size() - extension.size())) == extension;
}

}  // namespace

DeviceName parse_device_name(const std::string& text) {
    DeviceName result;
    const Known* known = nullptr;
    std::string file;
    const std::size_t slash = text.rfind('/');
    if (slash != std::string::npos) {
        known = find(lower(text.substr(slash + 1)));
        file = text.substr(0, slash);
    }
    if (known == nullptr) {
        // A plain file name: its extension names the type.
        const std::size_t dot = text.rfind('.');
        const bool in_last_part = dot != std::string::npos && (slash == std::string::npos || dot > slash);
        const Known* by_extension = in_last_part ? find(lower(text.substr(dot + 1))) : nullptr;
        if (by_extension == nullptr || *by_extension->extension == '\0' || dot == 0 ||
            (slash != std::string::npos && dot == slash + 1)) {
            result.error = "unknown device; use file/type with type pdf, png, svg, ps, eps, xw or null";
            return result;
        }
        known = by_extension;
        file = text;
    }
    result.valid = true;
    result.type = known->type;
    result.extension = known->extension;
    result.interactive = result.type == "xw";
    if (*known->extension != '\0') {
        result.file = file.empty() ? "plot" : file;
        result.first_file = result.file;
        if (!ends_with_extension(result.file, known->extension)) {
            result.first_file.append(".").append(known->extension);
        }
    }
    return result;
}

}  // namespace plotter
