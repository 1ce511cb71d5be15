// The hidden length of a Fortran text argument, as the C++ routines take it.
#pragma once

#include <climits>
#include <cstddef>

namespace fortran {

// gfortran passes a text's length as size_t after all visible arguments; the C++ routines take an
// int. A length beyond the int range is held to INT_MAX (no real field comes near it).
inline int text_length(std::size_t length) {
    return length > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
}

}  // namespace fortran
