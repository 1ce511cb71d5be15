// Free-form reading of x/y pairs from a data file: header lines, then records of two numbers.
//
// Rules, for any bytes the file may hold:
// - The header lines (one unless the caller says otherwise) are skipped whole, however long.
// - A record starts at the start of a line and gives x then y; once both are read the rest of
//   that line is ignored.
// - Before each value blanks, tabs and line ends are skipped, so a pair may be split over lines.
//   A value ends only at a separator: blanks or tabs, a comma (one, with blanks or tabs around
//   it), a slash, a line end or the end of the file. Any other character right after a number
//   makes the value no number ("2.0abc", "0x10", "1.2.3": invalid number). A carriage return
//   counts as a blank, so CR LF line ends read as LF.
// - A number is [sign] digits [. digits] [exponent], the exponent being E, e, D or d followed by
//   an optionally signed integer, or a sign directly after the digits (1.5-3 is 1.5e-3). Only the
//   first 40 significant digits are used; later digits before the point still count for the
//   magnitude. The text goes to double (correctly rounded), then to float.
// - r*value gives r copies of the value; r* followed by a separator gives r empty values.
// - An empty value (a comma at the start of the record or right after another comma) keeps that
//   variable's previous value; a slash ends the record, the values not yet read keep theirs too.
//   Before the first record both variables are 0.0.
// - The end of the file ends the data; a record it cuts off after x is dropped. The last line is
//   read normally with or without a line end.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <optional>

namespace driver {

// What the input/output system was last doing, as the fatal report's last line shows it.
// Before any transfer all four are false; opening a file makes it external.
struct IoState {
    bool reading = false;
    bool sequential = false;
    bool formatted = false;
    bool external = false;
};

// Why reading failed, with everything the fatal report needs.
struct ReadFailure {
    // "open", "list in", "invalid number", "exponent field" or "bad repetition count".
    const char* place = nullptr;
    // errno of a failure of the system; 0 for bad input.
    int system_error = 0;
    // The file was opened, so the report names it.
    bool unit_named = false;
    // A record of pairs was being read.
    bool in_record = false;
    // The file's line (from 1) on which the value that is no number starts; 0 for other failures.
    long line = 0;
    IoState state;
};

// Bytes of a file descriptor through a fixed buffer, with one byte of push-back.
class ByteSource {
public:
    using ReadFunction = ssize_t (*)(int fd, void* buffer, size_t count);

    static constexpr int end_of_file = -1;
    static constexpr int read_failed = -2;

    ByteSource(int fd, ReadFunction read_function);

    // The next byte (0..255), end_of_file, or read_failed (see error()). Both ends are sticky.
    int get() {
        const int byte = (pushed_back_ == no_byte && position_ < length_) ? buffer_[position_++] : get_slowly();
        line_ends_ += byte == '\n' ? 1 : 0;
        return byte;
    }
    // Gives back the byte that get() just returned; the ends need no giving back.
    void unget(int byte) {
        if (byte >= 0) {
            pushed_back_ = byte;
            line_ends_ -= byte == '\n' ? 1 : 0;
        }
    }
    // errno of the failed read, 0 while none failed.
    int error() const { return error_; }
    // Line ends taken so far: the next byte is on line line_ends() + 1.
    long line_ends() const { return line_ends_; }

private:
    static constexpr int no_byte = -3;

    // get() for the pushed-back byte, an empty buffer and the ends.
    int get_slowly();

    int fd_;
    ReadFunction read_function_;
    unsigned char buffer_[4096];
    size_t position_ = 0;
    size_t length_ = 0;
    int pushed_back_ = no_byte;
    bool at_end_ = false;
    int error_ = 0;
    long line_ends_ = 0;
};

// One data file read record by record. The number of pairs is not limited here: callers that
// store the pairs decide what to do with more than they can hold.
class PairFile {
public:
    using ReadFunction = ByteSource::ReadFunction;

    enum class Next { pair, end, failed };

    // The file is not opened yet. READ_FUNCTION stands in for read(2), so that tests can make
    // the system fail.
    explicit PairFile(const char* path, ReadFunction read_function = ::read);
    // A descriptor already open, standard input say, read from where it stands; it stays the
    // caller's and is not closed.
    explicit PairFile(int fd, ReadFunction read_function = ::read);
    ~PairFile();
    PairFile(const PairFile&) = delete;
    PairFile& operator=(const PairFile&) = delete;

    // Opens the file for reading and skips HEADER_LINES lines (the header); false on failure (see
    // failure()).
    bool open(long header_lines = 1);

    // Reads the next record: Next::pair with its values in X and Y, Next::end at the end of the
    // data (or when not open), Next::failed on bad input or a read error (see failure()).
    Next next(float& X, float& Y);

    // Reads to the end of the data, calling take(x, y) for every pair: true at the end, false on
    // a failure (see failure()), after the pairs before it were taken.
    template <typename Take>
    bool for_each_pair(Take&& take) {
        float x = 0.0F;
        float y = 0.0F;
        for (;;) {
            switch (next(x, y)) {
                case Next::pair:
                    take(x, y);
                    break;
                case Next::end:
                    return true;
                case Next::failed:
                    return false;
            }
        }
    }

    // Closes the file; harmless when it is not open.
    void close();

    const ReadFailure& failure() const { return failure_; }

private:
    bool fail(const char* place, int system_error);
    bool skip_rest_of_line();

    const char* path_ = nullptr;
    ReadFunction read_function_;
    int given_fd_ = -1;
    int fd_ = -1;
    // Where the value being read starts, for the report of one that is no number.
    long value_line_ = 0;
    std::optional<ByteSource> source_;
    IoState state_;
    bool in_record_ = false;
    bool failed_ = false;
    ReadFailure failure_;
    // The two input variables: a value a record leaves out is the previous record's.
    float x_input_ = 0.0F;
    float y_input_ = 0.0F;
};

// Text of a decimal number to float: NEGATIVE, the significant DIGITS ('1'..'9' first, at most
// 40 of them) and the power of ten that scales them as an integer. Through double, correctly
// rounded at each step; magnitudes beyond float's range give infinities.
float decimal_to_float(bool negative, const char* digits, int digit_count, long long exponent);

}  // namespace driver
