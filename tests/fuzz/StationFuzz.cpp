// Fuzz target: any bytes as a station directory file.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "report/StationDirectory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace tarvik;
  int fd = memfd_create("stations", 0);
  if (fd < 0) return 0;
  if (write(fd, data, size) != static_cast<ssize_t>(size) || lseek(fd, 0, SEEK_SET) != 0) {
    close(fd);
    return 0;
  }
  std::shared_ptr<const StationTable> table = StationTable::Read(fd);
  close(fd);
  // Look up the identifiers that the input itself holds at columns 21-24.
  StationDirectory stations(table);
  for (std::size_t at = 20; at + 4 <= size; at += 61) {
    char id[5] = {};
    std::memcpy(id, data + at, 4);
    if (const StationEntry* entry = stations.LookupStation(id)) {
      if (std::strlen(entry->Latitude) >= sizeof entry->Latitude) __builtin_trap();
      if (std::strlen(entry->Longitude) >= sizeof entry->Longitude) __builtin_trap();
    }
  }
  return 0;
}
