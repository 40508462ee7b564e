// StationDirectory: reading station lines, the table kept while the file is unchanged, lookups.
#include "report/StationDirectory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>

#include "decode/DecodedReport.h"
#include "decode/TokenShape.h"
#include "support/Diagnostics.h"
#include "support/ProgramPath.h"

namespace tarvik {
namespace {

constexpr std::size_t kMaxLine = 259;
constexpr std::size_t kMinLine = 44;
constexpr std::size_t kWordsColumn = 39;  // column 40, counted from 0

constexpr char Upper(char c) { return IsLower(c) ? static_cast<char>(c - 'a' + 'A') : c; }

uint32_t IdentifierKey(const char* id) {
  uint32_t key = 0;
  for (int i = 0; i < 4; ++i) key = key << 8 | static_cast<unsigned char>(Upper(id[i]));
  return key;
}

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

// Past one word and the blanks after it: the start of the next word or the end.
const char* StepOverWord(const char* p, const char* end) {
  while (p < end && !IsBlankOrTab(*p)) ++p;
  while (p < end && IsBlankOrTab(*p)) ++p;
  return p;
}

// Two words such as "51 53N", joined by "." into `out`.
template <std::size_t N>
void JoinCoordinate(const char* begin, const char* nextWord, char (&out)[N]) {
  // The text stops before the last blank ahead of the next word.
  const char* end = nextWord > begin ? nextWord - 1 : begin;
  std::string_view text(begin, static_cast<std::size_t>(end - begin));
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  CopyText(out, text);
  if (char* space = std::strchr(out, ' ')) *space = '.';
}

// "40.38N" (degrees, a point, minutes, a hemisphere) in signed decimal
// degrees to 4 decimals: south and west are negative. NaN when the text
// is not that, or its degrees or minutes are out of range.
double Degrees(std::string_view text, char positive, char negative, int most) {
  constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
  if (text.size() < 4) return kNone;
  const char hemisphere = text.back();
  if (hemisphere != positive && hemisphere != negative) return kNone;
  text.remove_suffix(1);
  const std::size_t point = text.find('.');
  if (point == std::string_view::npos || point == 0 || point > 3 || text.size() - point != 3 ||
      !AllDigits(text.data(), static_cast<int>(point)) || !AllDigits(text.data() + point + 1, 2)) {
    return kNone;
  }
  const int degrees = IntOfFirst(text.data(), static_cast<int>(point));
  const int minutes = IntOfFirst(text.data() + point + 1, 2);
  if (degrees > most || minutes > 59 || (degrees == most && minutes > 0)) return kNone;
  const double value = std::round((degrees + minutes / 60.0) * 10000.0) / 10000.0;
  return hemisphere == positive ? value : -value;
}

int32_t LeadingInteger(const char* p, const char* end) {
  std::string_view word(p, static_cast<std::size_t>(end - p));
  std::size_t wordLength = word.find_first_of(" \t");
  if (wordLength == std::string_view::npos) wordLength = word.size();
  char buffer[16] = {};
  word.substr(0, wordLength).copy(buffer, sizeof buffer - 1);
  return IntOfFirst(buffer, static_cast<int>(sizeof buffer));
}

// The one diagnostic line for a station file that cannot be used.
void SayCannotRead(const std::string& path, int error) {
  DebugPrint("%s: %s\n", path.c_str(), SystemErrorText(error));
}

}  // namespace

bool ParseStationLine(const char* line, std::size_t length, StationEntry& entry, uint32_t& key) {
  if (length == 0 || line[0] == '!') return false;
  if (length > kMaxLine || length < kMinLine) return false;
  if (strncasecmp(line, "CD  STATION", 11) == 0) return false;

  const char* end = line + length;
  const char* latitude = line + kWordsColumn;
  const char* longitude = StepOverWord(StepOverWord(latitude, end), end);
  const char* elevation = StepOverWord(StepOverWord(longitude, end), end);
  if (elevation == end) return false;  // fewer than five words

  entry = StationEntry{};
  CopyText(entry.State, std::string_view(line, 2));
  std::string_view name(line + 3, 16);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  CopyText(entry.Name, name);
  JoinCoordinate(latitude, longitude, entry.Latitude);
  JoinCoordinate(longitude, elevation, entry.Longitude);
  entry.Elevation = LeadingInteger(elevation, end);
  entry.LatitudeDeg = Degrees(entry.Latitude, 'N', 'S', 90);
  entry.LongitudeDeg = Degrees(entry.Longitude, 'E', 'W', 180);
  key = IdentifierKey(line + 20);
  return true;
}

std::string DefaultStationDirectoryPath() {
  char path[kPathCapacity];
  if (FileBesideProgram(path, "stations.txt") != 0) return {};
  if (access(path, F_OK) != 0) {
    // An installed program keeps its data in <prefix>/share/tarvik.
    char installed[kPathCapacity];
    if (FileBesideProgram(installed, "../share/tarvik/stations.txt") == 0 &&
        access(installed, F_OK) == 0) {
      return installed;
    }
  }
  return path;
}

std::shared_ptr<const StationTable> StationTable::Read(int fd) {
  auto table = std::make_shared<StationTable>();
  int copy = dup(fd);
  FILE* file = copy >= 0 ? fdopen(copy, "r") : nullptr;
  if (file == nullptr) {
    int error = errno;
    if (copy >= 0) close(copy);
    errno = error;
    return nullptr;
  }
  char* line = nullptr;
  std::size_t capacity = 0;
  ssize_t read = 0;
  errno = 0;
  while ((read = getline(&line, &capacity, file)) > 0) {
    // Like any zero-terminated text, a line ends at its first NUL byte.
    std::size_t length = strnlen(line, static_cast<std::size_t>(read));
    while (length > 0 && (line[length - 1] == '\n' || line[length - 1] == '\r')) --length;
    StationEntry entry;
    uint32_t key = 0;
    if (ParseStationLine(line, length, entry, key)) table->Insert(key, entry);
  }
  // A read that fails part way (an I/O error, a file that opens but cannot
  // be read) must not pass for a shorter directory.
  int error = std::ferror(file) != 0 ? (errno != 0 ? errno : EIO) : 0;
  std::free(line);
  std::fclose(file);
  if (error != 0) {
    errno = error;
    return nullptr;
  }
  return table;
}

namespace {

// The first slot to try for `key`: Fibonacci hashing spreads identifiers
// that differ only in their last letters.
std::size_t HomeSlot(uint32_t key, std::size_t mask) {
  return static_cast<std::size_t>((uint64_t{key} * 0x9E3779B97F4A7C15U) >> 32) & mask;
}

}  // namespace

void StationTable::Insert(uint32_t key, const StationEntry& entry) {
  if ((entries_.size() + 1) * 2 > slots_.size()) {
    std::vector<uint64_t> old = std::move(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, 0);
    const std::size_t mask = slots_.size() - 1;
    for (uint64_t slot : old) {
      if (slot == 0) continue;
      std::size_t at = HomeSlot(static_cast<uint32_t>(slot >> 32), mask);
      while (slots_[at] != 0) at = (at + 1) & mask;
      slots_[at] = slot;
    }
  }
  const std::size_t mask = slots_.size() - 1;
  std::size_t at = HomeSlot(key, mask);
  for (; slots_[at] != 0; at = (at + 1) & mask) {
    if (static_cast<uint32_t>(slots_[at] >> 32) == key) return;  // the first line wins
  }
  entries_.push_back(entry);
  slots_[at] = uint64_t{key} << 32 | entries_.size();
}

const StationEntry* StationTable::Find(const char* id) const {
  // A requested identifier shorter than four characters never matches.
  if (strnlen(id, 4) < 4 || slots_.empty()) return nullptr;
  const uint32_t key = IdentifierKey(id);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t at = HomeSlot(key, mask); slots_[at] != 0; at = (at + 1) & mask) {
    if (static_cast<uint32_t>(slots_[at] >> 32) == key) {
      return &entries_[static_cast<uint32_t>(slots_[at]) - 1];
    }
  }
  return nullptr;
}

