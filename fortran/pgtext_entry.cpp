// The Fortran entry point pgtext_, alone in its object file.
//
// giza's Fortran PGPLOT library (libpgplot) defines pgtext_ too; we link only libcpgplot and
// libgiza, which do not. Kept apart, this member of the static archive is pulled in only when
// pgtext_ is still undefined: a program that links libpgplot ahead of us gets giza's routine (which
// writes on the same page, but untraced and without our guard against bytes above 126), any other
// program gets ours, and no link sees the symbol twice from our library.
#include <cstddef>

#include "fortran_text.h"
#include "plotter.h"

extern "C" void pgtext_(const float* X, const float* Y, const char* TEXT, std::size_t TEXT_len) {
    PGTEXT(*X, *Y, TEXT, fortran::text_length(TEXT_len));
}
