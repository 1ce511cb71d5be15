// The in-memory device: keeps every primitive for tests to inspect, writes nothing.
#include <string>

#include "device.h"

namespace plotter {

namespace {

class MemoryDevice final : public Device {
public:
    explicit MemoryDevice(std::vector<Primitive>& primitives) : primitives_(primitives) {}

    void set_pen(int pen) override { pen_ = pen; }

    void polyline(const float* x, const float* y, int n) override {
        Primitive& p = add(Primitive::Kind::Polyline);
        p.x.assign(x, x + n);
        p.y.assign(y, y + n);
    }

    void glyph(float x, float y, float angle, float size, int code) override {
        Primitive& p = add(Primitive::Kind::Glyph);
        p.x = {x};
        p.y = {y};
        p.angle = angle;
        p.size = size;
        p.code = code;
    }

    void fill(const float* x, const float* y, int n, bool paper, float opacity) override {
        Primitive& p = add(Primitive::Kind::Fill);
        p.x.assign(x, x + n);
        p.y.assign(y, y + n);
        p.code = paper ? 1 : 0;
        p.opacity = opacity;
    }

    void begin_batch() override { add(Primitive::Kind::BeginBatch); }
    void end_batch() override { add(Primitive::Kind::EndBatch); }
    void flush() override {}
    bool cursor(float&, float&, int&) override { return false; }
    std::string new_page(float, float) override {
        add(Primitive::Kind::Page);
        pen_ = 1;
        return {};
    }
    std::string close() override {
        add(Primitive::Kind::Close);
        return {};
    }

private:
    Primitive& add(Primitive::Kind kind) {
        Primitive& p = primitives_.emplace_back();
        p.kind = kind;
        p.pen = pen_;
        return p;
    }

    std::vector<Primitive>& primitives_;
    int pen_ = 1;
};

}  // namespace

std::unique_ptr<Device> open_memory_device(std::vector<Primitive>& primitives) {
    return std::make_unique<MemoryDevice>(primitives);
}

}  // namespace plotter
