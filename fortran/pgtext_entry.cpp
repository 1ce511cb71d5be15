// The Fortran entry point pgtext_, alone in its object file.
//
// A Fortran PGPLOT library defines pgtext_ too. Kept apart, this member of the static archive is
// pulled in only when pgtext_ is still undefined: a program that links a PGPLOT library ahead of us
// gets that library's routine (which writes on PGPLOT's own device, not on our page), any other
// program gets ours, and no link sees the symbol twice from our library.
#include <cstddef>

#include "fortran_text.h"
#include "plotter.h"

extern "C" void pgtext_(const float* X, const float* Y, const char* TEXT, std::size_t TEXT_len) {
    PGTEXT(*X, *Y, TEXT, fortran::text_length(TEXT_len));
}
