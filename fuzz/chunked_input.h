// The fuzz input served as a file through a stand-in for read(2), in short, varying chunks, so
// that what a reader parses straddles its buffer.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace fuzz_input {

struct ChunkedInput {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t position = 0;
    std::size_t chunk = 1;
};

inline ChunkedInput chunked_input;

// Serves DATA from its start: small odd chunks most of the time, the whole buffer sometimes.
inline void serve(const std::uint8_t* data, std::size_t size) {
    chunked_input = {data, size, 0, size % 5 == 0 ? 4096 : 1 + size % 13};
}

inline ssize_t read_chunk(int, void* buffer, size_t count) {
    ChunkedInput& in = chunked_input;
    std::size_t n = in.size - in.position;
    n = n < count ? n : count;
    n = n < in.chunk ? n : in.chunk;
    if (n > 0) {
        std::memcpy(buffer, in.data + in.position, n);
    }
    in.position += n;
    return static_cast<ssize_t>(n);
}

// Whether a reader asked for bytes beyond the input's end.
inline bool read_past_end() { return chunked_input.position > chunked_input.size; }

}  // namespace fuzz_input
