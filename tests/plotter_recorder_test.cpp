// The plotter routines through the recorder: trace lines byte for byte, the primitives the
// in-memory device receives (stroke collection, clipping, pens, markers, batches), cursor hits,
// and the harmless handling of calls out of order and of bad numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "device_name.h"
#include "plotter.h"
#include "recorder.h"
#include "session.h"
#include "style.h"

namespace {

using plotter::Primitive;
using Kind = plotter::Primitive::Kind;

class Recorder : public ::testing::Test {
protected:
    void SetUp() override { plotter::recorder_start(); }
    void TearDown() override { plotter::recorder_stop(); }

    static std::vector<Primitive> of_kind(Kind kind) {
        std::vector<Primitive> out;
        for (const Primitive& p : plotter::recorder_primitives()) {
            if (p.kind == kind) {
                out.push_back(p);
            }
        }
        return out;
    }
};

TEST_F(Recorder, KnownCallsGiveKnownLines) {
    PLOTS(1, 0, 20.0F, 10.0F);
    PLOT(0.0F, 0.0F, 3);
    PLOT(0.1F, 2.5F, 2);
    NEWPEN(3);
    SYMBOL(1.6F, 1.4F, 0.4F, "10      ", 0.0F, 2, 8);
    SYMBLK(1.0F, 2.0F, 0.35F, "a\\b\"c", 0.0F, 4, 5);
    float w = 7.0F;
    TEXTLK(0.0F, w, 0.5F, "", 0.0F, -1, 0);
    CENSYM(5.0F, 5.0F, 2, 0.2F, 0.2F, 0.0F);
    CPLOT(2.0F, 2.0F, 997);
    MPLOT(1.0F, 1.0F, 2, 3);
    PLTSYN(1);
    PLTSYN(0);
    plotter::recorder_push_hit(5.5F, 9.0F, 0x171);
    WAITHT();
    float x = 1.0F;
    float y = 2.0F;
    HITPOS(x, y);
    int key = 4;
    HITCHR(key);
    PGTEXT(3.0F, 3.0F, "\\ga", 3);
    PLTDEV("fig.png/png ", 12);
    const float fx[] = {0.0F, 1.0F, 0.1F};
    const float fy[] = {-2.5F, 0.0F, 1.0F};
    FILPOL(fx, fy, 3, 1);
    FILPOL(nullptr, fy, 3, 0);
    FILPOL(fx, fy, -1, 0);
    FILALP(0.25F);
    PLTEND();
    const std::vector<std::string> expected = {
        "PLOTS 1 0 20 10",
        "PLOT 0 0 3",
        "PLOT 0.100000001 2.5 2",
        "NEWPEN 3",
        "SYMBOL 1.60000002 1.39999998 0.400000006 \"10      \" 0 2",
        "SYMBLK 1 2 0.349999994 \"a\\\\b\\\"c\" 0 4",
        "TEXTLK 0 7 0.5 \"\" 0 -1 -> 0",
        "CENSYM 5 5 2 0.200000003 0.200000003 0",
        "CPLOT 2 2 997",
        "MPLOT 1 1 2 3",
        "PLTSYN 1",
        "PLTSYN 0",
        "WAITHT",
        "HITPOS 1 2 -> 5.5 9",
        "HITCHR 4 -> 369",
        "PGTEXT 3 3 \"\\\\ga\"",
        "PLTDEV \"fig.png/png \"",
        "FILPOL [0 1 0.100000001] [-2.5 0 1] 3 1",
        "FILPOL [] [-2.5 0 1] 3 0",
        "FILPOL [] [] -1 0",
        "FILALP 0.25",
        "PLTEND",
    };
    EXPECT_EQ(plotter::recorder_lines(), expected);
    EXPECT_EQ(x, 5.5F);
    EXPECT_EQ(y, 9.0F);
    EXPECT_EQ(key & 0xFF, 'q');
}

// PLOTS while a plot is open starts a page with pen 1, the pen at (0, 0) and no clipping window.
TEST_F(Recorder, NextPageStartsAfresh) {
    PLOTS(1, 0, 20.0F, 10.0F);
    NEWPEN(3);
    CPLOT(0.0F, 0.0F, 997);
    CPLOT(1.0F, 1.0F, 998);
    PLOT(5.0F, 5.0F, 3);
    PLOTS(1, 0, 10.0F, 10.0F);
    CPLOT(4.0F, 2.0F, 2);
    PLTEND();
    std::vector<Kind> kinds;
    for (const Primitive& p : plotter::recorder_primitives()) {
        kinds.push_back(p.kind);
    }
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::Page, Kind::Polyline, Kind::Close}));
    const std::vector<Primitive> lines = of_kind(Kind::Polyline);
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].pen, 1);
    EXPECT_EQ(lines[0].x, (std::vector<float>{0, 4}));
    EXPECT_EQ(lines[0].y, (std::vector<float>{0, 2}));
}

