// pagefile [DEVICE]: says where the plotter puts a one-page plot for DEVICE, a device text in
// PGPLOT_DEV's form (empty or missing for the default), so that scripts need not repeat the rules.
#include <cstdio>
#include <filesystem>
#include <string>

#include "device_name.h"

int main(int argc, char** argv) {
    const std::string text = argc > 1 && *argv[1] != '\0' ? argv[1] : plotter::kDefaultDevice;
    const plotter::DeviceName name = plotter::parse_device_name(text);
    if (!name.valid) {
        std::printf("the device \"%s\" is not known\n", text.c_str());
    } else if (name.interactive) {
        std::printf("the page was shown in an X window\n");
    } else if (name.first_file.empty()) {
        std::printf("the page was drawn on the null device: no file\n");
    } else {
        std::printf("the page is in %s\n", std::filesystem::absolute(name.first_file).c_str());
    }
    return 0;
}
