// Text layout: mark-up parsing, Greek mapping, fixed cells, W = advance, and the 999 continuation.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "plotter.h"
#include "recorder.h"
#include "text.h"
#include "utf8.h"

namespace {

using plotter::PlacedGlyph;

std::vector<PlacedGlyph> layout(const std::string& text, float height = 1.0F) {
    std::vector<PlacedGlyph> glyphs;
    plotter::layout_markup(text.data(), static_cast<int>(text.size()), height,
                           [&](const PlacedGlyph& g) { glyphs.push_back(g); });
    return glyphs;
}

std::vector<PlacedGlyph> layout_pgtext(const std::string& text) {
    std::vector<PlacedGlyph> glyphs;
    plotter::layout_pgtext(text.data(), static_cast<int>(text.size()), 1.0F,
                           [&](const PlacedGlyph& g) { glyphs.push_back(g); });
    return glyphs;
}

// The glyphs as UTF-8, scripts marked by '^' and '_' before the glyph.
std::string spell(const std::vector<PlacedGlyph>& glyphs) {
    std::string out;
    for (const PlacedGlyph& g : glyphs) {
        if (g.dy > 0.0F) {
            out += '^';
        } else if (g.dy < 0.0F) {
            out += '_';
        }
        char utf8[4];
        out.append(utf8, static_cast<std::size_t>(plotter::utf8_encode(static_cast<char32_t>(g.code), utf8)));
    }
    return out;
}

struct MarkupCase {
    const char* text;
    const char* glyphs;
};

const MarkupCase kMarkup[] = {
    {"abc", "abc"},   {"x&H2&My", "x^2y"}, {"x&h2&my", "x^2y"}, {"bla&tbla&Hbl&ma", "bla_b_l_a^b^la"},
    {"&&", "&"},      {"##", "#"},         {"a&&H", "a&H"},     {"a&x", "a&x"},
    {"end&", "end&"}, {"#ab#c", "αβc"},    {"#gr## x", "γρ#χ"}, {"#jvJV", "jvJV"},
    {"#1+z", "1+ζ"},  {"a\\b", "a\\b"},    {"#", ""},           {"10&H-3", "10^-^3"},
};

TEST(Markup, ParsesIntoGlyphs) {
    for (const MarkupCase& c : kMarkup) {
        EXPECT_EQ(spell(layout(c.text)), c.glyphs) << c.text;
    }
}

// PGTEXT's escapes: no mark-up of SYMBLK's, a backslash that begins no escape drawn as it is.
const MarkupCase kPgtextEscapes[] = {
    {"\\ga\\gb\\GA\\Gz", "αβΑζ"}, {"\\gl = 5 \xC2\xB5m\\u2", "λ=5µm^2"},
    {"\\gj\\gv", "jv"},           {"x\\u2\\dy", "x^2y"},
    {"x\\D1\\U", "x_1"},          {"a\\\\b", "a\\b"},
    {"\\q\\g1", "\\q\\g1"},       {"end\\", "end\\"},
    {"&H#a##", "&H#a##"},
};

TEST(Markup, PgtextEscapesParseIntoGlyphs) {
    for (const MarkupCase& c : kPgtextEscapes) {
        EXPECT_EQ(spell(layout_pgtext(c.text)), c.glyphs) << c.text;
    }
    const std::vector<PlacedGlyph> up = layout_pgtext("x\\u2\\u3");
    ASSERT_EQ(up.size(), 3U);
    EXPECT_FLOAT_EQ(up[1].size, plotter::kPgtextScriptScale);
    EXPECT_GT(up[2].dy, up[1].dy);
    EXPECT_LT(up[2].size, up[1].size);
}

TEST(Markup, BlanksAdvanceWithoutGlyphs) {
    const std::vector<PlacedGlyph> glyphs = layout("a  b");
    ASSERT_EQ(glyphs.size(), 2U);
    EXPECT_FLOAT_EQ(glyphs[1].dx, (plotter::glyph_advance('a') + 2.0F * plotter::glyph_advance(' ')));
}

TEST(Markup, ScriptsAreSmallerAndShifted) {
    const std::vector<PlacedGlyph> glyphs = layout("x&H2&T3&M4", 2.0F);
    ASSERT_EQ(glyphs.size(), 4U);
    EXPECT_FLOAT_EQ(glyphs[0].size, 2.0F);
    EXPECT_FLOAT_EQ(glyphs[1].size, 2.0F * plotter::kScriptScale);
    EXPECT_FLOAT_EQ(glyphs[1].dy, 2.0F * plotter::kSuperscriptRaise);
    EXPECT_FLOAT_EQ(glyphs[2].dy, -2.0F * plotter::kSubscriptDrop);
    EXPECT_FLOAT_EQ(glyphs[3].dy, 0.0F);
    EXPECT_FLOAT_EQ(glyphs[3].size, 2.0F);
    // Each glyph starts where the previous one's advance ended.
    EXPECT_FLOAT_EQ(glyphs[2].dx, glyphs[1].dx + plotter::glyph_advance('2') * glyphs[1].size);
}

// Bytes to characters: valid UTF-8 as such, every other byte as ISO 8859-1, controls blank or the
// replacement character, mark-up beside multi-byte characters; and the advance that comes out, in
// the face's units (legacy ASCII and Greek advances aside).
TEST(Markup, DecodesUtf8AndReadsOtherBytesAsLatin1) {
    struct Case {
        const char* bytes;
        const char* glyphs;
        int units;  // the advance in font units, 0: not checked
    };
    const Case cases[] = {
        {"\xC2\xB0"
         "C",
         "°C", 0},
        {"\xC2\xB0\xC2\xB5\xC2\xB2", "°µ²", 1024 + 1303 + 821},
        {"\xE2\x88\x92\xE2\x84\xAB", "−\u212B", 1716 + 1401},  // minus, angstrom sign
        {"\xF0\x9F\x98\x80", "😀", 2135},
        {"\xB0\xE4\xE9", "°äé", 1024 + 1255 + 1260},     // Latin-1, the last a lead byte at the end
        {"\xC0\xAF", "À¯", 1401 + 1024},                 // overlong '/'
        {"\xE0\x80\xAF", "à�¯", 0},                      // overlong, with a C1 byte
        {"\xED\xA0\x80", "í\u00A0�", 569 + 651 + 2100},  // a surrogate: í, no-break space, C1
        {"\xF4\x90\x80\x80", "ô���", 0},                 // above U+10FFFF
        {"x\xCE", "xÎ", 0},                              // cut at the field's end
        {"\xE2\x88", "â�", 1255 + 2100},
        {"\x85\x7F\t", "�", 2100 + 0},  // C1, DEL and tab
        {"m&H\xC2\xB2&M\xC2\xB2", "m^²²", 0},
        {"#a\xCE\xB1#\xC2\xB5#m", "ααµμ", 0},
        {"&H\xCE\xBB&T\xC2\xB5&&\xC2\xB0", "^λ_µ_&_°", 0},
    };
    for (const Case& c : cases) {
        const std::string text = c.bytes;
        std::vector<PlacedGlyph> glyphs;
        const float width = plotter::layout_markup(text.data(), static_cast<int>(text.size()), 1.0F,
                                                   [&](const PlacedGlyph& g) { glyphs.push_back(g); });
        EXPECT_EQ(spell(glyphs), c.glyphs) << text;
        if (c.units > 0) {
            const float blanks =
                text.find_first_of("\x7F\t") != std::string::npos ? 2.0F * plotter::glyph_advance(' ') : 0.0F;
            EXPECT_NEAR(width - blanks, static_cast<float>(c.units) / 1493.0F, 1e-5F) << text;
        }
    }
}

// Pairs the face kerns move closer (or apart) in SYMBLK's, TEXTLK's and PGTEXT's layout, not where
// mark-up or an escape comes between them, and never in SYMBOL's cells.
TEST(Markup, KernedPairsAreKernedUnlessSomethingComesBetween) {
    struct Case {
        const char* text;
        bool pgtext;
        int kerned_units;  // the width against the sum of the advances, font units
    };
    const Case cases[] = {
        {"AV", false, -131}, {"To", false, -348}, {"AVA", false, -262}, {"A&MV", false, 0},
        {"A#V", false, 0},   {"T o", false, 0},   {"AV", true, -131},   {"A\\uV", true, 0},
    };
    for (const Case& c : cases) {
        const int length = static_cast<int>(std::strlen(c.text));
        float sum = 0.0F;
        auto add = [&](const PlacedGlyph& g) { sum += plotter::glyph_advance(g.code) * g.size; };
        const float width = c.pgtext ? plotter::layout_pgtext(c.text, length, 1.0F, add)
                                     : plotter::layout_markup(c.text, length, 1.0F, add);
        const float blanks = std::strchr(c.text, ' ') != nullptr ? plotter::glyph_advance(' ') : 0.0F;
        EXPECT_NEAR(width - sum - blanks, static_cast<float>(c.kerned_units) / 1493.0F, 1e-5F) << c.text;
    }
    std::vector<float> cells;
    plotter::layout_cells("AV", 2, 1.0F, [&](const PlacedGlyph& g) { cells.push_back(g.dx); });
    ASSERT_EQ(cells.size(), 2U);
    EXPECT_FLOAT_EQ(cells[1] - cells[0], plotter::glyph_advance('A'));
}

// Regression: each character sat centred in its own cell, so "0.5" read "0 . 5" and "-1" "- 1".
TEST(Cells, NumbersAreSetAtTheFontsAdvancesCentredInTheirCells) {
    struct Case {
        const char* text;
        std::vector<float> left;  // each glyph's start, cm, at height 1
    };
    // Advances: digits 0.8739, '.' 0.4370, '-' 0.4994, 'E' 0.8677, '+' 1.1549 cap heights.
    const Case cases[] = {
        {"0.5", {0.4076F, 1.2815F, 1.7185F}},
        {"-1", {0.3134F, 0.8128F}},
        {"10      ", {0.1261F, 1.0000F}},  // trailing blanks keep their cells, the digits centre in two
        {"1.5E+3", {0.4594F, 1.3333F, 1.7703F, 2.6442F, 3.5119F, 4.6668F}},
    };
    for (const Case& c : cases) {
        std::vector<PlacedGlyph> glyphs;
        const int length = static_cast<int>(std::strlen(c.text));
        const float advance =
            plotter::layout_cells(c.text, length, 2.0F, [&](const PlacedGlyph& g) { glyphs.push_back(g); });
        EXPECT_FLOAT_EQ(advance, 2.0F * static_cast<float>(length)) << c.text;
        ASSERT_EQ(glyphs.size(), c.left.size()) << c.text;
        for (std::size_t i = 0; i < glyphs.size(); ++i) {
            EXPECT_NEAR(glyphs[i].dx, 2.0F * c.left[i], 2e-4F) << c.text << " glyph " << i;
            EXPECT_EQ(glyphs[i].dy, 0.0F);
            EXPECT_EQ(glyphs[i].size, 2.0F);
        }
    }
}

class TextRoutines : public ::testing::Test {
protected:
    void SetUp() override {
        plotter::recorder_start();
        PLOTS(1, 0, 20.0F, 10.0F);
    }
    void TearDown() override { plotter::recorder_stop(); }

