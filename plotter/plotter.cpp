// The public pen-plotter routines (placeholder: traces every call, draws nothing yet).
#include "plotter.h"

#include "recorder.h"
#include "state.h"
#include "trace.h"

namespace plotter {

void reset_state() {}

void recorder_push_hit(float, float, int) {}

}  // namespace plotter

using plotter::trace::active;
using plotter::trace::Line;

void PLOTS(const int& IUNIT, const int& IMODE, const float& WIDTH, const float& HEIGHT) {
    if (active()) {
        Line("PLOTS").integer(IUNIT).integer(IMODE).real(WIDTH).real(HEIGHT).emit();
    }
}

void PLOT(const float& X, const float& Y, const int& IPEN) {
    if (active()) {
        Line("PLOT").real(X).real(Y).integer(IPEN).emit();
    }
}

void CPLOT(const float& X, const float& Y, const int& IPEN) {
    if (active()) {
        Line("CPLOT").real(X).real(Y).integer(IPEN).emit();
    }
}

void MPLOT(const float& X, const float& Y, const int& I2, const int& I3) {
    if (active()) {
        Line("MPLOT").real(X).real(Y).integer(I2).integer(I3).emit();
    }
}

void NEWPEN(const int& IPEN) {
    if (active()) {
        Line("NEWPEN").integer(IPEN).emit();
    }
}

void SYMBOL(const float& X, const float& Y, const float& HEIGHT, const char* TEXT, const float& ANGLE,
            const int& NCHAR, int TEXT_len) {
    if (active()) {
        Line("SYMBOL").real(X).real(Y).real(HEIGHT).text(TEXT, TEXT_len).real(ANGLE).integer(NCHAR).emit();
    }
}

void SYMBLK(const float& X, const float& Y, const float& HEIGHT, const char* TEXT, const float& ANGLE,
            const int& NCHAR, int TEXT_len) {
    if (active()) {
        Line("SYMBLK").real(X).real(Y).real(HEIGHT).text(TEXT, TEXT_len).real(ANGLE).integer(NCHAR).emit();
    }
}

void TEXTLK(const float& XS, float& W, const float& HEIGHT, const char* TEXT, const float& ANGLE,
            const int& NCHAR, int TEXT_len) {
    const float entry = W;
    W = 0.75F * HEIGHT * static_cast<float>(TEXT_len > 0 ? TEXT_len : 0);
    if (active()) {
        Line("TEXTLK")
            .real(XS)
            .real(entry)
            .real(HEIGHT)
            .text(TEXT, TEXT_len)
            .real(ANGLE)
            .integer(NCHAR)
            .returns()
            .real(W)
            .emit();
    }
}

void CENSYM(const float& X, const float& Y, const int& MARKER, const float& HEIGHT, const float& WIDTH,
            const float& ANGLE) {
    if (active()) {
        Line("CENSYM").real(X).real(Y).integer(MARKER).real(HEIGHT).real(WIDTH).real(ANGLE).emit();
    }
}

void PLTSYN(const int& IFLAG) {
    if (active()) {
        Line("PLTSYN").integer(IFLAG).emit();
    }
}

void WAITHT() {
    if (active()) {
        Line("WAITHT").emit();
    }
}

void HITPOS(float& X, float& Y) {
    const float x_in = X;
    const float y_in = Y;
    X = 0.0F;
    Y = 0.0F;
    if (active()) {
        Line("HITPOS").real(x_in).real(y_in).returns().real(X).real(Y).emit();
    }
}

void HITCHR(int& KEY) {
    const int key_in = KEY;
    KEY = 0;
    if (active()) {
        Line("HITCHR").integer(key_in).returns().integer(KEY).emit();
    }
}

void PLTEND() {
    if (active()) {
        Line("PLTEND").emit();
    }
}

void PGTEXT(const float& X, const float& Y, const char* TEXT, int TEXT_len) {
    if (active()) {
        Line("PGTEXT").real(X).real(Y).text(TEXT, TEXT_len).emit();
    }
}
