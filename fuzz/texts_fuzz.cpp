// Fuzz target: any bytes as mark-up text for SYMBLK, TEXTLK, SYMBOL and PTXT, and as PGTEXT's
// escapes, with any declared length, height, angle and position, through the recorder; the same
// numbers as the corners of a FILPOL polygon, and one of them as FILALP's opacity.
//
// Input: a selector byte, position, height and angle (see fuzz_input.h), a declared length, then
// the rest of the input is the text. With the selector's high bit set, a text byte below 0x40
// stands for one of 64 pieces of UTF-8, well-formed and not (kPieces), mark-up or an escape; other
// bytes stand for themselves. The declared length may cut the text inside a character; the
// routines get exactly that many bytes, so a read past them is a finding. Checked:
// - TEXTLK's W is exactly the advance SYMBLK gives the same text: a text continued at (999, 999)
//   starts there (checked on an "X", whose glyph starts at the pen position);
// - SYMBOL advances exactly its number of characters x height;
// - TEXTLK works without a page and gives 0 for a negative or non-finite height;
// - where the text has no mark-up for the routine and lies well within the cut-off, the glyphs
//   SYMBOL, SYMBLK, PGTEXT and PTXT (in its pieces of 80 bytes) draw are its characters, in order:
//   every well-formed UTF-8 sequence one character, every other byte one of ISO 8859-1 (read here
//   by a decoder of its own), blanks and control codes none, C1 controls U+FFFD;
// - FILPOL fills at most once, with 3 or more points, white or in the pen; a polygon of finite
//   points within the cut-off reaches the device unchanged; a fill in the pen has the opacity
//   FILALP was given held to 0..1 (NaN 1), a white one 1;
// - the device gets only finite coordinates within the plotter's cut-off; nothing crashes.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "diagr.h"
#include "fuzz_input.h"

namespace {

using namespace std::string_view_literals;

constexpr float kContinue = 999.0F;
// The most text bytes a routine is given.
constexpr std::size_t kMaxText = 600;

// What a text byte below 0x40 stands for when the selector asks for pieces.
// clang-format off
constexpr std::string_view kPieces[64] = {
    // Well-formed: Latin-1 letters and signs, Greek, a no-break space, a soft hyphen, a C1 control
    // written in UTF-8, three-byte signs (a kerned quotation mark among them), U+FFFD, a byte order
    // mark, a zero-width space, a combining accent, U+D7FF below the surrogates, a kerned U+A724.
    "\xC3\xA9"sv, "\xC2\xB5"sv, "\xC3\x85"sv, "\xC2\xB0"sv, "\xC2\xB1"sv, "\xCE\x94"sv, "\xCE\xBB"sv, "\xCF\x89"sv,
    "\xCE\xA9"sv, "\xC2\xA0"sv, "\xC2\xAD"sv, "\xC2\x85"sv, "\xE2\x82\xAC"sv, "\xE2\x80\x94"sv, "\xE2\x80\x9C"sv,
    "\xE2\x88\x92"sv, "\xE2\x81\xBB"sv, "\xE2\x82\x80"sv, "\xEF\xBF\xBD"sv, "\xEF\xBB\xBF"sv, "\xE2\x80\x8B"sv,
    "\xCC\x81"sv, "\xED\x9F\xBF"sv, "\xEA\x9C\xA4"sv,
    // Characters the text face lacks: from a fallback face, or a box: CJK, an emoji, U+10000,
    // U+10FFFF.
    "\xE4\xB8\xAD"sv, "\xF0\x9F\x98\x80"sv, "\xF0\x90\x80\x80"sv, "\xF4\x8F\xBF\xBF"sv,
    // Overlong forms, surrogates, above U+10FFFF, leads that start nothing.
    "\xC0\xAF"sv, "\xC1\xBF"sv, "\xE0\x80\xAF"sv, "\xE0\x9F\xBF"sv, "\xF0\x80\x80\xAF"sv, "\xF0\x8F\xBF\xBF"sv,
    "\xED\xA0\x80"sv, "\xED\xBF\xBF"sv, "\xF4\x90\x80\x80"sv, "\xF5\x80\x80\x80"sv, "\xF8\x88\x80\x80\x80"sv,
    // Cut short, stray continuation bytes, ISO 8859-1 bytes (a C1 one among them).
    "\xE2\x82"sv, "\xF0\x9F\x98"sv, "\xC3"sv, "\x80"sv, "\xBF"sv, "\xE9"sv, "\xFF"sv, "\x85"sv, "\xA0"sv,
    // Mark-up, PGTEXT's escapes, a blank, a tab, NUL.
    "&H"sv, "&T"sv, "&M"sv, "&&"sv, "&"sv, "#"sv, "##"sv, "\\ga"sv, "\\GW"sv, "\\u"sv, "\\d"sv, "\\\\"sv, "\\"sv,
    " "sv, "\t"sv, "\0"sv,
};
// clang-format on

// The characters of the LENGTH bytes of TEXT as the plotter reads them: every well-formed UTF-8
// sequence (shortest form, no surrogate, at most U+10FFFF) is one character, every other byte one
// of ISO 8859-1.
std::vector<std::uint32_t> characters(const char* text, int length) {
    static constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    std::vector<std::uint32_t> points;
    for (int i = 0; i < length;) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        int n = 1;
        if (lead >= 0xC0 && lead < 0xE0) {
            n = 2;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            n = 3;
        } else if (lead >= 0xF0 && lead < 0xF8) {
            n = 4;
        }
        std::uint32_t point = lead;
        bool sequence = n > 1 && i + n <= length;
        if (sequence) {
            point = lead & (0x7Fu >> n);
            for (int k = 1; k < n; ++k) {
                const auto b = static_cast<std::uint8_t>(text[i + k]);
                sequence = sequence && (b & 0xC0) == 0x80;
                point = point << 6 | (b & 0x3Fu);
            }
            sequence = sequence && point >= kLeast[n] && point <= 0x10FFFF && (point < 0xD800 || point > 0xDFFF);
        }
        if (!sequence) {
            point = lead;
            n = 1;
        }
        points.push_back(point);
        i += n;
    }
    return points;
}