TEST_F(Recorder, ConnectedStrokesBecomeOnePolyline) {
    PLOTS(1, 0, 20.0F, 10.0F);
    PLOT(0.0F, 0.0F, 3);
    PLOT(20.0F, 0.0F, 2);
    PLOT(20.0F, 10.0F, 2);
    PLOT(20.0F, 10.0F, 3);  // a move to where the pen is keeps the line going
    PLOT(0.0F, 10.0F, 2);
    PLOT(5.0F, 5.0F, 3);  // a real move starts a new line
    PLOT(6.0F, 5.0F, 2);
    NEWPEN(2);  // a pen change ends it
    PLOT(7.0F, 5.0F, 2);
    PLTEND();
    const std::vector<Primitive> lines = of_kind(Kind::Polyline);
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[0].x, (std::vector<float>{0, 20, 20, 0}));
    EXPECT_EQ(lines[0].y, (std::vector<float>{0, 0, 10, 10}));
    EXPECT_EQ(lines[1].x, (std::vector<float>{5, 6}));
    EXPECT_EQ(lines[1].pen, 1);
    EXPECT_EQ(lines[2].x, (std::vector<float>{6, 7}));
    EXPECT_EQ(lines[2].pen, 2);
}

TEST_F(Recorder, CplotClipsToItsWindowAndLeavesThePenAtTheGivenPoint) {
    PLOTS(1, 0, 20.0F, 10.0F);
    CPLOT(9.0F, 9.0F, 998);  // corners in any order
    CPLOT(2.0F, 2.0F, 997);
    CPLOT(0.0F, 5.0F, 3);
    CPLOT(12.0F, 5.0F, 2);  // crosses both side edges
    CPLOT(12.0F, 1.0F, 2);  // wholly outside: nothing, pen moves on
    CPLOT(5.0F, 1.0F, 2);   // outside, along below the window
    CPLOT(5.0F, 3.0F, 2);   // enters through the bottom edge, from the last given point
    PLTEND();
    const std::vector<Primitive> lines = of_kind(Kind::Polyline);
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[0].x, (std::vector<float>{2, 9}));
    EXPECT_EQ(lines[0].y, (std::vector<float>{5, 5}));
    EXPECT_EQ(lines[1].x, (std::vector<float>{5, 5}));
    EXPECT_EQ(lines[1].y, (std::vector<float>{2, 3}));
}

TEST_F(Recorder, MplotDrawsFromThePrecedingMove) {
    PLOTS(1, 0, 20.0F, 10.0F);
    PLOT(3.0F, 1.0F, 3);
    MPLOT(3.0F, 0.8F, 2, 3);
    PLOT(4.0F, 1.0F, 3);
    MPLOT(4.0F, 0.8F, 2, 3);
    PLTEND();
    const std::vector<Primitive> lines = of_kind(Kind::Polyline);
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[1].x, (std::vector<float>{4, 4}));
    EXPECT_EQ(lines[1].y, (std::vector<float>{1, 0.8F}));
}

