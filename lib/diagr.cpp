// The one-call diagram: open ranges taken from the data, the mapping, the curve, then the frame.
#include "diagr.h"

#include <cfloat>
#include <cmath>

#include "plotter.h"

namespace {

float finite_or_largest(float value) {
    if (std::isfinite(value)) {
        return value;
    }
    return value < 0.0F ? -FLT_MAX : FLT_MAX;
}

// Completes an open range (LOW == HIGH on entry) from the values: their extremes with a tenth
// of their spread added on each side.
// - Non-finite values are left out, as the curve leaves them out.
// - No values (N <= 0, or none finite) leave the search's start values 1.0E37 and -1.0E37, which
//   the margin turns into about 1.2E37 and -1.2E37: a reversed but finite range whose scale
//   (about 3E-37 cm per unit) is still a normal float, so mapping and its inverse stay finite.
// - All values v equal: 0.9 v to 1.09 v (the second margin is taken from the lowered bound).
// - All values 0 (or so small that the margins vanish): v - 1 to v + 1, i.e. -1 to 1.
// - A spread or margin too wide for a float is held to the largest float instead of becoming
//   infinite.
void complete_range(const float* values, int n, float& low, float& high) {
    if (low != high) {
        return;
    }
    float vmin = 1.0E37F;
    float vmax = -1.0E37F;
    for (int i = 0; i < n; ++i) {
        const float v = values[i];
        if (!std::isfinite(v)) {
            continue;
        }
        if (v < vmin) {
            vmin = v;
        }
        if (v > vmax) {
            vmax = v;
        }
    }
    float D = 0.1F * (vmax - vmin);
    if (!std::isfinite(D)) {
        D = 0.1F * vmax - 0.1F * vmin;
    }
    vmin = finite_or_largest(vmin - D);
    vmax = finite_or_largest(vmax + D);
    if (vmin == vmax) {
        vmin = vmin - 0.1F * vmin;
        vmax = vmax + 0.1F * vmin;
    }
    if (vmin == vmax) {
        const float v = vmin;
        vmin = v - 1.0F;
        vmax = v + 1.0F;
    }
    low = vmin;
    high = vmax;
}

}  // namespace

void DIAGR(const float& X0, const float& Y0, const float& XLEN, const float& YLEN, float& XMIN, float& XMAX,
           float& YMIN, float& YMAX, const float& DX, const float& DY, const char* XTEXT, const char* YTEXT,
           const char* TITLE, const int& IPENF, const int& IPENC, const float* X, const float* Y, const int& N,
           const float& ISYM, int XTEXT_len, int YTEXT_len, int TITLE_len) {
    const int n = (X != nullptr && Y != nullptr) ? N : 0;
    float xmin = XMIN;
    float xmax = XMAX;
    float ymin = YMIN;
    float ymax = YMAX;
    complete_range(X, n, xmin, xmax);
    complete_range(Y, n, ymin, ymax);
    XMIN = xmin;
    XMAX = xmax;
    YMIN = ymin;
    YMAX = ymax;

    CLIP(X0, Y0, XLEN, YLEN, xmin, xmax, ymin, ymax);
    NEWPEN(IPENC);
    OVER(X, Y, n, ISYM);
    FRAME(X0, Y0, XLEN, YLEN, xmin, xmax, ymin, ymax, DX, DY, XTEXT, YTEXT, TITLE, IPENF, XTEXT_len, YTEXT_len,
          TITLE_len);
}
