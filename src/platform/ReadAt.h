#pragma once

// Reading a stream's file at a given place without moving the stream, so
// that several threads can read one temporary file at once while it stays
// open for writing.

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace tandrel::platform {

// Reads exactly `size` bytes at `offset` of the file under `file` (whose
// buffered writes must have been flushed). False, with errno set, when the
// file is shorter or the system refuses.
bool read_at(std::FILE* file, std::uint64_t offset, void* data, std::size_t size);

}  // namespace tandrel::platform
