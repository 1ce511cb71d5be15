// Fortran entry points of the pen-plotter library: gfortran's names and hidden text lengths,
// each passed straight on to the C++ routine of plotter.h (which also traces the call).
#include <cstddef>

#include "fortran_text.h"
#include "plotter.h"

using fortran::text_length;

extern "C" {

void plots_(const int* IUNIT, const int* IMODE, const float* WIDTH, const float* HEIGHT) {
    PLOTS(*IUNIT, *IMODE, *WIDTH, *HEIGHT);
}

void plot_(const float* X, const float* Y, const int* IPEN) { PLOT(*X, *Y, *IPEN); }

void cplot_(const float* X, const float* Y, const int* IPEN) { CPLOT(*X, *Y, *IPEN); }

void mplot_(const float* X, const float* Y, const int* I2, const int* I3) { MPLOT(*X, *Y, *I2, *I3); }

void newpen_(const int* IPEN) { NEWPEN(*IPEN); }

void symbol_(const float* X, const float* Y, const float* HEIGHT, const char* TEXT, const float* ANGLE,
             const int* NCHAR, std::size_t TEXT_len) {
    SYMBOL(*X, *Y, *HEIGHT, TEXT, *ANGLE, *NCHAR, text_length(TEXT_len));
}

void symblk_(const float* X, const float* Y, const float* HEIGHT, const char* TEXT, const float* ANGLE,
             const int* NCHAR, std::size_t TEXT_len) {
    SYMBLK(*X, *Y, *HEIGHT, TEXT, *ANGLE, *NCHAR, text_length(TEXT_len));
}

void textlk_(const float* XS, float* W, const float* HEIGHT, const char* TEXT, const float* ANGLE, const int* NCHAR,
             std::size_t TEXT_len) {
    TEXTLK(*XS, *W, *HEIGHT, TEXT, *ANGLE, *NCHAR, text_length(TEXT_len));
}

void censym_(const float* X, const float* Y, const int* MARKER, const float* HEIGHT, const float* WIDTH,
             const float* ANGLE) {
    CENSYM(*X, *Y, *MARKER, *HEIGHT, *WIDTH, *ANGLE);
}

void pltsyn_(const int* IFLAG) { PLTSYN(*IFLAG); }

void waitht_() { WAITHT(); }

void hitpos_(float* X, float* Y) { HITPOS(*X, *Y); }

void hitchr_(int* KEY) { HITCHR(*KEY); }

void pltend_() { PLTEND(); }

void pltdev_(const char* TEXT, std::size_t TEXT_len) { PLTDEV(TEXT, text_length(TEXT_len)); }

void filpol_(const float* X, const float* Y, const int* N, const int* IPAPER) { FILPOL(X, Y, *N, *IPAPER); }

void filalp_(const float* ALPHA) { FILALP(*ALPHA); }

}  // extern "C"
