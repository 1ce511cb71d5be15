// Reading a text field as characters: UTF-8 where the bytes are valid UTF-8, ISO 8859-1 byte by
// byte where they are not (an old program or a spreadsheet export writing one byte per character).
#pragma once

namespace plotter {

// The length of the valid UTF-8 sequence at TEXT[I] (2 to 4), or 0 when the bytes there are no
// such sequence: an ASCII byte, a stray continuation byte, an overlong form, a surrogate, a code
// point above U+10FFFF or a sequence cut short by the field's end.
inline int utf8_sequence_length(const char* text, int length, int i) {
    const auto byte = [&](int k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    int n = 0;
    unsigned char low = 0x80;  // the range of the second byte, narrower after some leads
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        n = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        n = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // E0 80..9F would be overlong
        high = lead == 0xED ? 0x9F : 0xBF;  // ED A0..BF would be a surrogate
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        n = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;   // overlong
        high = lead == 0xF4 ? 0x8F : 0xBF;  // above U+10FFFF
    } else {
        return 0;
    }
    if (i + n > length || byte(i + 1) < low || byte(i + 1) > high) {
        return 0;
    }
    for (int k = 2; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return n;
}

// The character at TEXT[I], of the LENGTH bytes of the field; advances I past it.
inline char32_t next_char(const char* text, int length, int& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int n = lead < 0x80 ? 0 : utf8_sequence_length(text, length, i);
    if (n == 0) {
        ++i;
        return lead;  // ASCII, or a byte read as ISO 8859-1
    }
    char32_t point = lead & (0xFF >> (n + 1));
    for (int k = 1; k < n; ++k) {
        point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    i += n;
    return point;
}

// Writes the UTF-8 form of POINT (at most U+10FFFF) to OUT; returns its length, 1 to 4.
inline int utf8_encode(char32_t point, char* out) {
    if (point < 0x80) {
        out[0] = static_cast<char>(point);
        return 1;
    }
    if (point < 0x800) {
        out[0] = static_cast<char>(0xC0 | (point >> 6));
        out[1] = static_cast<char>(0x80 | (point & 0x3F));
        return 2;
    }
    if (point < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (point >> 12));
        out[1] = static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (point & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (point >> 18));
    out[1] = static_cast<char>(0x80 | ((point >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (point & 0x3F));
    return 4;
}

// The largest character boundary at or below POS in the LENGTH bytes of TEXT: where a field cut
// to POS bytes must end so that it does not split a character in two.
inline int char_boundary(const char* text, int length, int pos) {
    if (pos <= 0 || pos >= length) {
        return pos < 0 ? 0 : pos;  // past the field's end nothing is split
    }
    // Every byte that is no continuation byte starts a character; a continuation byte belongs to
    // the valid sequence that starts at most three bytes before it, if there is one.
    for (int start = pos; start >= 0 && start >= pos - 3; --start) {
        if ((static_cast<unsigned char>(text[start]) & 0xC0) != 0x80) {
            return start + utf8_sequence_length(text, length, start) > pos ? start : pos;
        }
    }
    return pos;
}

// The number of characters in the LENGTH bytes of TEXT.
inline int char_count(const char* text, int length) {
    int count = 0;
    for (int i = 0; i < length; ++count) {
        next_char(text, length, i);
    }
    return count;
}

}  // namespace plotter
