// The cursor in a real /xw window on a private Xvfb server: xdotool puts the pointer on a known
// pixel and hits a key; WAITHT/HITPOS/HITCHR (and the library's GETPOS and GPOSU) must return that
// position, in cm or user units, within a pixel, and that key. After PLTEND the window stays,
// titled, until a key is hit in it or it is closed; then the program ends with status 0. The page's
// sheet fills the window, so the window's size gives the scale; in a window made taller the sheet
// keeps its shape and is centred.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "support/subprocess.h"

namespace {

struct CursorRun {
    bool ok = false;
    std::string output;
    float x = 0.0F;
    float y = 0.0F;
    int key = -1;
    int window_width = 0;
    int window_height = 0;
    std::string title_after_end;  // empty when the window was gone after PLTEND
};

// Runs the cursor probe in MODE with the pointer at (PX, PY) window pixels and key KEY; the
// window is ended by END ("key", "close" or "lost": the X server is stopped). A HEIGHT above 0
// makes the window that many pixels tall first.
CursorRun run_cursor(const char* mode, int px, int py, const char* key, const char* end, int* status, int height = 0) {
    const std::string command = "timeout 90 '" DIAGR_SOURCE_DIR "/tests/plotter_xw_cursor.sh' '" DIAGR_BINARY_DIR
                                "/tests/plotter_cursor_probe' " +
                                std::string(mode) + " " + std::to_string(px) + " " + std::to_string(py) + " " + key +
                                " " + end + (height > 0 ? " " + std::to_string(height) : "") + " 2>&1";
    CursorRun run;
    run.output = support::capture_output(command, status);
    std::istringstream lines(run.output);
    std::string word;
    bool have_hit = false;
    while (lines >> word) {
        if (word == "hit") {
            have_hit = static_cast<bool>(lines >> run.x >> run.y >> run.key);
        } else if (word == "window") {
            lines >> run.window_width >> run.window_height;
        } else if (word == "after-end") {
            std::getline(lines, run.title_after_end);
            run.title_after_end = run.title_after_end == " closed" ? "" : run.title_after_end;
        }
    }
    run.ok = *status == 0 && have_hit && run.window_width > 0 && run.window_height > 0;
    return run;
}

// The page is 20 x 10 cm with a 1 cm margin: a sheet from -1 to 21 cm across and -1 to 11 cm up,
// as large as the window holds it at equal scales, centred.
float pixel_cm(const CursorRun& r) {
    return std::max(22.0F / static_cast<float>(r.window_width), 12.0F / static_cast<float>(r.window_height));
}

void expected_cm(const CursorRun& r, int px, int py, float& x, float& y) {
    const float left = 0.5F * (static_cast<float>(r.window_width) - 22.0F / pixel_cm(r));
    const float top = 0.5F * (static_cast<float>(r.window_height) - 12.0F / pixel_cm(r));
    x = -1.0F + (static_cast<float>(px) - left) * pixel_cm(r);
    y = 11.0F - (static_cast<float>(py) - top) * pixel_cm(r);
}

class XwCursor : public ::testing::Test {
protected:
    // Runs the probe in MODE with the pointer at (PX, PY) and key KEY into R, and checks the hit it
    // reports: where the pointer is, within a pixel and a half, and the key. With USER_UNITS the
    // position is in the units of the probe's CLIP(2, 2, 7, 7, 0, 10, 0, 10): 0.7 cm per unit
    // from 2 cm; else in cm. Skips the test when Xvfb or xdotool is missing.
    static void expect_hit(const char* mode, int px, int py, const char* key, bool user_units, CursorRun& r,
                           const char* end = "key", int height = 0) {
        int status = 0;
        r = run_cursor(mode, px, py, key, end, &status, height);
        if (status == 77) {
            GTEST_SKIP() << "Xvfb or xdotool not installed";
        }
        ASSERT_TRUE(r.ok) << r.output;
        float x = 0.0F;
        float y = 0.0F;
        expected_cm(r, px, py, x, y);
        const float origin = user_units ? 2.0F : 0.0F;
        const float cm_per_unit = user_units ? 0.7F : 1.0F;
        const float tolerance = 1.5F * pixel_cm(r) / cm_per_unit;
        EXPECT_NEAR(r.x, (x - origin) / cm_per_unit, tolerance) << r.output;
        EXPECT_NEAR(r.y, (y - origin) / cm_per_unit, tolerance) << r.output;
        EXPECT_EQ(r.key, key[0]);
        // Broke: the window vanished at PLTEND. The run above ended with status 0.
        EXPECT_NE(r.title_after_end.find("plotter_cursor_probe"), std::string::npos) << r.output;
        EXPECT_NE(r.title_after_end.find("hit a key in this window or close it"), std::string::npos) << r.output;
    }
};

TEST_F(XwCursor, HitposAndHitchrReturnThePointerAndKey) {
    CursorRun r;
    expect_hit("hit", 400, 200, "x", false, r);
    if (r.ok) {
        // The window has the sheet's shape.
        EXPECT_NEAR(static_cast<float>(r.window_width) / static_cast<float>(r.window_height), 22.0F / 12.0F, 0.01F);
    }
}

TEST_F(XwCursor, GetposGivesCentimetres) {
    CursorRun r;
    expect_hit("getpos", 150, 300, "k", false, r);
}

TEST_F(XwCursor, GposuGivesUserUnitsOfTheDiagram) {
    CursorRun r;
    expect_hit("gposu", 250, 120, "g", true, r, "close");
}

// A window made 900 pixels tall: the sheet keeps its shape, centred some 5 cm below the window's
// top, and the cursor's y is measured from the sheet's top, not the window's.
TEST_F(XwCursor, HitInAWindowTallerThanTheSheetIsOnTheCentredSheet) {
    CursorRun r;
    expect_hit("hit", 300, 450, "t", false, r, "key", 900);
    if (r.ok) {
        EXPECT_GT(static_cast<float>(r.window_height) / static_cast<float>(r.window_width), 1.5F * 12.0F / 22.0F)
            << r.output;
    }
}

// Broke: a lost connection ended the program silently with status 0.
TEST_F(XwCursor, LostConnectionEndsTheProgramWithOneLine) {
    int status = 0;
    const CursorRun r = run_cursor("hit", 400, 200, "x", "lost", &status);
    if (status == 77) {
        GTEST_SKIP() << "Xvfb or xdotool not installed";
    }
    EXPECT_NE(r.output.find("\nended 1\n"), std::string::npos) << r.output;
    const std::string line = "plotter: lost the connection to the X display\n";
    const std::size_t at = r.output.find(line);
    EXPECT_NE(at, std::string::npos) << r.output;
    EXPECT_EQ(r.output.find(line, at + 1), std::string::npos) << r.output;
}

}  // namespace
