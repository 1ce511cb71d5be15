// Internal: one page's drawing as the PGPLOT device keeps it, compactly, with the box its ink
// covers, to be drawn when the page's size is known.
#pragma once

#include <cstdint>
#include <string>
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

// The cap height of PGTEXT's characters, as a fraction of the height of the sheet they are
// written on (giza sizes its standard characters by the sheet's height; an upper bound).
inline constexpr float kPgtextCapPerSheetHeight = 0.02F * 0.729F;

class PageRecord {
public:
    void clear();
    void pen(int pen);
    // A connected line through N points, cm.
    void line(const float* x, const float* y, std::size_t n);
    // A glyph as Device::glyph takes it.
    void glyph(float x, float y, float angle, float size, int code);
    // A PGTEXT text, whose characters are CAP_HEIGHT cm high.
    void text(float x, float y, const char* text, float cap_height);
    bool empty() const { return entries_.empty(); }
    // What the page's lines (LINE_WIDTH cm wide) and texts cover.
    InkBox ink(float line_width) const;

    // Hands every entry, in order, to CANVAS: pen(int), line(n, x, y), glyph(x, y, angle, size,
    // code), text(x, y, const char*).
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
                case Kind::Text:
                    canvas.text(v[0], v[1], texts_[static_cast<std::size_t>(e.value)].c_str());
                    break;
            }
        }
    }

private:
    enum class Kind : std::uint8_t { Pen, Line, Glyph, Text };
    struct Entry {
        Kind kind;
        int value;            // pen, glyph code, or index of the text
        std::uint32_t first;  // first number (Line: the x values, then the y values)
        std::uint32_t count;  // points of a line
    };
    void add(Kind kind, int value, std::size_t count);

    std::vector<Entry> entries_;
    std::vector<float> numbers_;
    std::vector<std::string> texts_;
    InkBox lines_;  // the lines' points
    InkBox texts_ink_;
};

}  // namespace plotter