TEST_F(Recorder, NonFiniteAndHugeCoordinatesNeverReachTheDevice) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    PLOTS(1, 0, 20.0F, 10.0F);
    PLOT(1.0F, 1.0F, 3);
    PLOT(nan, 2.0F, 2);   // skipped; the pen position is unknown ...
    PLOT(3.0F, 3.0F, 2);  // ... so this only puts the pen at (3, 3)
    PLOT(4.0F, 3.0F, 2);
    CPLOT(inf, 0.0F, 997);  // ignored corner
    CPLOT(5.0F, 3.0F, 2);
    PLOT(-1.0e30F, 3.0F, 2);  // cut where devices stop being exact
    CENSYM(nan, 1.0F, 1, 0.3F, 0.3F, 0.0F);
    CENSYM(1.0F, 1.0F, 1, inf, 0.3F, 0.0F);
    PGTEXT(nan, 1.0F, "x", 1);
    MPLOT(inf, 1.0F, 2, 3);
    PLTEND();
    for (const Primitive& p : plotter::recorder_primitives()) {
        for (std::size_t i = 0; i < p.x.size(); ++i) {
            EXPECT_TRUE(std::isfinite(p.x[i]) && std::isfinite(p.y[i]));
            EXPECT_LE(std::fabs(p.x[i]), 1.0e4F);
        }
    }
    const std::vector<Primitive> lines = of_kind(Kind::Polyline);
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].x, (std::vector<float>{3, 4, 5, -1.0e4F}));
    EXPECT_TRUE(of_kind(Kind::Glyph).empty());
}

TEST_F(Recorder, CallsOutsideAnOpenPageAreTracedNoOps) {
    PLOT(1.0F, 1.0F, 2);
    SYMBLK(1.0F, 1.0F, 0.4F, "x", 0.0F, 0, 1);
    PLTEND();
    PLOTS(1, 0, 20.0F, 10.0F);
    PLOTS(1, 0, 5.0F, 5.0F);  // ignored
    PLOT(2.0F, 0.0F, 2);
    PLTEND();
    PLTEND();
    CENSYM(1.0F, 1.0F, 0, 0.3F, 0.3F, 0.0F);
    PLTSYN(1);
    const float box[] = {0.0F, 1.0F, 1.0F};
    FILPOL(box, box, 3, 0);
    EXPECT_EQ(plotter::recorder_lines().size(), 11U);
    EXPECT_TRUE(of_kind(Kind::Fill).empty());
    ASSERT_EQ(of_kind(Kind::Polyline).size(), 1U);
    EXPECT_EQ(of_kind(Kind::Close).size(), 1U);
    EXPECT_TRUE(of_kind(Kind::Glyph).empty());
}

// A fill comes after the strokes drawn before it, in the pen in force or white, cut to the safe
// window; fewer than 3 points, a missing array or a non-finite point fill nothing.
TEST_F(Recorder, FilpolFillsWithThePenOrThePaper) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        const char* name;
        std::vector<float> x, y;
        int n;
        int paper;
        bool null_x;
        std::vector<float> fx, fy;  // the fill the device gets; none when empty
    } cases[] = {
        {"pen colour", {1, 3, 3}, {1, 1, 2}, 3, 0, false, {1, 3, 3}, {1, 1, 2}},
        {"paper", {1, 3, 3, 1}, {1, 1, 2, 2}, 4, -7, false, {1, 3, 3, 1}, {1, 1, 2, 2}},
        {"cut to the safe window", {0, 2e4F, 0}, {0, 0, 2e4F}, 3, 0, false, {0, 0, 1e4F, 1e4F}, {1e4F, 0, 0, 1e4F}},
        {"two points", {1, 3, 3}, {1, 1, 2}, 2, 0, false, {}, {}},
        {"a NaN", {1, nan, 3}, {1, 1, 2}, 3, 0, false, {}, {}},
        {"no X", {1, 3, 3}, {1, 1, 2}, 3, 0, true, {}, {}},
    };
    for (const auto& c : cases) {
        plotter::recorder_start();
        PLOTS(1, 0, 20.0F, 10.0F);
        NEWPEN(3);
        PLOT(5.0F, 5.0F, 2);
        FILPOL(c.null_x ? nullptr : c.x.data(), c.y.data(), c.n, c.paper);
        PLTEND();
        const std::vector<Primitive>& all = plotter::recorder_primitives();
        const std::vector<Primitive> fills = of_kind(Kind::Fill);
        ASSERT_EQ(fills.size(), c.fx.empty() ? 0U : 1U) << c.name;
        ASSERT_EQ(of_kind(Kind::Polyline).size(), 1U) << c.name;
        if (!c.fx.empty()) {
            ASSERT_EQ(all.size(), 3U) << c.name;
            EXPECT_EQ(all[0].kind, Kind::Polyline) << c.name << ": the line drawn before is handed on first";
            EXPECT_EQ(all[1].kind, Kind::Fill) << c.name;
            EXPECT_EQ(fills[0].x, c.fx) << c.name;
            EXPECT_EQ(fills[0].y, c.fy) << c.name;
            EXPECT_EQ(fills[0].pen, 3) << c.name;
            EXPECT_EQ(fills[0].code, c.paper != 0 ? 1 : 0) << c.name;
        }
    }
}

