// StationDirectory: station details by ICAO identifier from stations.txt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

/// The details of one station line.
struct StationEntry {
  char State[3];       // two-character region code (columns 1-2)
  char Name[17];       // columns 4-19, trailing blanks removed
  char Id[5];          // the identifier as the caller wrote it
  char Latitude[10];   // two words joined by ".", e.g. 51.53N
  char Longitude[13];  // e.g. 097.56W
  int32_t Elevation;   // metres
  // The same positions in signed decimal degrees (north and east
  // positive), to 4 decimals; NaN when the words are no position.
  double LatitudeDeg;
  double LongitudeDeg;
};

/// What a member of StationEntry holds.
enum class StationValue : uint8_t {
  Text,     // a text, absent when empty
  Int,      // an int32_t, always given
  Degrees,  // a double, absent when NaN
};

/// One member of StationEntry as the JSON and CSV writers give it.
struct StationMember {
  std::string_view name;  // the JSON key; the CSV column is "Station." and the name
  std::size_t offset;     // where it is in StationEntry
  std::size_t size;       // a text's capacity, terminator included
  StationValue value;
  bool inCsv;  // the CSV has a column for it
};

/// The station entry's members, in the order JSON and CSV give them. The
/// CSV leaves out the identifier: its StationId column holds it already.
/// The positions in decimal degrees come last, so that the columns before
/// them keep their places.
// clang-format off
inline constexpr StationMember kStationMembers[] = {
    {"Id", offsetof(StationEntry, Id), sizeof(StationEntry::Id), StationValue::Text, false},
    {"Name", offsetof(StationEntry, Name), sizeof(StationEntry::Name), StationValue::Text, true},
    {"State", offsetof(StationEntry, State), sizeof(StationEntry::State), StationValue::Text, true},
    {"Latitude", offsetof(StationEntry, Latitude), sizeof(StationEntry::Latitude), StationValue::Text, true},
    {"Longitude", offsetof(StationEntry, Longitude), sizeof(StationEntry::Longitude), StationValue::Text, true},
    {"Elevation", offsetof(StationEntry, Elevation), sizeof(StationEntry::Elevation), StationValue::Int, true},
    {"LatitudeDeg", offsetof(StationEntry, LatitudeDeg), sizeof(double), StationValue::Degrees, true},
    {"LongitudeDeg", offsetof(StationEntry, LongitudeDeg), sizeof(double), StationValue::Degrees, true},
};
// clang-format on

/// The stations of one directory file, keyed by upper-case identifier; the
/// first line of an identifier wins. Immutable once read, so any number of
/// threads may share one.
class StationTable {
 public:
  /// Read() parses the open file `fd` (from its current position); nullptr,
  /// with errno set, when the file cannot be read to its end.
  [[nodiscard]] static std::shared_ptr<const StationTable> Read(int fd);
  /// Find() is the station with identifier `id` (letter case ignored; at
  /// least four characters, the first four compared), or nullptr.
  [[nodiscard]] const StationEntry* Find(const char* id) const;
  [[nodiscard]] std::size_t Size() const { return entries_.size(); }

 private:
  // Adds the station unless its identifier is already in.
  void Insert(uint32_t key, const StationEntry& entry);

  // The entries in file order, found through an open-addressing table:
  // each slot holds an identifier key in its high half and the entry's
  // index plus one in its low half (0: empty); at most half the slots are
  // used. A lookup touches one or two cache lines, where a node-based map
  // costs a pointer chase per report.
  std::vector<StationEntry> entries_;
  std::vector<uint64_t> slots_;
};

/// A station directory file: fixed-column lines, "!" comments and a
/// "CD  STATION" header line. The file is opened on every lookup, so edits
/// show at once; its parsed contents are kept while the file is unchanged
/// (same inode, size and modification time), so a lookup costs an open and
/// a stat rather than a scan.
class StationDirectory {
 public:
  /// A directory read from "stations.txt" beside the program, the path
  /// being settled on the first lookup.
  StationDirectory() = default;
  /// A directory read from `path`.
  explicit StationDirectory(std::string path) : path_(std::move(path)) {}
  /// A directory fixed to `table`, read once by Snapshot(): lookups touch no
  /// file. A null table finds nothing and says nothing (Snapshot() has
  /// reported why).
  explicit StationDirectory(std::shared_ptr<const StationTable> table)
      : fixed_(true), table_(std::move(table)) {}

  /// Snapshot() reads `path` (the default directory when empty) once, for
  /// batches that decode many reports: nullptr, with one diagnostic line,
  /// when it cannot be read.
  [[nodiscard]] static std::shared_ptr<const StationTable> Snapshot(std::string path);

  /// ReadFile() reads the file `path` whole, saying nothing: 0 and the table,
  /// or the system error code (EISDIR for a folder) and no table.
  [[nodiscard]] static int ReadFile(const std::string& path,
                                    std::shared_ptr<const StationTable>* table);

  /// LookupStation() returns the entry of the first station line whose
  /// identifier (columns 21-24) equals `id`, ignoring letter case, or
  /// nullptr. The entry stays valid until the next lookup. A file that
  /// cannot be read gives nullptr and one diagnostic line.
  const StationEntry* LookupStation(const char* id);

  /// Path() is the file used, empty before the first lookup of a default
  /// directory.
  [[nodiscard]] const std::string& Path() const { return path_; }

 private:
  struct FileIdentity {
    uint64_t device = 0, inode = 0, size = 0;
    int64_t modifiedSeconds = -1, modifiedNanoseconds = 0;
    bool operator==(const FileIdentity&) const = default;
  };
  // Opens the file for reading; -1 with errno set (EISDIR for a folder).
  static int OpenFile(const std::string& path, FileIdentity* identity);

  std::string path_;
  bool fixed_ = false;
  FileIdentity loaded_;
  std::shared_ptr<const StationTable> table_;
  StationEntry entry_{};
};

/// DefaultStationDirectoryPath() is where a default directory is read:
/// stations.txt beside the program or, for an installed program, in the
/// installation's data folder (../share/tarvik/) when only that exists.
/// Empty when the program's path is unknown.
[[nodiscard]] std::string DefaultStationDirectoryPath();

/// ParseStationLine() reads one line (without its line end) into `entry`
/// and `key`. False for comments, the header, short lines, lines longer than
/// 259 characters and lines with fewer than five words from column 40.
bool ParseStationLine(const char* line, std::size_t length, StationEntry& entry, uint32_t& key);

}  // namespace tarvik
