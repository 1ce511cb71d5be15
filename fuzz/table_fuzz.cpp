// Fuzz target: any bytes as a data table, through the reader the diagr command uses.
//
// The bytes come through a stand-in for read(2) in short, varying chunks, so that lines and quotes
// straddle the reader's buffer; the input's length picks the separator and the header rule. Every
// run must end at the end of the input or in one failure text naming the file, and never crash or
// trip a sanitizer. Checked as well: no more data lines than input lines, fields no longer than
// their line, values that are numbers, missing or text, and shown texts without control characters.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "chunked_input.h"
#include "table.h"

namespace {

[[noreturn]] void finding(const char* what) {
    std::fprintf(stderr, "table fuzz: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_input::serve(data, size);
    const table::Separator seps[] = {table::Separator::automatic, table::Separator::blanks, table::Separator::comma,
                                     table::Separator::semicolon, table::Separator::tab};
    const table::Separator sep = seps[size % 5];
    const long header = size % 3 == 0 ? static_cast<long>(size % 4) : -1;

    table::Reader reader(0, "t.csv", fuzz_input::read_chunk);
    std::size_t lines = 1;
    for (std::size_t i = 0; i < size; ++i) {
        lines += data[i] == '\n' ? 1 : 0;
    }
    if (reader.start(sep, header)) {
        for (const std::string& name : reader.names()) {
            // A name read as Latin-1 takes two bytes for each byte above 127.
            if (name.size() > 2 * size) {
                finding("a name longer than the input read as Latin-1");
            }
        }
        while (reader.next()) {
            if (reader.row() > static_cast<long>(lines) || reader.line() > static_cast<long>(lines)) {
                finding("more data lines than input lines");
            }
            for (const table::Field& field : reader.fields()) {
                if (field.text.size() > size) {
                    finding("a field longer than the input");
                }
                const table::Value value = table::read_value(field.text, sep == table::Separator::semicolon);
                if (value.kind != table::Kind::number && value.kind != table::Kind::missing &&
                    value.kind != table::Kind::text) {
                    finding("a value of no kind");
                }
                const std::string shown = table::printable(field.text);
                if (shown.size() > 4 * 40 + 3) {
                    finding("a shown text longer than 40 characters and the dots");
                }
                for (const char c : shown) {
                    if (static_cast<unsigned char>(c) < 0x20U || c == 0x7F) {
                        finding("a control character in a shown text");
                    }
                }
            }
        }
    }
    if (reader.failed() && reader.failure().rfind("t.csv", 0) != 0) {
        finding("a failure that does not name the file");
    }
    if (fuzz_input::read_past_end()) {
        finding("read past the end of the input");
    }
    return 0;
}
