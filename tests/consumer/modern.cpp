// consumer.cpp's diagram written with diagr.hpp alone: spans and string views, no counted lengths.
// Prints the ranges DIAGR took from the data, a label, and what a call with unequal arrays was told.
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "diagr.hpp"

int main() {
    const std::vector<float> x = {0.0F, 1.0F, 2.0F, 3.0F};
    const float y[4] = {0.0F, 10.0F, 40.0F, 90.0F};
    const std::string title = "squares";
    float xmin = 0.0F;
    float xmax = 0.0F;
    float ymin = 0.0F;
    float ymax = 0.0F;
    diagr::PLTDEV(std::string("/null    "));  // the caller's blank-padded field works as it is
    diagr::PLOTS(1, 0, 15, 10);
    diagr::DIAGR(2, 2, 10, 6, xmin, xmax, ymin, ymax, 0, 0, "t", "s", title, 1, 3, x, y, 0.0F);
    try {
        diagr::OVR(x, std::vector<float>{1.0F, 2.0F, 3.0F}, -1, 2);  // refused before anything is drawn
    } catch (const std::invalid_argument& refused) {
        std::printf("%s\n", refused.what());
    }
    const std::vector<float> spread = {1.0F, 2.0F, 4.0F, 9.0F};
    try {
        diagr::ERRY(x, y, spread, std::vector<float>{1.0F}, 0.2F);
    } catch (const std::invalid_argument& refused) {
        std::printf("%s\n", refused.what());
    }
    diagr::ERRY(x, y, spread, spread, 0.2F);
    diagr::OVR(x, y, -1, 2);
    diagr::LEGADD("squares", 2, -1.0F, 1);
    diagr::LEGEND(0, 0.3F);
    diagr::PTXT(0.5F, 0.5F, "middle", 0.05F, 5, 4, 111);
    diagr::PLTEND();
    std::string label;
    int nch = 0;
    int iexp = 0;
    diagr::STELLE(-1234567.0F, label, nch, iexp);
    std::printf("%g %g %g %g\n%s %d %d\n", static_cast<double>(xmin), static_cast<double>(xmax),
                static_cast<double>(ymin), static_cast<double>(ymax), label.c_str(), nch, iexp);
    return 0;
}
