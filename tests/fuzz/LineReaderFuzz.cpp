// Fuzz target: any bytes as tarvik-decode's standard input.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "cli/LineReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace tarvik;
  if (size == 0) return 0;
  // Small batches and read blocks: lines split across both, often.
  const std::size_t batchBytes = 1 + data[0] % 64;
  const std::size_t blockSize = 1 + (data[0] >> 3);
  int fd = memfd_create("input", 0);
  if (fd < 0) return 0;
  if (write(fd, data + 1, size - 1) != static_cast<ssize_t>(size - 1) ||
      lseek(fd, 0, SEEK_SET) != 0) {
    close(fd);
    return 0;
  }
  LineReader reader(fd, blockSize);
  ReportBatch batch;
  std::size_t total = 0;
  while (reader.NextBatch(batch, batchBytes)) {
    for (std::size_t start : batch.starts) {
      const char* line = batch.text.data() + start;
      std::size_t length = std::strlen(line);
      // A report never holds a line feed and is never blank.
      if (std::memchr(line, '\n', length) != nullptr || length == 0) __builtin_trap();
      total += length;
    }
  }
  if (total > size) __builtin_trap();  // nothing invented
  close(fd);
  return 0;
}
