// Cursor input through the recorder's queued hits: position in cm or user units, the key.
#include <gtest/gtest.h>

#include <string>

#include "diagr.h"
#include "plotter.h"
#include "recorder.h"

namespace {

class GetposTest : public ::testing::Test {
protected:
    void SetUp() override {
        PLTPAR = LABINI_VALUES;
        plotter::recorder_start();
        PLOTS(1, 0, 20.0F, 10.0F);
    }
    void TearDown() override { plotter::recorder_stop(); }
};

TEST_F(GetposTest, GetposGivesCentimetresAndTheKey) {
    plotter::recorder_push_hit(5.5F, 9.0F, 'q');
    float x = -1.0F;
    float y = -1.0F;
    char ch[1] = {' '};
    GETPOS(x, y, ch, 1);
    EXPECT_EQ(x, 5.5F);
    EXPECT_EQ(y, 9.0F);
    EXPECT_EQ(ch[0], 'q');
    // Waits first, then asks for the position (caller's variables passed through), then the key.
    const std::vector<std::string>& lines = plotter::recorder_lines();
    ASSERT_EQ(lines.size(), 4U);
    EXPECT_EQ(lines[1], "WAITHT");
    EXPECT_EQ(lines[2], "HITPOS -1 -1 -> 5.5 9");
    EXPECT_EQ(lines[3].rfind("HITCHR ", 0), 0U) << lines[3];
}

TEST_F(GetposTest, OnlyTheFirstCharacterOfTheFieldIsWritten) {
    plotter::recorder_push_hit(1.0F, 1.0F, 'k');
    float x = 0.0F;
    float y = 0.0F;
    char field[8] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};
    GETPOS(x, y, field, 8);
    EXPECT_EQ(std::string(field, 8), "kBCDEFGH");
}

TEST_F(GetposTest, KeyCodeAboveAByteGivesItsLowByte) {
    plotter::recorder_push_hit(1.0F, 1.0F, 0x300 + 'Z');
    float x = 0.0F;
    float y = 0.0F;
    char ch[2] = {'-', '-'};
    GETPOS(x, y, ch, 2);
    EXPECT_EQ(ch[0], 'Z');
    EXPECT_EQ(ch[1], '-');
}

TEST_F(GetposTest, GposuInvertsTheMapping) {
    struct Case {
        const char* what;
        float xmin, xmax;
        float hit_x, hit_y;
        float user_x, user_y;
        bool log_x = false;
    };
    const Case cases[] = {
        {"inside", 0, 10, 5.5F, 9.0F, 5, 10},
        {"outside the frame, not clipped", 0, 10, 12.5F, 0.6F, 15, -2},
        {"reversed x range", 10, 0, 2.0F, 2.0F, 10, 0},
        {"reversed x range, right edge", 10, 0, 9.0F, 5.5F, 0, 5},
        {"logarithmic x, 1 to 1000: a third of the frame is 10", 1, 1000, 2.0F + 7.0F / 3.0F, 2.0F, 10, 0, true},
    };
    for (const Case& c : cases) {
        LOGAX(c.log_x ? 1 : 0, 0);
        CLIP(2.0F, 2.0F, 7.0F, 7.0F, c.xmin, c.xmax, 0.0F, 10.0F);
        plotter::recorder_push_hit(c.hit_x, c.hit_y, 'a');
        float x = 0.0F;
        float y = 0.0F;
        char field[3] = {'x', 'y', 'z'};
        GPOSU(x, y, field, 3);
        EXPECT_NEAR(x, c.user_x, 1e-5F * c.user_x + 1e-5F) << c.what;
        EXPECT_NEAR(y, c.user_y, 1e-5F) << c.what;
        EXPECT_EQ(std::string(field, 3), "ayz") << c.what;
    }
}

// On a time axis the cursor gives seconds after T0, also far from 1970.
TEST_F(GetposTest, GposuOnATimeAxisGivesSecondsAfterTheOrigin) {
    TIMAX(1, 1, 1709251200.0);
    CLIP(2.0F, 2.0F, 7.0F, 7.0F, 0.0F, 7.0F * 86400.0F, -3600.0F, 3600.0F);
    plotter::recorder_push_hit(5.0F, 2.0F, 'a');
    float x = 0.0F;
    float y = 0.0F;
    char key[1] = {' '};
    GPOSU(x, y, key, 1);
    TIMAX(0, 0, 0.0);
    EXPECT_NEAR(x, 3.0F * 86400.0F, 0.05F);
    EXPECT_NEAR(y, -3600.0F, 1e-3F);
}

}  // namespace
