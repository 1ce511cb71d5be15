// Reading a PGPLOT device name ("file/type", "/type", or a file name with a known extension).
#pragma once

#include <string>

namespace plotter {

inline constexpr const char* kDefaultDevice = "plot.pdf/pdf";

struct DeviceName {
    bool valid = false;
    std::string error;           // why not, when not valid
    std::string type;            // the device type: pdf, png, svg, ps, eps, xw or null
    std::string file;            // output file as named (the extension is added when it is missing)
    const char* extension = "";  // the extension of the type's files
    std::string first_file;      // where the first page goes: FILE, with EXTENSION added when missing
    bool interactive = false;    // a window with a cursor
};

// Reads a PGPLOT_DEV text ("file/type"). Types are case-insensitive; vpdf and vps are taken as pdf and ps (the page
// size is set anyway), xwin, xwindow and xserve as xw. A file type without a file name writes "plot.<type>".
DeviceName parse_device_name(const std::string& text);

}  // namespace plotter
