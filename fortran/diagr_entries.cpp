// Fortran entry points of the diagram library: gfortran's names (lower case, trailing underscore)
// and hidden text lengths (size_t, after all visible arguments), each passed straight on to the
// C++ routine of diagr.h. The plot state itself is shared as the common block /PLTPAR/: the
// symbol pltpar_ is the C++ object PLTPAR (see lib/pltpar.cpp).
#include <cstddef>

#include "diagr.h"
#include "fortran_text.h"

using fortran::text_length;

extern "C" {

void labini_() { LABINI(); }

void clip_(const float* X0, const float* Y0, const float* XLEN, const float* YLEN, const float* XMIN, const float* XMAX,
           const float* YMIN, const float* YMAX) {
    CLIP(*X0, *Y0, *XLEN, *YLEN, *XMIN, *XMAX, *YMIN, *YMAX);
}

// REAL functions: gfortran returns a default REAL as a C float.
float xcm_(const float* X) { return XCM(*X); }

float ycm_(const float* Y) { return YCM(*Y); }

void derr_(const char* NAME, std::size_t NAME_len) { DERR(NAME, text_length(NAME_len)); }

void fralab_(const int* IXLAB, const int* IYLAB, const float* XLSIZE, const float* YLSIZE, const float* TSIZE,
             const float* SYMSIZ) {
    FRALAB(*IXLAB, *IYLAB, *XLSIZE, *YLSIZE, *TSIZE, *SYMSIZ);
}

void diagr_(const float* X0, const float* Y0, const float* XLEN, const float* YLEN, float* XMIN, float* XMAX,
            float* YMIN, float* YMAX, const float* DX, const float* DY, const char* XTEXT, const char* YTEXT,
            const char* TITLE, const int* IPENF, const int* IPENC, const float* X, const float* Y, const int* N,
            const float* ISYM, std::size_t XTEXT_len, std::size_t YTEXT_len, std::size_t TITLE_len) {
    DIAGR(*X0, *Y0, *XLEN, *YLEN, *XMIN, *XMAX, *YMIN, *YMAX, *DX, *DY, XTEXT, YTEXT, TITLE, *IPENF, *IPENC, X, Y, *N,
          *ISYM, text_length(XTEXT_len), text_length(YTEXT_len), text_length(TITLE_len));
}

void frame_(const float* X0, const float* Y0, const float* XLEN, const float* YLEN, const float* XMIN,
            const float* XMAX, const float* YMIN, const float* YMAX, const float* DX, const float* DY,
            const char* XTEXT, const char* YTEXT, const char* TITLE, const int* IPENF, std::size_t XTEXT_len,
            std::size_t YTEXT_len, std::size_t TITLE_len) {
    FRAME(*X0, *Y0, *XLEN, *YLEN, *XMIN, *XMAX, *YMIN, *YMAX, *DX, *DY, XTEXT, YTEXT, TITLE, *IPENF,
          text_length(XTEXT_len), text_length(YTEXT_len), text_length(TITLE_len));
}

void getpos_(float* X, float* Y, char* CH, std::size_t CH_len) { GETPOS(*X, *Y, CH, text_length(CH_len)); }

void gposu_(float* X, float* Y, char* CH, std::size_t CH_len) { GPOSU(*X, *Y, CH, text_length(CH_len)); }

void achsiz_(const float* HLAB) { ACHSIZ(*HLAB); }

void achse0_(const float* XA, const float* YA, const int* NC, const float* ALEN, const float* ANGLE,
             const float* VFIRST, const float* VSTEP, const float* VLAST) {
    ACHSE0(*XA, *YA, *NC, *ALEN, *ANGLE, *VFIRST, *VSTEP, *VLAST);
}

void achse_(const float* XA, const float* YA, const char* ATEXT, const int* NC, const float* ALEN, const float* ANGLE,
            const float* VFIRST, const float* VSTEP, const float* VLAST, std::size_t ATEXT_len) {
    ACHSE(*XA, *YA, ATEXT, *NC, *ALEN, *ANGLE, *VFIRST, *VSTEP, *VLAST, text_length(ATEXT_len));
}

void stelle_(const float* VALUE, char* LABEL, int* NCH, int* IEXP, std::size_t LABEL_len) {
    STELLE(*VALUE, LABEL, *NCH, *IEXP, text_length(LABEL_len));
}

void fstelle_(const float* VALUE, char* LABEL, int* NCH, int* IEXP, std::size_t LABEL_len) {
    FSTELLE(*VALUE, LABEL, *NCH, *IEXP, text_length(LABEL_len));
}

// INTEGER functions: a default INTEGER is a C int.
int idx_(const char* TEXT, std::size_t TEXT_len) { return IDX(TEXT, text_length(TEXT_len)); }

int lint_(const float* X) { return LINT(*X); }

void over_(const float* X, const float* Y, const int* N, const float* ISYM) { OVER(X, Y, *N, *ISYM); }

void ovr_(const float* X, const float* Y, const int* N, const float* ISYM, const int* IPEN) {
    OVR(X, Y, *N, *ISYM, *IPEN);
}

void cdash_(const float* X, const float* Y, const int* IPEN, const float* DASH) { CDASH(*X, *Y, *IPEN, *DASH); }

void ptext_(const float* X, const float* Y, const float* HEIGHT, const char* TEXT, std::size_t TEXT_len) {
    PTEXT(*X, *Y, *HEIGHT, TEXT, text_length(TEXT_len));
}

void ptxt_(const float* X, const float* Y, const char* TEXT, const float* HEIGHT, const int* JUST, const int* IPEN,
           const int* IOPT, std::size_t TEXT_len) {
    PTXT(*X, *Y, TEXT, *HEIGHT, *JUST, *IPEN, *IOPT, text_length(TEXT_len));
}

void logax_(const int* LOGX, const int* LOGY) { LOGAX(*LOGX, *LOGY); }

void timax_(const int* ITX, const int* ITY, const double* T0) { TIMAX(*ITX, *ITY, *T0); }

void erry_(const float* X, const float* Y, const float* ELO, const float* EHI, const int* N, const float* CAP) {
    ERRY(X, Y, ELO, EHI, *N, *CAP);
}

void errx_(const float* X, const float* Y, const float* ELO, const float* EHI, const int* N, const float* CAP) {
    ERRX(X, Y, ELO, EHI, *N, *CAP);
}

void legadd_(const char* TEXT, const int* IPEN, const float* ISYM, const int* IBAR, std::size_t TEXT_len) {
    LEGADD(TEXT, *IPEN, *ISYM, *IBAR, text_length(TEXT_len));
}

void legend_(const int* IPOS, const float* HEIGHT) { LEGEND(*IPOS, *HEIGHT); }

void bins_(const float* DATA, const int* N, int* NBIN, float* XMIN, float* XMAX, float* COUNTS, const int* MAXBIN) {
    BINS(DATA, *N, *NBIN, *XMIN, *XMAX, COUNTS, *MAXBIN);
}

void steps_(const float* X, const float* Y, const int* N, const int* IWHERE) { STEPS(X, Y, *N, *IWHERE); }

void band_(const float* X, const float* YLO, const float* YHI, const int* N) { BAND(X, YLO, YHI, *N); }

void hist_(const float* DATA, const int* N, const int* NBIN, const float* XMIN, const float* XMAX, const int* IFILL) {
    HIST(DATA, *N, *NBIN, *XMIN, *XMAX, *IFILL);
}

void histd_(const float* X0, const float* Y0, const float* XLEN, const float* YLEN, const float* DATA, const int* N,
            const int* NBIN, const char* XTEXT, const char* YTEXT, const char* TITLE, const int* IPENF,
            const int* IPENC, const int* IFILL, std::size_t XTEXT_len, std::size_t YTEXT_len, std::size_t TITLE_len) {
    HISTD(*X0, *Y0, *XLEN, *YLEN, DATA, *N, *NBIN, XTEXT, YTEXT, TITLE, *IPENF, *IPENC, *IFILL, text_length(XTEXT_len),
          text_length(YTEXT_len), text_length(TITLE_len));
}

}  // extern "C"
