// Free texts: option code, keypad justification, pieces of 80, width of the used text only.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "diagr.h"
#include "recorder.h"

namespace {

// One recorded TEXTLK or SYMBLK call: NAME r1 r2 r3 "text" angle count [-> result].
struct TextCall {
    std::string name;
    float r1 = 0.0F;  // TEXTLK: scratch; SYMBLK: x
    float r2 = 0.0F;  // TEXTLK: width on entry; SYMBLK: y
    float r3 = 0.0F;  // height
    std::string text;
    float angle = 0.0F;
    int count = 0;
    float result = std::numeric_limits<float>::quiet_NaN();  // TEXTLK's width
};

TextCall parse(const std::string& line) {
    TextCall call;
    const size_t quote = line.find('"');
    const size_t close = line.rfind('"');
    if (quote == std::string::npos || close == quote) {
        call.name = line;
        return call;
    }
    char name[16] = {};
    double r1 = 0.0;
    double r2 = 0.0;
    double r3 = 0.0;
    std::sscanf(line.c_str(), "%15s %lf %lf %lf", name, &r1, &r2, &r3);
    call.name = name;
    call.r1 = static_cast<float>(r1);
    call.r2 = static_cast<float>(r2);
    call.r3 = static_cast<float>(r3);
    for (size_t i = quote + 1; i < close; ++i) {
        if (line[i] == '\\' && i + 1 < close) {
            ++i;
        }
        call.text += line[i];
    }
    double angle = 0.0;
    double result = 0.0;
    const std::string rest = line.substr(close + 1);
    const int got = std::sscanf(rest.c_str(), " %lf %d -> %lf", &angle, &call.count, &result);
    call.angle = static_cast<float>(angle);
    if (got == 3) {
        call.result = static_cast<float>(result);
    }
    return call;
}

std::vector<TextCall> calls_named(const char* name) {
    std::vector<TextCall> calls;
    for (const std::string& line : plotter::recorder_lines()) {
        if (line.rfind(name, 0) == 0) {
            calls.push_back(parse(line));
        }
    }
    return calls;
}

float measured_width() {
    float width = 0.0F;
    for (const TextCall& call : calls_named("TEXTLK")) {
        width += call.result;
    }
    return width;
}

// Frame 8 x 4 cm at (2, 2) for user x 0..8, y 0..2: XSCAL 1, YSCAL 2.
class PtextTest : public ::testing::Test {
protected:
    void SetUp() override {
        PLTPAR = LABINI_VALUES;
        plotter::recorder_start();
        CLIP(2.0F, 2.0F, 8.0F, 4.0F, 0.0F, 8.0F, 0.0F, 2.0F);
        plotter::recorder_clear();
    }
    void TearDown() override { plotter::recorder_stop(); }
};

TEST_F(PtextTest, OptionDigitsMakePositionAndHeightFrameRelative) {
    struct Case {
        int iopt;
        float x, y, h;
    };
    // User: x = 0.25 -> 2.25 cm, y = 0.5 -> 3 cm, height 0.1 -> 0.2 cm.
    // Frame: x = 0.25 -> 4 cm, y = 0.5 -> 4 cm, height 0.1 -> 0.4 cm.
    const float user_h = 2.0F * 0.1F;
    const float frame_h = 4.0F * 0.1F;
    const std::vector<Case> cases = {
        {0, 2.25F, 3.0F, user_h},    {1, 2.25F, 3.0F, frame_h},  {10, 2.25F, 4.0F, user_h},
        {100, 4.0F, 3.0F, user_h},   {101, 4.0F, 3.0F, frame_h}, {111, 4.0F, 4.0F, frame_h},
        {1000, 4.0F, 4.0F, frame_h}, {-1, 4.0F, 4.0F, frame_h},  {-999, 4.0F, 4.0F, frame_h},
    };
    for (const Case& c : cases) {
        plotter::recorder_clear();
        PTXT(0.25F, 0.5F, "abc", 0.1F, 1, 3, c.iopt, 3);
        const std::vector<std::string>& lines = plotter::recorder_lines();
        ASSERT_EQ(lines.size(), 3U) << c.iopt;
        EXPECT_EQ(lines[0], "NEWPEN 3") << c.iopt;
        const TextCall measure = parse(lines[1]);
        EXPECT_EQ(measure.name, "TEXTLK");
        EXPECT_EQ(measure.r3, c.h) << c.iopt;
        const TextCall draw = parse(lines[2]);
        EXPECT_EQ(draw.name, "SYMBLK");
        EXPECT_EQ(draw.r1, c.x) << c.iopt;
        EXPECT_EQ(draw.r2, c.y) << c.iopt;
        EXPECT_EQ(draw.r3, c.h) << c.iopt;
        EXPECT_EQ(draw.text, "abc");
        EXPECT_EQ(draw.angle, 0.0F);
        EXPECT_EQ(draw.count, 2);
    }
}

TEST_F(PtextTest, KeypadJustification) {
    struct Case {
        int just;
        float width_share;   // of w, moved left
        float height_share;  // of h, moved down
    };
    const std::vector<Case> cases = {
        {1, 0, 0}, {2, 0.5F, 0}, {3, 1, 0},  {4, 0, 0.5F}, {5, 0.5F, 0.5F}, {6, 1, 0.5F}, {7, 0, 1},     {8, 0.5F, 1},
        {9, 1, 1}, {0, 1, 0},    {-1, 0, 0}, {-2, 0, 0},   {-3, 1, 0},      {-7, 0, 0},   {11, 0.5F, 1}, {12, 1, 1},
    };
    for (const Case& c : cases) {
        plotter::recorder_clear();
        PTXT(0.25F, 0.5F, "Wide text", 0.1F, c.just, 1, 111, 9);
        const float w = measured_width();
        const float h = 0.4F;
        ASSERT_GT(w, 0.0F);
        const std::vector<TextCall> draws = calls_named("SYMBLK");
        ASSERT_EQ(draws.size(), 1U) << c.just;
        float x = 4.0F;
        float y = 4.0F;
        if (c.height_share == 1) {
            y = y - h;
        } else if (c.height_share > 0) {
            y = y - h / 2.0F;
        }
        if (c.width_share == 1) {
            x = x - w;
        } else if (c.width_share > 0) {
            x = x - w / 2.0F;
        }
        EXPECT_EQ(draws[0].r1, x) << "JUST " << c.just;
        EXPECT_EQ(draws[0].r2, y) << "JUST " << c.just;
    }
}

TEST_F(PtextTest, WidthOfTheUsedTextButDrawingOfTheWholeField) {
    std::string field(200, ' ');
    for (int i = 0; i < 150; ++i) {
        field[static_cast<size_t>(i)] = static_cast<char>('a' + i % 26);
    }
    PTXT(0.5F, 0.5F, field.data(), 0.1F, 3, 2, 111, 200);
    const std::vector<TextCall> measures = calls_named("TEXTLK");
    ASSERT_EQ(measures.size(), 2U);
    EXPECT_EQ(measures[0].text, field.substr(0, 80));
    EXPECT_EQ(measures[0].count, 79);
    EXPECT_EQ(measures[1].text, field.substr(80, 70));
    EXPECT_EQ(measures[1].count, 69);
    const std::vector<TextCall> draws = calls_named("SYMBLK");
    ASSERT_EQ(draws.size(), 3U);
    // Right-justified on the used part: the trailing blanks fall beyond the point.
    EXPECT_EQ(draws[0].r1, 6.0F - measured_width());
    EXPECT_EQ(draws[0].r2, 4.0F);
    const int counts[] = {79, 79, 39};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(draws[i].text, field.substr(80 * i, i < 2 ? 80 : 40)) << i;
        EXPECT_EQ(draws[i].count, counts[i]) << i;
        if (i > 0) {
            EXPECT_EQ(draws[i].r1, 999.0F) << i;
            EXPECT_EQ(draws[i].r2, 999.0F) << i;
        }
    }
}