    static std::vector<plotter::Primitive> glyphs() {
        std::vector<plotter::Primitive> out;
        for (const plotter::Primitive& p : plotter::recorder_primitives()) {
            if (p.kind == plotter::Primitive::Kind::Glyph) {
                out.push_back(p);
            }
        }
        return out;
    }
};

TEST_F(TextRoutines, TextlkWidthIsTheAdvanceOfSymblk) {
    const char* texts[] = {"bla#gre&Tek#or w&Mhat",
                           "* 10&H6",
                           "bla&tbla&Hbl&ma",
                           "x",
                           "WWW##&&",
                           "T (\xC2\xB0"
                           "C) AV",
                           "\xB0"
                           "C \xE4 To",
                           "#l#&H2&M \xCE\xBB\xC2\xB2 \xC2\xB5m"};
    for (const char* t : texts) {
        plotter::recorder_start();
        PLOTS(1, 0, 20.0F, 10.0F);
        const int n = static_cast<int>(std::strlen(t));
        float w = -1.0F;
        TEXTLK(0.0F, w, 0.37F, t, 0.0F, n - 1, n);
        SYMBLK(1.25F, 3.0F, 0.37F, t, 0.0F, n - 1, n);
        SYMBLK(999.0F, 999.0F, 0.37F, "Z", 0.0F, 0, 1);
        const std::vector<plotter::Primitive> g = glyphs();
        ASSERT_FALSE(g.empty()) << t;
        EXPECT_EQ(g.back().code, 'Z');
        EXPECT_EQ(g.back().x[0], 1.25F + w) << t;  // exactly, not nearly
        EXPECT_EQ(g.back().y[0], 3.0F) << t;
    }
}

TEST_F(TextRoutines, TextlkIgnoresPositionAngleAndCount) {
    float w1 = 0.0F;
    float w2 = 0.0F;
    TEXTLK(0.0F, w1, 0.4F, "bla", 0.0F, 2, 3);
    TEXTLK(7.0F, w2, 0.4F, "bla", 45.0F, 99, 3);
    EXPECT_GT(w1, 0.0F);
    EXPECT_EQ(w1, w2);
}

TEST_F(TextRoutines, ContinuationFollowsTheAngleAndSymbolCells) {
    SYMBOL(1.0F, 1.0F, 0.5F, "12", 90.0F, 2, 2);
    SYMBOL(999.0F, 999.0F, 0.5F, "3", 90.0F, 1, 1);
    const std::vector<plotter::Primitive> g = glyphs();
    ASSERT_EQ(g.size(), 3U);
    // "12" centred in two cells of 0.5 cm up the page, then "3" centred in the third cell.
    const float digit = plotter::glyph_advance('1');
    EXPECT_FLOAT_EQ(g[0].y[0], 1.0F + 0.25F * (2.0F - 2.0F * digit));
    EXPECT_FLOAT_EQ(g[2].y[0], 2.0F + 0.25F * (1.0F - digit));
    EXPECT_FLOAT_EQ(g[2].x[0], g[0].x[0]);
    EXPECT_EQ(g[2].angle, 90.0F);
}

TEST_F(TextRoutines, HugeAnglesPointAsTheirRemainderOfATurn) {
    // Regression: 1E20 degrees (272 degrees past whole turns) went through pi / 180 unreduced and
    // the text ran at about 14 degrees, so a continued text did not start where TEXTLK measured.
    const float angle = 1.0e20F;
    float w = 0.0F;
    TEXTLK(0.0F, w, 0.5F, "AB", angle, 2, 2);
    SYMBLK(5.0F, 5.0F, 0.5F, "AB", angle, 2, 2);
    SYMBLK(999.0F, 999.0F, 0.5F, "Z", angle, 1, 1);
    const std::vector<plotter::Primitive> g = glyphs();
    ASSERT_EQ(g.size(), 3U);
    const double radians = 272.0 * std::acos(-1.0) / 180.0;
    EXPECT_NEAR(g[2].x[0], 5.0 + w * std::cos(radians), 1e-5);
    EXPECT_NEAR(g[2].y[0], 5.0 + w * std::sin(radians), 1e-5);
}

TEST_F(TextRoutines, WholeDeclaredLengthIsDrawnWhateverTheCount) {
    SYMBLK(1.0F, 1.0F, 0.4F, "abcd", 0.0F, 1, 4);
    EXPECT_EQ(glyphs().size(), 4U);
}

TEST_F(TextRoutines, EmptyHugeAndBadTextsAreHarmless) {
    float w = 5.0F;
    TEXTLK(0.0F, w, 0.4F, "", 0.0F, 0, 0);
    EXPECT_EQ(w, 0.0F);
    TEXTLK(0.0F, w, 0.4F, "abc", 0.0F, 0, -7);
    EXPECT_EQ(w, 0.0F);
    const float nan = std::nanf("");
    TEXTLK(0.0F, w, nan, "abc", 0.0F, 0, 3);
    EXPECT_EQ(w, 0.0F);
    SYMBLK(nan, 1.0F, 0.4F, "abc", 0.0F, 0, 3);
    SYMBLK(1.0F, 1.0F, nan, "abc", 0.0F, 0, 3);
    SYMBLK(1.0F, 1.0F, 0.4F, "abc", nan, 0, 3);
    SYMBOL(1.0F, 1.0F, -1.0F, "abc", 0.0F, 0, 3);
    EXPECT_TRUE(glyphs().empty());

    const std::string long_text(20000, 'x');
    const int n = static_cast<int>(long_text.size());
    TEXTLK(0.0F, w, 0.2F, long_text.c_str(), 0.0F, n, n);
    EXPECT_GT(w, 1000.0F);
    SYMBLK(0.0F, 1.0F, 1.0F, long_text.c_str(), 0.0F, n, n);
    // Glyphs that would land beyond what a device can take are skipped, the rest drawn.
    const std::size_t drawn = glyphs().size();
    EXPECT_GT(drawn, 100U);
    EXPECT_LT(drawn, 20000U);
}

}  // namespace
