// The demonstration page that diatest1 draws from the pairs it read.
#pragma once

namespace driver {

// The whole plot: PLOTS opens the 20 cm x 10 cm page, PLOT draws its border, then
// draw_demonstration_page(), then PLTEND.
void draw_demonstration(const float* X, const float* Y, const int& N);

// What stands inside the border: the diagram of X(1..N), Y(1..N) with both ranges from the
// data, two sample alphabets placed relative to its frame, and two Greek alphabets through PGTEXT.
void draw_demonstration_page(const float* X, const float* Y, const int& N);

}  // namespace driver