TEST_F(PtextTest, PiecesAtTheEightyCharacterBoundary) {
    const std::string eighty(80, 'x');
    PTXT(0.5F, 0.5F, eighty.data(), 0.1F, 1, 2, 111, 80);
    EXPECT_EQ(calls_named("TEXTLK").size(), 1U);
    ASSERT_EQ(calls_named("SYMBLK").size(), 1U);
    EXPECT_EQ(calls_named("SYMBLK")[0].count, 79);

    plotter::recorder_clear();
    const std::string eighty_one(81, 'y');
    PTXT(0.5F, 0.5F, eighty_one.data(), 0.1F, 1, 2, 111, 81);
    const std::vector<TextCall> measures = calls_named("TEXTLK");
    ASSERT_EQ(measures.size(), 2U);
    EXPECT_EQ(measures[1].text, "y");
    EXPECT_EQ(measures[1].count, 0);
    const std::vector<TextCall> draws = calls_named("SYMBLK");
    ASSERT_EQ(draws.size(), 2U);
    EXPECT_EQ(draws[1].text, "y");
    EXPECT_EQ(draws[1].count, 0);
    EXPECT_EQ(draws[1].r1, 999.0F);

    // A character across the 80th byte goes whole into the next piece, measured and drawn alike.
    plotter::recorder_clear();
    const std::string degree = std::string(79, 'x') + "\xC2\xB0" "C";
    PTXT(0.5F, 0.5F, degree.data(), 0.1F, 1, 2, 111, static_cast<int>(degree.size()));
    for (const char* routine : {"TEXTLK", "SYMBLK"}) {
        const std::vector<TextCall> pieces = calls_named(routine);
        ASSERT_EQ(pieces.size(), 2U) << routine;
        EXPECT_EQ(pieces[0].text, std::string(79, 'x')) << routine;
        EXPECT_EQ(pieces[1].text, "\xC2\xB0" "C") << routine;
        EXPECT_EQ(pieces[1].count, 2) << routine;
    }
}