// Whether the LENGTH bytes of TEXT hold any of the bytes in MARKUP.
bool has_any(const char* text, int length, std::string_view markup) {
    return std::string_view(text, static_cast<std::size_t>(length > 0 ? length : 0)).find_first_of(markup) !=
           std::string_view::npos;
}

// Checks that the glyphs the device got since primitive FROM are the characters of the text
// without mark-up: blanks and control codes leave none, C1 controls are drawn as U+FFFD.
void check_glyphs(std::size_t from, const char* text, int length, const char* what) {
    std::vector<int> expected;
    for (const std::uint32_t point : characters(text, length)) {
        if (point > 0x20 && point != 0x7F) {
            expected.push_back(static_cast<int>(point >= 0x80 && point <= 0x9F ? 0xFFFD : point));
        }
    }
    const auto& primitives = plotter::recorder_primitives();
    std::vector<int> drawn;
    for (std::size_t i = from; i < primitives.size(); ++i) {
        if (primitives[i].kind == plotter::Primitive::Kind::Glyph) {
            drawn.push_back(primitives[i].code);
        }
    }
    if (drawn != expected) {
        std::size_t k = 0;
        while (k < drawn.size() && k < expected.size() && drawn[k] == expected[k]) {
            ++k;
        }
        std::fprintf(stderr, "%s: %zu glyphs drawn, %zu characters; the first difference at %zu: U+%04X, U+%04X\n",
                     what, drawn.size(), expected.size(), k, k < drawn.size() ? static_cast<unsigned>(drawn[k]) : 0U,
                     k < expected.size() ? static_cast<unsigned>(expected[k]) : 0U);
        fuzz::finding("texts", "the glyphs drawn are not the text's characters");
    }
}

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
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(height) || !(height > 0.0F) || !std::isfinite(angle) ||
        (x == kContinue && y == kContinue)) {
        return;
    }
    // The direction of ANGLE degrees, whole turns taken out exactly.
    const double radians = static_cast<double>(std::fmod(angle, 360.0F)) * (std::acos(-1.0) / 180.0);
    const double end_x = static_cast<double>(x) + static_cast<double>(advance) * std::cos(radians);
    const double end_y = static_cast<double>(y) + static_cast<double>(advance) * std::sin(radians);
    if (!(std::fabs(end_x) < 0.9 * fuzz::kCutOff && std::fabs(end_y) < 0.9 * fuzz::kCutOff) || height > fuzz::kCutOff) {
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
        std::fprintf(stderr, "%s: text ends at (%.9g, %.9g), continuation starts at (%.9g, %.9g)\n", what, end_x, end_y,
                     static_cast<double>(gx), static_cast<double>(gy));
        fuzz::finding("texts", "continuation does not start where the text ended");
    }
}

