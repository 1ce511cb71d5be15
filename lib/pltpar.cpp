// The plot state PLTPAR, the user-to-centimetre mapping and its guard.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "diagr.h"
#include "plotter.h"

// The bytes "Erro" in memory, read as a float on a little-endian machine.
const float PLTPAR_SENTINEL = std::bit_cast<float>(std::uint32_t{0x6F727245});

const PltPar LABINI_VALUES = {PLTPAR_SENTINEL, 0.0F, 0.0F, 0.0F, 0.0F, 0.0F, 0.0F, 0.0F, 1, 1, 0.4F, 0.4F, 0.4F, 0.3F};

PltPar PLTPAR = LABINI_VALUES;

void LABINI() {}

void CLIP(const float& X0, const float& Y0, const float& XLEN, const float& YLEN, const float& XMIN,
          const float& XMAX, const float& YMIN, const float& YMAX) {
    PLTPAR.XSCAL = XLEN / (XMAX - XMIN);
    PLTPAR.YSCAL = YLEN / (YMAX - YMIN);
    PLTPAR.XOFFS = X0 - XMIN * PLTPAR.XSCAL;
    PLTPAR.YOFFS = Y0 - YMIN * PLTPAR.YSCAL;
    PLTPAR.XLEFT = X0;
    PLTPAR.YBOTM = Y0;
    PLTPAR.XRIGHT = X0 + XLEN;
    PLTPAR.YTOP = Y0 + YLEN;
}

void DERR(const char* NAME, int NAME_len) {
    if (PLTPAR.XSCAL != PLTPAR_SENTINEL) {
        return;
    }
    PLTEND();
    std::fputs(" ?DGRDNC: Illegal call of ", stdout);
    if (NAME_len > 0) {
        std::fwrite(NAME, 1, static_cast<std::size_t>(NAME_len), stdout);
    }
    std::fputc('\n', stdout);
    std::fflush(stdout);
    std::fputs(" ?DGRDNC: DIAGR or FRAME must be called first.\n", stdout);
    std::fflush(stdout);
    std::exit(0);
}

float XCM(const float& X) {
    DERR("Xcm", 3);
    return X * PLTPAR.XSCAL + PLTPAR.XOFFS;
}

float YCM(const float& Y) {
    DERR("Ycm", 3);
    return Y * PLTPAR.YSCAL + PLTPAR.YOFFS;
}

void FRALAB(const int& IXLAB, const int& IYLAB, const float& XLSIZE, const float& YLSIZE, const float& TSIZE,
            const float& SYMSIZ) {
    PLTPAR.IXLAB = IXLAB;
    PLTPAR.IYLAB = IYLAB;
    PLTPAR.XLSIZE = XLSIZE;
    PLTPAR.YLSIZE = YLSIZE;
    PLTPAR.TSIZE = TSIZE;
    PLTPAR.SYMSIZ = SYMSIZ;
}