TEST_F(PtextTest, BlankTextIsMeasuredAsOneCharacterAndDrawnWhole) {
    PTXT(0.5F, 0.5F, "     ", 0.1F, 3, 2, 111, 5);
    const std::vector<TextCall> measures = calls_named("TEXTLK");
    ASSERT_EQ(measures.size(), 1U);
    EXPECT_EQ(measures[0].text, " ");
    EXPECT_EQ(measures[0].count, 0);
    const std::vector<TextCall> draws = calls_named("SYMBLK");
    ASSERT_EQ(draws.size(), 1U);
    EXPECT_EQ(draws[0].text, "     ");
    EXPECT_EQ(draws[0].r1, 6.0F - measures[0].result);
}

TEST_F(PtextTest, PtextUsesUserUnitsLowerLeftAndKeepsThePen) {
    CLIP(2.0F, 2.0F, 8.0F, 4.0F, 0.0F, 8.0F, 0.0F, 8.0F);  // YSCAL 0.5
    plotter::recorder_clear();
    PTEXT(1.0F, 2.0F, 2.0F, "Hi", 2);
    const std::vector<std::string>& lines = plotter::recorder_lines();
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(parse(lines[0]).name, "TEXTLK");
    EXPECT_EQ(parse(lines[0]).r3, 1.0F);
    EXPECT_EQ(lines[1], "SYMBLK 3 3 1 \"Hi\" 0 1");
}

TEST_F(PtextTest, NonFinitePositionOrHeightDrawsNothing) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    PTXT(nan, 0.5F, "abc", 0.1F, 1, 2, 0, 3);
    PTXT(0.5F, inf, "abc", 0.1F, 1, 2, 111, 3);
    PTXT(0.5F, 0.5F, "abc", nan, 1, 2, 111, 3);
    PTEXT(0.5F, 0.5F, inf, "abc", 3);
    EXPECT_TRUE(calls_named("SYMBLK").empty());
}

TEST_F(PtextTest, EmptyFieldDrawsNothing) {
    PTXT(0.5F, 0.5F, "", 0.1F, 1, 2, 111, 0);
    EXPECT_TRUE(calls_named("TEXTLK").empty());
    EXPECT_TRUE(calls_named("SYMBLK").empty());
}

}  // namespace
