// Fuzz target: any bytes as mark-up text for SYMBLK, TEXTLK, SYMBOL and PTXT, and as PGTEXT's
// escapes, with any declared length, height, angle and position, through the recorder; the same
// numbers as the corners of a FILPOL polygon.
//
// Input: a selector byte, position, height and angle (see fuzz_input.h), a declared length, then
// the rest of the input is the text. Checked:
// - TEXTLK's W is exactly the advance SYMBLK gives the same text: a text continued at (999, 999)
//   starts there (checked on an "X", whose glyph starts at the pen position);
// - SYMBOL advances exactly length x height;
// - TEXTLK works without a page and gives 0 for a negative or non-finite height;
// - FILPOL fills at most once, with 3 or more points, white or in the pen; a polygon of finite
//   points within the cut-off reaches the device unchanged;
// - the device gets only finite coordinates within the plotter's cut-off; nothing crashes.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "diagr.h"
#include "fuzz_input.h"

namespace {

constexpr float kContinue = 999.0F;

// The position of the last glyph the device got, if it was the continuation "X" of CODE 'X'.
bool last_glyph(float& x, float& y) {
    const auto& primitives = plotter::recorder_primitives();
    if (primitives.empty() || primitives.back().kind != plotter::Primitive::Kind::Glyph ||
        primitives.back().code != 'X') {
        return false;
    }
    x = primitives.back().x[0];
    y = primitives.back().y[0];
    return true;
}

// Checks that the text drawn by DRAW from (X, Y) at HEIGHT along ANGLE ends ADVANCE cm further:
// an "X" continued at (999, 999) must start there.
void check_continuation(float x, float y, float height, float angle, float advance, const char* what) {
    // A text at (999, 999) is itself a continuation: its start is not (X, Y).
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(height) || !(height > 0.0F) ||
        !std::isfinite(angle) || (x == kContinue && y == kContinue)) {
        return;
    }
    // The direction of ANGLE degrees, whole turns taken out exactly.
    const double radians = static_cast<double>(std::fmod(angle, 360.0F)) * (std::acos(-1.0) / 180.0);
    const double end_x = static_cast<double>(x) + static_cast<double>(advance) * std::cos(radians);
    const double end_y = static_cast<double>(y) + static_cast<double>(advance) * std::sin(radians);
    if (!(std::fabs(end_x) < 0.9 * fuzz::kCutOff && std::fabs(end_y) < 0.9 * fuzz::kCutOff) ||
        height > fuzz::kCutOff) {
        return;
    }
    const std::size_t before = plotter::recorder_primitives().size();
    static const char kX[] = "X";
    const int zero = 0;
    SYMBLK(kContinue, kContinue, height, kX, angle, zero, 1);
    float gx = 0.0F;
    float gy = 0.0F;
    if (plotter::recorder_primitives().size() != before + 1 || !last_glyph(gx, gy)) {
        fuzz::finding("texts", "continued X not drawn");
    }
    // Float rounding of the sum and of the direction: a few ulps of the larger of the terms.
    const double scale = std::fabs(static_cast<double>(x)) + std::fabs(static_cast<double>(y)) +
                         std::fabs(static_cast<double>(advance)) + 1.0;
    if (std::fabs(gx - end_x) > 1.0e-5 * scale || std::fabs(gy - end_y) > 1.0e-5 * scale) {
        std::fprintf(stderr, "%s: text ends at (%.9g, %.9g), continuation starts at (%.9g, %.9g)\n", what, end_x,
                     end_y, static_cast<double>(gx), static_cast<double>(gy));
        fuzz::finding("texts", "continuation does not start where the text ended");
    }
}

