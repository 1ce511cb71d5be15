// Internal: cutting texts for the plotter without splitting a character: the pieces of at most 80
// bytes in which FRAME and PTEXT/PTXT hand long texts over, and the fixed working fields.
#pragma once

#include "utf8.h"

namespace diagr::text {

// Texts go to the plotter in pieces of at most this many bytes.
inline constexpr int kPieceLength = 80;

// LENGTH, or less where the first LENGTH bytes of the FIELD_LENGTH-byte TEXT would end inside a
// character (a multi-byte UTF-8 sequence): such a cut goes before the character.
inline int cut_length(const char* text, int field_length, int length) {
    return plotter::char_boundary(text, field_length, length);
}

// Calls EACH(start, count) for the pieces of bytes 0..STOP-1 of the FIELD_LENGTH-byte TEXT, in
// order. Pieces end at the same places whatever STOP, so a text measured up to its last non-blank
// byte and drawn over its whole field is cut alike.
template <class Each>
void for_each_piece(const char* text, int field_length, int stop, Each&& each) {
    for (int start = 0; start < stop;) {
        int end = cut_length(text, field_length, start + kPieceLength);
        if (end <= start) {
            end = start + kPieceLength;
        }
        if (end > stop) {
            end = stop;
        }
        each(start, end - start);
        start = end;
    }
}

}  // namespace diagr::text