int StationDirectory::OpenFile(const std::string& path, FileIdentity* identity) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat status {};
  if (fd >= 0 && fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
    close(fd);
    fd = -1;
    errno = EISDIR;
  }
  if (fd < 0) return -1;
  *identity = FileIdentity{
      static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino),
      static_cast<uint64_t>(status.st_size), static_cast<int64_t>(status.st_mtim.tv_sec),
      static_cast<int64_t>(status.st_mtim.tv_nsec)};
  return fd;
}

std::shared_ptr<const StationTable> StationDirectory::Snapshot(std::string path) {
  if (path.empty()) path = DefaultStationDirectoryPath();
  std::shared_ptr<const StationTable> table;
  if (int error = ReadFile(path, &table); error != 0) SayCannotRead(path, error);
  return table;
}

int StationDirectory::ReadFile(const std::string& path,
                               std::shared_ptr<const StationTable>* table) {
  FileIdentity identity;
  int fd = OpenFile(path, &identity);
  if (fd < 0) return errno;
  *table = StationTable::Read(fd);
  int error = *table == nullptr ? errno : 0;
  close(fd);
  return error;
}

const StationEntry* StationDirectory::LookupStation(const char* id) {
  if (!fixed_) {
    if (path_.empty()) path_ = DefaultStationDirectoryPath();
    // Opened on every lookup, so that edits show; read again only when the
    // file changed.
    FileIdentity identity;
    int fd = OpenFile(path_, &identity);
    if (fd < 0) {
      SayCannotRead(path_, errno);
      return nullptr;
    }
    if (table_ == nullptr || !(identity == loaded_)) {
      table_ = StationTable::Read(fd);
      loaded_ = identity;
      if (table_ == nullptr) SayCannotRead(path_, errno);
    }
    close(fd);
  }
  const StationEntry* found = table_ != nullptr ? table_->Find(id) : nullptr;
  if (found == nullptr) return nullptr;
  entry_ = *found;
  CopyText(entry_.Id, id);
  return &entry_;
}

}  // namespace tarvik