// FILALP sets the opacity of later fills in the pen, held to 0..1 (NaN opaque); paper fills stay
// opaque; PLOTS sets it to 1 again. Before a page it is ignored and warns, as NEWPEN does.
TEST_F(Recorder, FilalpSetsTheOpacityOfPenFillsUntilTheNextPage) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float x[] = {1, 3, 3};
    const float y[] = {1, 1, 2};
    ::testing::internal::CaptureStderr();
    FILALP(0.5F);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "plotter: FILALP called with no page open; PLOTS opens the page\n");
    PLOTS(1, 0, 20.0F, 10.0F);
    EXPECT_EQ(plotter::fill_opacity(), 1.0F);
    FILPOL(x, y, 3, 0);
    const struct {
        float alpha;
        float opacity;
    } cases[] = {{0.25F, 0.25F}, {0.0F, 0.0F}, {1.5F, 1.0F}, {-2.0F, 0.0F}, {nan, 1.0F}, {-inf, 0.0F}, {0.75F, 0.75F}};
    for (const auto& c : cases) {
        FILALP(c.alpha);
        EXPECT_EQ(plotter::fill_opacity(), c.opacity) << c.alpha;
        FILPOL(x, y, 3, 0);
    }
    FILPOL(x, y, 3, 1);
    PLOTS(1, 0, 20.0F, 10.0F);
    EXPECT_EQ(plotter::fill_opacity(), 1.0F);
    FILPOL(x, y, 3, 0);
    PLTEND();
    std::vector<float> opacities;
    for (const Primitive& p : of_kind(Kind::Fill)) {
        opacities.push_back(p.opacity);
    }
    EXPECT_EQ(opacities, (std::vector<float>{1, 0.25F, 0, 1, 0, 1, 0, 0.75F, 1, 1}))
        << "the paper fill after 0.75 and the fill on the next page are opaque";
}

TEST_F(Recorder, PensWrapIntoThePalette) {
    EXPECT_EQ(plotter::pen_index(1), 1);
    EXPECT_EQ(plotter::pen_index(15), 15);
    EXPECT_EQ(plotter::pen_index(16), 1);
    EXPECT_EQ(plotter::pen_index(0), 15);
    EXPECT_EQ(plotter::pen_index(-1), 14);
    EXPECT_EQ(plotter::pen_index(std::numeric_limits<int>::min()),
              1 + ((std::numeric_limits<int>::min() % 15) + 14) % 15);
    const plotter::Rgb black = plotter::pen_colour(1);
    EXPECT_EQ(black.red + black.green + black.blue, 0.0F);
    for (int pen = 1; pen <= plotter::kPens; ++pen) {
        const plotter::Rgb c = plotter::pen_colour(pen);
        // Readable on white: no pen lighter than mid grey.
        EXPECT_LT(0.3F * c.red + 0.59F * c.green + 0.11F * c.blue, 0.6F) << plotter::pen_name(pen);
    }
    PLOTS(1, 0, 20.0F, 10.0F);
    NEWPEN(17);
    PLOT(1.0F, 1.0F, 2);
    PLTEND();
    ASSERT_EQ(of_kind(Kind::Polyline).size(), 1U);
    EXPECT_EQ(of_kind(Kind::Polyline)[0].pen, 2);
}