// Fills a polygon of up to 6 corners made of the fuzzed numbers (SHAPE chooses how many, the
// colour, and a missing array), and checks what the device got.
void check_fill(std::uint8_t shape, float x, float y, float height, float angle, float w) {
    const float xs[] = {x, y, height, angle, x, w};
    const float ys[] = {y, height, angle, x, w, y};
    const int n = shape % 7;
    const int paper = shape / 7 % 2;
    const bool no_x = shape / 14 % 8 == 7;
    const std::size_t before = plotter::recorder_primitives().size();
    FILPOL(no_x ? nullptr : xs, ys, n, paper);
    // Strokes still held back come first; then the fill, if any.
    const auto& primitives = plotter::recorder_primitives();
    std::size_t fills = 0;
    for (std::size_t i = before; i < primitives.size(); ++i) {
        fills += primitives[i].kind == plotter::Primitive::Kind::Fill ? 1 : 0;
    }
    bool kept = !no_x && n >= 3;
    for (int i = 0; i < n; ++i) {
        kept = kept && fuzz::usable(xs[i]) && fuzz::usable(ys[i]);
    }
    if (fills == 0) {
        if (kept) {
            fuzz::finding("texts", "FILPOL filled nothing for a polygon within the cut-off");
        }
        return;
    }
    const plotter::Primitive& p = primitives.back();
    if (fills > 1 || p.kind != plotter::Primitive::Kind::Fill || p.x.size() < 3 || p.code != paper) {
        fuzz::finding("texts", "FILPOL gave a bad fill");
    }
    if (kept && !(p.x == std::vector<float>(xs, xs + n) && p.y == std::vector<float>(ys, ys + n))) {
        fuzz::finding("texts", "FILPOL changed a polygon within the cut-off");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const std::uint8_t selector = in.byte();
    const float x = in.real();
    const float y = in.real();
    const float height = in.real();
    const float angle = in.real();
    const std::uint8_t declared = in.byte();
    const std::uint8_t* start = nullptr;
    const std::size_t count = in.rest(start);
    // A copy of exactly the text's bytes, so that AddressSanitizer sees any read past them.
    std::vector<char> rest(start, start + (count < 600 ? count : 600));
    // The declared length: the bytes there are, or fewer, or none (negative counts as none).
    const int available = static_cast<int>(rest.size());
    int length = available;
    if ((declared & 0x80) != 0) {
        length = available == 0 ? 0 : declared % (available + 1);
    }
    if (declared == 0xFF) {
        length = -1;
    }
    const char* text = rest.data();
    const int zero = 0;

    // TEXTLK before any page: it measures all the same.
    plotter::recorder_stop();
    float w_without_page = -1.0F;
    TEXTLK(x, w_without_page, height, text, angle, zero, length);

    fuzz::open_page();
    float w = -1.0F;
    TEXTLK(x, w, height, text, angle, zero, length);
    if (!(w == w_without_page || (std::isnan(w) && std::isnan(w_without_page)))) {
        fuzz::finding("texts", "TEXTLK measures differently without a page");
    }
    if ((!std::isfinite(height) || height < 0.0F) && w != 0.0F) {
        fuzz::finding("texts", "TEXTLK not 0 for a negative or non-finite height");
    }
    if (std::isfinite(height) && height >= 0.0F && !(w >= 0.0F)) {
        fuzz::finding("texts", "TEXTLK negative or NaN");
    }

    switch (selector % 4) {
        case 0:
            SYMBLK(x, y, height, text, angle, zero, length);
            check_continuation(x, y, height, angle, w, "SYMBLK");
            break;
        case 1: {
            SYMBOL(x, y, height, text, angle, zero, length);
            const float advance = static_cast<float>(length > 0 ? length : 0) * height;
            check_continuation(x, y, height, angle, advance, "SYMBOL");
            PGTEXT(x, y, text, length);
            break;
        }
        case 2: {
            // A piece continued from an earlier text at (999, 999).
            static const char kStart[] = "&Ha#b";
            SYMBLK(x, y, height, kStart, angle, zero, 5);
            float start_w = 0.0F;
            TEXTLK(x, start_w, height, kStart, angle, zero, 5);
            SYMBLK(kContinue, kContinue, height, text, angle, zero, length);
            check_continuation(x, y, height, angle, start_w + w, "SYMBLK continued");
            break;
        }
        default: {
            // PTXT in a diagram with any options and justification.
            const float x0 = 2.0F;
            const float frame = 7.0F;
            const float low = 0.0F;
            const float high = 1.0F;
            CLIP(x0, x0, frame, frame, low, high, low, high);
            const int just = selector / 4 % 12 - 1;
            const int ipen = 1;
            const int iopt = (selector / 48) % 2 == 0 ? 0 : 111;
            PTXT(x, y, text, height, just, ipen, iopt, length);
            break;
        }
    }
    check_fill(static_cast<std::uint8_t>(selector ^ declared), x, y, height, angle, w);
    PLTEND();
    fuzz::check_primitives("texts");
    return 0;
}
