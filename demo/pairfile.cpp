// Free-form reading of x/y pairs: the byte source, the number scanner and the record reader.
#include "pairfile.h"

#include <fcntl.h>

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "open_files.h"

namespace driver {

namespace {

// Significant digits kept of a number; later ones only move the decimal point.
constexpr int kMaxDigits = 40;
// Up to this many digits an integer is exact in a double (10^15 < 2^53) ...
constexpr int kExactDigits = 15;
// ... and so are the powers of ten up to this one.
constexpr int kExactPowers = 22;
constexpr double kPowersOfTen[kExactPowers + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// Largest exponent field accepted.
constexpr long kMaxExponent = 99999999;
// Repeat counts are kept up to this; a record takes two values, so larger counts act alike.
constexpr long kRepeatCap = 1000000000L;

bool is_digit(int c) { return c >= '0' && c <= '9'; }

// Blanks, tabs and carriage returns (a CR LF line end reads as LF) separate values and are skipped.
bool is_blank(int c) { return c == ' ' || c == '\t' || c == '\r'; }

// A value ends only at a separator: a blank, a comma, a slash, a line end or the end of the file
// (a failed read too, which the caller reports). "2.0abc", "0x10" and "1.2.3" are no numbers.
bool ends_value(int c) {
    return is_blank(c) || c == ',' || c == '/' || c == '\n' || c == ByteSource::end_of_file ||
           c == ByteSource::read_failed;
}

enum class Scan { value, empty, invalid_number, exponent_field, bad_repetition_count };

// One value at the start of a list item (never a comma, slash or separator there): an optional
// repeat count with its asterisk, then the number, which must end at a separator. COUNT receives
// the repeat count (1 without). The separator after the value is given back to the source.
Scan scan_value(ByteSource& in, float& value, long& count) {
    count = 1;
    bool after_star = false;
    for (;;) {
        char digits[kMaxDigits];
        int digit_count = 0;
        long long exponent = 0;
        bool negative = false;
        bool any_digit = false;

        int c = in.get();
        if (c == '-' || c == '+') {
            negative = c == '-';
            c = in.get();
        }
        while (c == '0') {
            any_digit = true;
            c = in.get();
        }
        while (is_digit(c)) {
            if (digit_count < kMaxDigits) {
                digits[digit_count++] = static_cast<char>(c);
            } else {
                ++exponent;
            }
            c = in.get();
        }
        if (c == '*' && !after_star) {
            if (digit_count == 0 || exponent != 0 || negative) {
                return Scan::bad_repetition_count;
            }
            count = 0;
            for (int i = 0; i < digit_count; ++i) {
                count = count * 10 + (digits[i] - '0');
                if (count > kRepeatCap) {
                    count = kRepeatCap;
                    break;
                }
            }
            after_star = true;
            continue;
        }
        if (c == '.') {
            c = in.get();
            if (digit_count == 0) {
                while (c == '0') {
                    any_digit = true;
                    --exponent;
                    c = in.get();
                }
            }
            while (is_digit(c)) {
                if (digit_count < kMaxDigits) {
                    digits[digit_count++] = static_cast<char>(c);
                    --exponent;
                }
                c = in.get();
            }
        }
        any_digit = any_digit || digit_count > 0;

        if (any_digit) {
            bool has_exponent = false;
            bool exponent_negative = false;
            if (c == '+' || c == '-') {
                has_exponent = true;
            } else if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
                has_exponent = true;
                c = in.get();
            }
            if (has_exponent) {
                if (c == '+' || c == '-') {
                    exponent_negative = c == '-';
                    c = in.get();
                }
                if (!is_digit(c)) {
                    return Scan::exponent_field;
                }
                long field = c - '0';
                while (is_digit(c = in.get())) {
                    field = field * 10 + (c - '0');
                    if (field > kMaxExponent) {
                        return Scan::exponent_field;
                    }
                }
                exponent += exponent_negative ? -field : field;
            }
            if (!ends_value(c)) {
                // A number that is no whole count before an asterisk ("2.5*3") is a bad count.
                return c == '*' ? Scan::bad_repetition_count : Scan::invalid_number;
            }
            in.unget(c);
            value = decimal_to_float(negative, digits, digit_count, exponent);
            return Scan::value;
        }

        in.unget(c);
        // "r*" before a separator, a line end or the end of the file stands for r empty values.
        if (after_star && ends_value(c)) {
            return Scan::empty;
        }
        return Scan::invalid_number;
    }
}

}  // namespace

float decimal_to_float(bool negative, const char* digits, int digit_count, long long exponent) {
    if (digit_count > kMaxDigits) {
        digit_count = kMaxDigits;
    }
    while (digit_count > 0 && digits[digit_count - 1] == '0') {
        --digit_count;
        ++exponent;
    }
    if (digit_count <= 0) {
        return negative ? -0.0F : 0.0F;
    }
    double wide = 0.0;
    if (digit_count <= kExactDigits && exponent >= -kExactPowers && exponent <= kExactPowers) {
        // The digits as an integer and the power of ten are both exact doubles, so one multiplication
        // or division rounds correctly, as strtod would: the common case, without formatting a text.
        double mantissa = 0.0;
        for (int i = 0; i < digit_count; ++i) {
            mantissa = mantissa * 10.0 + (digits[i] - '0');
        }
        const double power = kPowersOfTen[exponent < 0 ? -exponent : exponent];
        wide = exponent < 0 ? mantissa / power : mantissa * power;
        if (negative) {
            wide = -wide;
        }
    } else {
        // Sign, the digits as an integer and the exponent: a clean text for strtod.
        char text[1 + kMaxDigits + 2 + 24];
        std::snprintf(text, sizeof text, "%s%.*se%lld", negative ? "-" : "", digit_count, digits, exponent);
        wide = std::strtod(text, nullptr);
    }
    // Halfway between FLT_MAX and the next power of two: from here on float rounds to infinity.
    constexpr double kFloatOverflow = 0x1.ffffffp127;
    if (wide >= kFloatOverflow) {
        return HUGE_VALF;
    }
    if (wide <= -kFloatOverflow) {
        return -HUGE_VALF;
    }
    if (wide > FLT_MAX) {
        return FLT_MAX;
    }
    if (wide < -FLT_MAX) {
        return -FLT_MAX;
    }
    return static_cast<float>(wide);
}

ByteSource::ByteSource(int fd, ReadFunction read_function) : fd_(fd), read_function_(read_function) {}

int ByteSource::get_slowly() {
    if (pushed_back_ != no_byte) {
        const int byte = pushed_back_;
        pushed_back_ = no_byte;
        return byte;
    }
    if (error_ != 0) {
        return read_failed;
    }
    if (position_ == length_) {
        if (at_end_) {
            return end_of_file;
        }
        ssize_t got = 0;
        do {
            got = read_function_(fd_, buffer_, sizeof buffer_);
        } while (got < 0 && errno == EINTR);
        if (got < 0) {
            error_ = errno != 0 ? errno : EIO;
            return read_failed;
        }
        if (got == 0) {
            at_end_ = true;
            return end_of_file;
        }
        position_ = 0;
        length_ = static_cast<size_t>(got);
    }
    return buffer_[position_++];
}

PairFile::PairFile(const char* path, ReadFunction read_function) : path_(path), read_function_(read_function) {}

PairFile::PairFile(int fd, ReadFunction read_function) : read_function_(read_function), given_fd_(fd) {}

PairFile::~PairFile() { close(); }

bool PairFile::fail(const char* place, int system_error) {
    failed_ = true;
    failure_.place = place;
    failure_.system_error = system_error;
    failure_.unit_named = fd_ >= 0;
    failure_.in_record = in_record_;
    failure_.line = system_error == 0 ? value_line_ : 0;
    failure_.state = state_;
    return false;
}

bool PairFile::open(long header_lines) {
    close();
    failed_ = false;
    in_record_ = false;
    value_line_ = 0;
    state_.external = true;
    if (given_fd_ >= 0) {
        fd_ = given_fd_;
    } else {
        do {
            fd_ = ::open(path_, O_RDONLY | O_CLOEXEC);
        } while (fd_ < 0 && errno == EINTR);
        if (fd_ < 0) {
            return fail("open", errno);
        }
        register_open_file(fd_);
    }
    source_.emplace(fd_, read_function_);
    state_ = IoState{true, true, true, true};
    for (long line = 0; line < header_lines; ++line) {
        if (!skip_rest_of_line()) {
            return false;
        }
    }
    return true;
}

bool PairFile::skip_rest_of_line() {
    for (;;) {
        const int c = source_->get();
        if (c == '\n' || c == ByteSource::end_of_file) {
            return true;
        }
        if (c == ByteSource::read_failed) {
            return fail("list in", source_->error());
        }
    }
}

PairFile::Next PairFile::next(float& X, float& Y) {
    if (failed_) {
        return Next::failed;
    }
    if (!source_) {
        return Next::end;
    }
    ByteSource& in = *source_;
    state_ = IoState{true, true, true, true};
    in_record_ = true;

    float* const inputs[2] = {&x_input_, &y_input_};
    long repeat = 0;  // copies of the last value still to hand out
    bool has_value = false;
    float value = 0.0F;
    bool record_ended = false;  // by a slash
    for (float* input : inputs) {
        if (record_ended) {
            break;
        }
        if (repeat == 0) {
            has_value = false;
            bool scan = false;
            while (!scan) {
                const int c = in.get();
                if (c == ByteSource::end_of_file) {
                    // The end of the data, or a record cut off after x: not counted.
                    in_record_ = false;
                    close();
                    return Next::end;
                }
                if (c == ByteSource::read_failed) {
                    fail("list in", in.error());
                    return Next::failed;
                }
                if (is_blank(c) || c == '\n') {
                    continue;
                }
                if (c == '/') {
                    record_ended = true;
                    break;
                }
                if (c == ',') {
                    repeat = 1;  // one empty value
                    break;
                }
                in.unget(c);
                value_line_ = in.line_ends() + 1;
                scan = true;
            }
            if (record_ended) {
                break;
            }
            if (scan) {
                const Scan outcome = scan_value(in, value, repeat);
                if (in.error() != 0) {
                    fail("list in", in.error());
                    return Next::failed;
                }
                switch (outcome) {
                    case Scan::value:
                        has_value = true;
                        break;
                    case Scan::empty:
                        break;
                    case Scan::invalid_number:
                        fail("invalid number", 0);
                        return Next::failed;
                    case Scan::exponent_field:
                        fail("exponent field", 0);
                        return Next::failed;
                    case Scan::bad_repetition_count:
                        fail("bad repetition count", 0);
                        return Next::failed;
                }
                // Blanks and tabs after the value, and one comma after the last of its copies.
                int c = in.get();
                while (is_blank(c)) {
                    c = in.get();
                }
                if (c != ',' || repeat > 1) {
                    in.unget(c);
                }
            }
        } else {
            int c = in.get();
            while (is_blank(c)) {
                c = in.get();
            }
            if (c != ',' || repeat > 1) {
                in.unget(c);
            }
        }
        if (in.error() != 0) {
            fail("list in", in.error());
            return Next::failed;
        }
        if (has_value) {
            *input = value;
        }
        --repeat;
    }
    if (!skip_rest_of_line()) {
        return Next::failed;
    }
    in_record_ = false;
    X = x_input_;
    Y = y_input_;
    return Next::pair;
}

void PairFile::close() {
    source_.reset();
    if (fd_ >= 0 && fd_ != given_fd_) {
        unregister_open_file(fd_);
        ::close(fd_);
    }
    fd_ = -1;
}

}  // namespace driver