TEST_F(Recorder, MarkersAreCentredAndHeightTall) {
    PLOTS(1, 0, 20.0F, 10.0F);
    for (int m = -2; m <= 12; ++m) {
        plotter::recorder_start();
        PLOTS(1, 0, 20.0F, 10.0F);
        CENSYM(4.0F, 3.0F, m, 0.5F, 0.5F, 0.0F);
        const std::vector<Primitive> strokes = of_kind(Kind::Polyline);
        ASSERT_FALSE(strokes.empty()) << m;
        float lo_x = 1e9F, hi_x = -1e9F, lo_y = 1e9F, hi_y = -1e9F;
        for (const Primitive& s : strokes) {
            for (std::size_t i = 0; i < s.x.size(); ++i) {
                lo_x = std::min(lo_x, s.x[i]);
                hi_x = std::max(hi_x, s.x[i]);
                lo_y = std::min(lo_y, s.y[i]);
                hi_y = std::max(hi_y, s.y[i]);
            }
        }
        EXPECT_NEAR(hi_y - lo_y, 0.5F, 1e-3F) << plotter::marker_name(m);
        EXPECT_NEAR(0.5F * (lo_y + hi_y), 3.0F, 1e-3F) << plotter::marker_name(m);
        EXPECT_NEAR(0.5F * (lo_x + hi_x), 4.0F, 1e-3F) << plotter::marker_name(m);
    }
    EXPECT_EQ(plotter::marker_index(11), 0);
    EXPECT_EQ(plotter::marker_index(-1), 10);
}

TEST_F(Recorder, BatchesStayBalancedWhateverTheCalls) {
    PLOTS(1, 0, 20.0F, 10.0F);
    PLTSYN(0);
    PLTSYN(1);
    PLTSYN(1);
    PLOT(1.0F, 1.0F, 2);
    PLTSYN(0);
    PLTSYN(0);
    PLTSYN(1);
    PLTEND();
    std::vector<Kind> kinds;
    for (const Primitive& p : plotter::recorder_primitives()) {
        kinds.push_back(p.kind);
    }
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::BeginBatch, Kind::Polyline, Kind::EndBatch, Kind::BeginBatch,
                                        Kind::EndBatch, Kind::Close}));
}

TEST_F(Recorder, CursorWithoutAQueuedHitReturnsNoHitAtOnce) {
    plotter::recorder_push_hit(1.5F, 2.5F, 'a');
    WAITHT();  // no page needed while recording
    WAITHT();
    float x = 9.0F;
    float y = 9.0F;
    int key = 9;
    HITPOS(x, y);
    HITCHR(key);
    EXPECT_EQ(x, 0.0F);
    EXPECT_EQ(y, 0.0F);
    EXPECT_EQ(key, 0);
}

TEST_F(Recorder, ResetForgetsEverything) {
    PLOTS(1, 0, 20.0F, 10.0F);
    CPLOT(1.0F, 1.0F, 997);
    CPLOT(2.0F, 2.0F, 998);
    plotter::recorder_push_hit(1.0F, 1.0F, 'x');
    plotter::recorder_start();
    EXPECT_TRUE(plotter::recorder_lines().empty());
    EXPECT_TRUE(plotter::recorder_primitives().empty());
    PLOTS(1, 0, 20.0F, 10.0F);
    CPLOT(0.0F, 5.0F, 3);
    CPLOT(10.0F, 5.0F, 2);  // the old window is gone
    WAITHT();
    int key = 7;
    HITCHR(key);
    EXPECT_EQ(key, 0);
    PLTEND();
    ASSERT_EQ(of_kind(Kind::Polyline).size(), 1U);
    EXPECT_EQ(of_kind(Kind::Polyline)[0].x, (std::vector<float>{0, 10}));
}

struct DeviceCase {
    const char* text;
    bool valid;
    const char* type;
    const char* file;
};

TEST(DeviceName, PgplotConvention) {
    const DeviceCase cases[] = {
        {"plot.pdf/pdf", true, "pdf", "plot.pdf"},
        {"out/x.png/PNG", true, "png", "out/x.png"},
        {"/png", true, "png", "plot"},
        {"a.svg/svg", true, "svg", "a.svg"},
        {"b.ps/vps", true, "ps", "b.ps"},
        {"/xw", true, "xw", ""},
        {"/XWINDOW", true, "xw", ""},
        {"/null", true, "null", ""},
        {"picture.png", true, "png", "picture.png"},
        {"dir.d/picture.eps", true, "eps", "dir.d/picture.eps"},
        {"plot/gif", false, "", ""},
        {"plot", false, "", ""},
        {"dir/", false, "", ""},
        {"", false, "", ""},
    };
    for (const DeviceCase& c : cases) {
        const plotter::DeviceName n = plotter::parse_device_name(c.text);
        EXPECT_EQ(n.valid, c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(n.type, c.type) << c.text;
            EXPECT_EQ(n.file, c.file) << c.text;
        } else {
            EXPECT_FALSE(n.error.empty()) << c.text;
        }
    }
}

}  // namespace
