// The cursor in a real /xw window on a private Xvfb server: xdotool puts the pointer on a known
// pixel and hits a key; WAITHT/HITPOS/HITCHR (and the library's GETPOS and GPOSU) must return that
// position, in cm or user units, within a pixel, and that key.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <string>

namespace {

struct CursorRun {
    bool ok = false;
    std::string output;
    float viewport[4] = {};  // page area in window pixels: x1 x2 y1 y2, y up
    float x = 0.0F;
    float y = 0.0F;
    int key = -1;
    int window_height = 0;
};

// Runs the cursor probe in MODE with the pointer at (PX, PY) window pixels and key KEY.
CursorRun run_cursor(const char* mode, int px, int py, const char* key, int* status) {
    const std::string command = "timeout 90 '" DIAGR_SOURCE_DIR "/tests/plotter_xw_cursor.sh' '" DIAGR_BINARY_DIR
                                "/tests/plotter_cursor_probe' " +
                                std::string(mode) + " " + std::to_string(px) + " " + std::to_string(py) + " " + key +
                                " 2>&1";
    CursorRun run;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        *status = -1;
        return run;
    }
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        run.output += buffer;
    }
    const int raw = ::pclose(pipe);
    *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::istringstream lines(run.output);
    std::string word;
    bool have_viewport = false;
    bool have_hit = false;
    while (lines >> word) {
        if (word == "viewport") {
            have_viewport =
                static_cast<bool>(lines >> run.viewport[0] >> run.viewport[1] >> run.viewport[2] >> run.viewport[3]);
        } else if (word == "hit") {
            have_hit = static_cast<bool>(lines >> run.x >> run.y >> run.key);
        } else if (word == "window") {
            int width = 0;
            lines >> width >> run.window_height;
        }
    }
    run.ok = *status == 0 && have_viewport && have_hit && run.window_height > 0;
    return run;
}

// The page is 20 x 10 cm with a 1 cm margin: world x from -1 to 21 across the viewport.
void expected_cm(const CursorRun& r, int px, int py, float& x, float& y) {
    const float from_bottom = static_cast<float>(r.window_height - py);
    x = -1.0F + (static_cast<float>(px) - r.viewport[0]) * 22.0F / (r.viewport[1] - r.viewport[0]);
    y = -1.0F + (from_bottom - r.viewport[2]) * 12.0F / (r.viewport[3] - r.viewport[2]);
}

float pixel_cm(const CursorRun& r) { return 22.0F / (r.viewport[1] - r.viewport[0]); }

class XwCursor : public ::testing::Test {
protected:
    CursorRun cursor(const char* mode, int px, int py, const char* key) {
        int status = 0;
        CursorRun r = run_cursor(mode, px, py, key, &status);
        if (status == 77) {
            skip_ = true;
        }
        return r;
    }
    bool skip_ = false;
};

TEST_F(XwCursor, HitposAndHitchrReturnThePointerAndKey) {
    const int px = 400;
    const int py = 200;
    const CursorRun r = cursor("hit", px, py, "x");
    if (skip_) {
        GTEST_SKIP() << "Xvfb or xdotool not installed";
    }
    ASSERT_TRUE(r.ok) << r.output;
    // The page fills a viewport of the page's aspect.
    EXPECT_NEAR((r.viewport[1] - r.viewport[0]) / (r.viewport[3] - r.viewport[2]), 22.0F / 12.0F, 0.01F);
    float x = 0.0F;
    float y = 0.0F;
    expected_cm(r, px, py, x, y);
    EXPECT_NEAR(r.x, x, 1.5F * pixel_cm(r)) << r.output;
    EXPECT_NEAR(r.y, y, 1.5F * pixel_cm(r)) << r.output;
    EXPECT_EQ(r.key, 'x');
}

TEST_F(XwCursor, GetposGivesCentimetres) {
    const int px = 150;
    const int py = 300;
    const CursorRun r = cursor("getpos", px, py, "k");
    if (skip_) {
        GTEST_SKIP() << "Xvfb or xdotool not installed";
    }
    ASSERT_TRUE(r.ok) << r.output;
    float x = 0.0F;
    float y = 0.0F;
    expected_cm(r, px, py, x, y);
    EXPECT_NEAR(r.x, x, 1.5F * pixel_cm(r)) << r.output;
    EXPECT_NEAR(r.y, y, 1.5F * pixel_cm(r)) << r.output;
    EXPECT_EQ(r.key, 'k');
}

TEST_F(XwCursor, GposuGivesUserUnitsOfTheDiagram) {
    const int px = 250;
    const int py = 120;
    const CursorRun r = cursor("gposu", px, py, "g");
    if (skip_) {
        GTEST_SKIP() << "Xvfb or xdotool not installed";
    }
    ASSERT_TRUE(r.ok) << r.output;
    float x = 0.0F;
    float y = 0.0F;
    expected_cm(r, px, py, x, y);
    // CLIP(2, 2, 7, 7, 0, 10, 0, 10): 0.7 cm per unit from 2 cm.
    const float tolerance = 1.5F * pixel_cm(r) / 0.7F;
    EXPECT_NEAR(r.x, (x - 2.0F) / 0.7F, tolerance) << r.output;
    EXPECT_NEAR(r.y, (y - 2.0F) / 0.7F, tolerance) << r.output;
    EXPECT_EQ(r.key, 'g');
}

}  // namespace
