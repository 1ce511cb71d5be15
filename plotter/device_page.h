// Internal: one page's drawing as the cairo devices keep it, compactly, with the box its ink
// covers: files draw it when the page's size is known, the window repaints from it.
#pragma once

#include <cstdint>
#include <vector>

namespace plotter {

// An axis-parallel box in cm; empty until something is added.
struct InkBox {
    float x1 = 0.0F;
    float y1 = 0.0F;
    float x2 = 0.0F;
    float y2 = 0.0F;
    bool empty = true;

    void add(float x, float y);
};

// The sheet of a page: the box of plotter cm it shows.
struct Sheet {
    float x1;
    float y1;
    float x2;
    float y2;
    float width() const { return x2 - x1; }
    float height() const { return y2 - y1; }
};

// The sheet of a page of WIDTH x HEIGHT cm with MARGIN cm around it.
inline Sheet page_sheet(float width, float height, float margin) {
    return Sheet{-margin, -margin, width + margin, height + margin};
}

// SHEET grown where INK reaches beyond it, to the ink with room to spare, but by no more than
// 100 cm on any side (PDF viewers take pages of up to 508 cm).
Sheet grown(Sheet sheet, const InkBox& ink);

// True when SHEET holds all of INK.
bool covers(const Sheet& sheet, const InkBox& ink);

class PageRecord {
public:
    void clear();
    void pen(int pen);
    // A connected line through N points, cm.
    void line(const float* x, const float* y, std::size_t n);
    // A glyph as Device::glyph takes it.
    void glyph(float x, float y, float angle, float size, int code);
    // A filled polygon as Device::fill takes it.
    void fill(const float* x, const float* y, std::size_t n, bool paper, float opacity);
    bool empty() const { return entries_.empty(); }
    // What the page's lines (LINE_WIDTH cm wide), texts and fills cover.
    InkBox ink(float line_width) const;

    // Hands every entry, in order, to CANVAS: pen(int), line(n, x, y), glyph(x, y, angle, size,
    // code), fill(n, x, y, paper, opacity).
    template <class Canvas>
    void replay(Canvas& canvas) const {
        for (const Entry& e : entries_) {
            const float* v = numbers_.data() + e.first;
            switch (e.kind) {
                case Kind::Pen:
                    canvas.pen(e.value);
                    break;
                case Kind::Line:
                    canvas.line(static_cast<int>(e.count), v, v + e.count);
                    break;
                case Kind::Glyph:
                    canvas.glyph(v[0], v[1], v[2], v[3], e.value);
                    break;
                case Kind::Fill:
                    canvas.fill(static_cast<int>(e.count), v, v + e.count, e.value != 0, v[2 * e.count]);
                    break;
            }
        }
    }

private:
    enum class Kind : std::uint8_t { Pen, Line, Glyph, Fill };
    struct Entry {
        Kind kind;
        int value;            // pen, glyph code, or 1 for a white fill
        std::uint32_t first;  // first number (Line: the x values, then the y values; Fill: those, then its opacity)
        std::uint32_t count;  // points of a line or a fill
    };
    void add(Kind kind, int value, std::size_t count);

    std::vector<Entry> entries_;
    std::vector<float> numbers_;
    InkBox lines_;  // the lines' points
    // Glyph runs and the fills' points: ink that ends where its points are, with no line width.
    InkBox exact_ink_;
};

}  // namespace plotter
