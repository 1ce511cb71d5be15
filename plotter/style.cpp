// The pen palette and the marker shapes of CENSYM.
#include "style.h"

#include <array>
#include <cmath>

namespace plotter {

namespace {

struct Pen {
    Rgb colour;
    const char* name;
};

constexpr Pen kPalette[kPens] = {
    {{0.00F, 0.00F, 0.00F}, "black"},  {{0.80F, 0.00F, 0.00F}, "red"},        {{0.00F, 0.25F, 0.80F}, "blue"},
    {{0.00F, 0.50F, 0.00F}, "green"},  {{0.90F, 0.45F, 0.00F}, "orange"},     {{0.50F, 0.00F, 0.60F}, "purple"},
    {{0.00F, 0.50F, 0.55F}, "teal"},   {{0.80F, 0.00F, 0.50F}, "magenta"},    {{0.55F, 0.30F, 0.05F}, "brown"},
    {{0.45F, 0.45F, 0.45F}, "grey"},   {{0.45F, 0.50F, 0.00F}, "olive"},      {{0.00F, 0.00F, 0.45F}, "navy"},
    {{0.50F, 0.00F, 0.00F}, "maroon"}, {{0.00F, 0.35F, 0.15F}, "dark green"}, {{0.25F, 0.45F, 0.70F}, "steel blue"},
};

int wrap(int value, int modulus) {
    const int r = value % modulus;
    return r < 0 ? r + modulus : r;
}

// Marker outlines in units of the marker height.
constexpr float kSquareX[] = {-0.5F, 0.5F, 0.5F, -0.5F, -0.5F};
constexpr float kSquareY[] = {-0.5F, -0.5F, 0.5F, 0.5F, -0.5F};
constexpr float kTriangleX[] = {-0.5F, 0.5F, 0.0F, -0.5F};
constexpr float kTriangleUpY[] = {-0.5F, -0.5F, 0.5F, -0.5F};
constexpr float kTriangleDownY[] = {0.5F, 0.5F, -0.5F, 0.5F};
constexpr float kHorizontalX[] = {-0.5F, 0.5F};
constexpr float kHorizontalY[] = {0.0F, 0.0F};
constexpr float kVerticalX[] = {0.0F, 0.0F};
constexpr float kVerticalY[] = {-0.5F, 0.5F};
constexpr float kRisingX[] = {-0.5F, 0.5F};
constexpr float kRisingY[] = {-0.5F, 0.5F};
constexpr float kFallingX[] = {-0.5F, 0.5F};
constexpr float kFallingY[] = {0.5F, -0.5F};
constexpr float kDiagonalRisingX[] = {-0.35355F, 0.35355F};
constexpr float kDiagonalRisingY[] = {-0.35355F, 0.35355F};
constexpr float kDiagonalFallingX[] = {-0.35355F, 0.35355F};
constexpr float kDiagonalFallingY[] = {0.35355F, -0.35355F};
constexpr float kDiamondX[] = {0.0F, 0.5F, 0.0F, -0.5F, 0.0F};
constexpr float kDiamondY[] = {-0.5F, 0.0F, 0.5F, 0.0F, -0.5F};
constexpr float kHourglassX[] = {-0.5F, 0.5F, -0.5F, 0.5F, -0.5F};
constexpr float kHourglassY[] = {0.5F, 0.5F, -0.5F, -0.5F, 0.5F};

constexpr int kCirclePoints = 25;
constexpr int kStarPoints = 11;

struct Tables {
    std::array<float, kCirclePoints> circle_x{};
    std::array<float, kCirclePoints> circle_y{};
    std::array<float, kStarPoints> star_x{};
    std::array<float, kStarPoints> star_y{};
    MarkerStroke strokes[kMarkers][4]{};
    int counts[kMarkers]{};
};

Tables make_tables() {
    Tables t;
    const double pi = std::acos(-1.0);
    for (int i = 0; i < kCirclePoints; ++i) {
        const double a = 2.0 * pi * i / (kCirclePoints - 1);
        t.circle_x[i] = static_cast<float>(0.5 * std::cos(a));
        t.circle_y[i] = static_cast<float>(0.5 * std::sin(a));
    }
    // Five-pointed star, points up; its outer radius makes it exactly one height tall.
    const double outer = 1.0 / (1.0 + std::cos(pi / 5.0));
    const double inner = outer * std::sin(pi / 10.0) / std::sin(3.0 * pi / 10.0);
    const double centre = 0.5 - outer;  // the star's vertical centre of bounding box at 0
    for (int i = 0; i < kStarPoints; ++i) {
        const double r = i % 2 == 0 ? outer : inner;
        const double a = pi / 2.0 + pi * i / 5.0;
        t.star_x[i] = static_cast<float>(r * std::cos(a));
        t.star_y[i] = static_cast<float>(r * std::sin(a) + centre);
    }
    auto set = [&t](int marker, std::initializer_list<MarkerStroke> strokes) {
        int n = 0;
        for (const MarkerStroke& s : strokes) {
            t.strokes[marker][n++] = s;
        }
        t.counts[marker] = n;
    };
    set(0, {{5, kSquareX, kSquareY}});
    set(1, {{kCirclePoints, t.circle_x.data(), t.circle_y.data()}});
    set(2, {{4, kTriangleX, kTriangleUpY}});
    set(3, {{2, kHorizontalX, kHorizontalY}, {2, kVerticalX, kVerticalY}});
    set(4, {{2, kRisingX, kRisingY}, {2, kFallingX, kFallingY}});
    set(5, {{5, kDiamondX, kDiamondY}});
    set(6, {{4, kTriangleX, kTriangleDownY}});
    set(7, {{2, kHorizontalX, kHorizontalY},
            {2, kVerticalX, kVerticalY},
            {2, kDiagonalRisingX, kDiagonalRisingY},
            {2, kDiagonalFallingX, kDiagonalFallingY}});
    set(8, {{5, kSquareX, kSquareY}, {2, kRisingX, kRisingY}, {2, kFallingX, kFallingY}});
    set(9, {{kStarPoints, t.star_x.data(), t.star_y.data()}});
    set(10, {{5, kHourglassX, kHourglassY}});
    return t;
}

const Tables& tables() {
    static const Tables instance = make_tables();
    return instance;
}

constexpr const char* kMarkerNames[kMarkers] = {"square",         "circle",  "triangle",          "plus",
                                                "cross",          "diamond", "inverted triangle", "asterisk",
                                                "crossed square", "star",    "hourglass"};

}  // namespace

int pen_index(int pen) { return 1 + wrap(pen % kPens - 1, kPens); }

Rgb pen_colour(int pen) { return kPalette[pen_index(pen) - 1].colour; }

const char* pen_name(int pen) { return kPalette[pen_index(pen) - 1].name; }

int marker_index(int marker) { return wrap(marker, kMarkers); }

int marker_strokes(int marker, const MarkerStroke** strokes) {
    const int m = marker_index(marker);
    *strokes = tables().strokes[m];
    return tables().counts[m];
}

const char* marker_name(int marker) { return kMarkerNames[marker_index(marker)]; }

}  // namespace plotter
