// The one-call diagram: open ranges taken from the data, the mapping, the curve, then the frame.
#include "diagr.h"

#include <cstddef>
#include <span>

#include "axis_scale.h"
#include "plotter.h"

namespace {

// Completes an open range (LOW == HIGH on entry) from the values: their extremes with a tenth of
// their spread added on each side, as range_with_margin describes (non-finite values left out,
// no values giving a reversed but finite range).
void complete_range(const float* values, int n, float& low, float& high) {
    if (low != high) {
        return;
    }
    diagr::scale::Extremes extremes;
    if (n > 0) {
        extremes.take(std::span<const float>(values, static_cast<std::size_t>(n)));
    }
    diagr::scale::range_with_margin(extremes, low, high);
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
