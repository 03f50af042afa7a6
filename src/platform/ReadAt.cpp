#include "platform/ReadAt.h"

#include <unistd.h>

#include <cerrno>

namespace tandrel::platform {

bool read_at(std::FILE* file, std::uint64_t offset, void* data, std::size_t size) {
  const int fd = fileno(file);
  auto* bytes = static_cast<unsigned char*>(data);
  while (size > 0) {
    const ssize_t got = ::pread(fd, bytes, size, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      if (got == 0) errno = EIO;  // the file ends before the bytes asked for
      return false;
    }
    bytes += got;
    offset += static_cast<std::uint64_t>(got);
    size -= static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace tandrel::platform