// Fills a polygon of up to 6 corners made of the fuzzed numbers (SHAPE chooses how many, the
// colour, and a missing array), at the opacity ANGLE, and checks what the device got.
void check_fill(std::uint8_t shape, float x, float y, float height, float angle, float w) {
    FILALP(angle);
    const float opacity = std::isnan(angle) ? 1.0F : std::fmin(std::fmax(angle, 0.0F), 1.0F);
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
    if (p.opacity != (paper != 0 ? 1.0F : opacity)) {
        fuzz::finding("texts", "FILPOL's fill has not the opacity FILALP set");
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
    const bool pieces = (selector & 0x80) != 0;
    std::vector<char> made;
    for (std::size_t i = 0; i < count && made.size() < kMaxText; ++i) {
        if (pieces && start[i] < 0x40) {
            const std::string_view piece = kPieces[start[i]];
            made.insert(made.end(), piece.begin(), piece.end());
        } else {
            made.push_back(static_cast<char>(start[i]));
        }
    }
    // The declared length: the bytes there are, or fewer, or none (negative counts as none).
    const int available = static_cast<int>(made.size() < kMaxText ? made.size() : kMaxText);
    int length = available;
    if ((declared & 0x80) != 0) {
        length = available == 0 ? 0 : declared % (available + 1);
    }
    if (declared == 0xFF) {
        length = -1;
    }
    // A copy of exactly the declared bytes, so that AddressSanitizer sees any read past them.
    const std::vector<char> field(made.begin(), made.begin() + (length > 0 ? length : 0));
    const char* text = field.data();
    const int zero = 0;
    // Well within the cut-off, where every glyph is drawn: the glyphs can be compared with the text.
    const bool comparable =
        std::isfinite(angle) && std::fabs(x) <= 100.0F && std::fabs(y) <= 100.0F && height >= 1.0e-3F && height <= 0.1F;
    const bool markup = has_any(text, length, "&#");

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

    const std::size_t before = plotter::recorder_primitives().size();
    switch (selector % 4) {
        case 0:
            SYMBLK(x, y, height, text, angle, zero, length);
            if (comparable && !markup) {
                check_glyphs(before, text, length, "SYMBLK");
            }
            check_continuation(x, y, height, angle, w, "SYMBLK");
            break;
        case 1: {
            SYMBOL(x, y, height, text, angle, zero, length);
            if (comparable) {
                check_glyphs(before, text, length, "SYMBOL");
            }
            // One cell per character, a character of several bytes too.
            const float advance = static_cast<float>(characters(text, length).size()) * height;
            check_continuation(x, y, height, angle, advance, "SYMBOL");
            const std::size_t after_symbol = plotter::recorder_primitives().size();
            PGTEXT(x, y, text, length);
            if (comparable && !has_any(text, length, "\\")) {
                check_glyphs(after_symbol, text, length, "PGTEXT");
            }
            break;
        }
        case 2: {
            // A piece continued from an earlier text at (999, 999).
            static const char kStart[] = "&Ha#b";
            SYMBLK(x, y, height, kStart, angle, zero, 5);
            float start_w = 0.0F;
            TEXTLK(x, start_w, height, kStart, angle, zero, 5);
            const std::size_t after_start = plotter::recorder_primitives().size();
            SYMBLK(kContinue, kContinue, height, text, angle, zero, length);
            if (comparable && !markup) {
                check_glyphs(after_start, text, length, "SYMBLK continued");
            }
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
            // Pieces are cut between characters: each character is drawn whole.
            if (comparable && !markup) {
                check_glyphs(before, text, length, "PTXT");
            }
            break;
        }
    }
    check_fill(static_cast<std::uint8_t>(selector ^ declared), x, y, height, angle, w);
    PLTEND();
    fuzz::check_primitives("texts");
    return 0;
}
