// DecodeBatches: the sequential path and the reader, workers and writer of the parallel one.
#include "cli/BatchDecoder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cassert>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/Diagnostics.h"

namespace tarvik {
namespace {

// Input bytes per batch: large enough that handing batches between threads
// costs nothing next to decoding them, small enough to keep memory low.
constexpr std::size_t kBatchBytes = 64 * 1024;

// A batch holding more input than this holds a line of megabytes. Decoding
// one takes many times its size, so such a batch is decoded alone, and its
// buffers give their room back once it is written: memory then grows with
// the longest line, not with the number of threads or of long lines.
constexpr std::size_t kLongBatch = 1 << 20;

void ReleaseLongBatch(ReportBatch& batch, std::string& out, std::string& diagnostics) {
  if (batch.text.capacity() <= kLongBatch) return;
  // Swapped with empty ones: moving an empty string in keeps the old room.
  std::string().swap(batch.text);
  std::vector<std::size_t>().swap(batch.starts);
  std::vector<ReportPlace>().swap(batch.places);
  std::string().swap(out);
  std::string().swap(diagnostics);
}

// Each line of `lines` after the place, so that every line reads alone.
void AppendPlaced(std::string& diagnostics, const std::string& place, std::string_view lines) {
  while (!lines.empty()) {
    std::size_t end = lines.find('\n');
    end = end == std::string_view::npos ? lines.size() : end + 1;
    diagnostics += place;
    diagnostics += ": ";
    diagnostics += lines.substr(0, end);
    lines.remove_prefix(end);
  }
  if (diagnostics.back() != '\n') diagnostics += '\n';
}

BatchOutcome DecodeSequentially(LineReader& reader, const BatchSettings& settings) {
  BatchOutcome outcome;
  std::unique_ptr<ReportFormatter> formatter = settings.makeFormatter();
  ReportBatch batch;
  std::string out;
  std::string diagnostics;
  while (reader.NextBatch(batch, kBatchBytes)) {
    out.clear();
    diagnostics.clear();
    FormatBatch(*formatter, batch, settings.sourceNames, out, outcome.tally,
                settings.verbose ? &diagnostics : nullptr);
    if (!WriteAll(settings.outputFd, out, &outcome.writeError)) return outcome;
    if (settings.written) settings.written(batch.starts.size(), diagnostics);
    ReleaseLongBatch(batch, out, diagnostics);
  }
  outcome.readError = reader.Error();
  return outcome;
}

// The batches in flight, each in a slot of a ring that the reader fills,
// the workers decode and the writer empties, all in input order.
class Pipeline {
 public:
  explicit Pipeline(const BatchSettings& settings)
      : slots_(static_cast<std::size_t>(settings.jobs) * 4), settings_(settings) {
    for (int i = 0; i < settings.jobs; ++i) {
      workers_.emplace_back(
          [this, formatter = settings.makeFormatter()]() mutable { Work(std::move(formatter)); });
    }
  }

  ~Pipeline() {
    for (int fd : stopPipe_) {
      if (fd >= 0) close(fd);
    }
  }

  BatchOutcome Run(LineReader& reader) {
    // After a write error the reader may be waiting for input that never
    // comes (a terminal, an idle pipe): the stop pipe wakes it.
    if (pipe2(stopPipe_, O_CLOEXEC) == 0) reader.SetStopSignal(stopPipe_[0]);
    std::thread readerThread([this, &reader] { Read(reader); });
    Write();
    if (outcome_.writeError != 0 && stopPipe_[1] >= 0) {
      char wake = 1;
      (void)!write(stopPipe_[1], &wake, 1);
    }
    readerThread.join();
    for (std::thread& worker : workers_) worker.join();
    reader.SetStopSignal(-1);
    outcome_.readError = reader.Error();
    return outcome_;
  }

 private:
  enum class State { Free, Filled, Working, Done };
  // Slots are a cache line apart: two workers fill neighbouring ones.
  struct alignas(64) Slot {
    ReportBatch input;
    std::string output;
    std::string diagnostics;
    ReportTally tally;
    State state = State::Free;
  };

  Slot& SlotOf(uint64_t sequence) { return slots_[sequence % slots_.size()]; }

  void Read(LineReader& reader) {
    for (uint64_t sequence = 0;; ++sequence) {
      Slot& slot = SlotOf(sequence);
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stop_ || slot.state == State::Free; });
        if (stop_) break;
      }
      // A free slot belongs to the reader alone.
      bool more = reader.NextBatch(slot.input, kBatchBytes);
      const bool longLine = slot.input.text.size() > kLongBatch;
      std::unique_lock lock(mutex_);
      if (!more) {
        batches_ = sequence;
        readDone_ = true;
        changed_.notify_all();
        return;
      }
      slot.state = State::Filled;
      changed_.notify_all();
      // A line of megabytes is decoded alone: nothing more is read until it
      // is written and its room given back.
      if (longLine) {
        changed_.wait(lock, [&] { return stop_ || slot.state == State::Free; });
      }
    }
    std::lock_guard lock(mutex_);
    readDone_ = true;
    changed_.notify_all();
  }

  void Work(std::unique_ptr<ReportFormatter> formatter) {
    while (true) {
      uint64_t sequence = 0;
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] {
          return stop_ || (readDone_ && nextWork_ >= batches_) ||
                 SlotOf(nextWork_).state == State::Filled;
        });
        if (stop_ || (readDone_ && nextWork_ >= batches_)) return;
        sequence = nextWork_++;
        SlotOf(sequence).state = State::Working;
      }
      // Each slot keeps its buffers' capacity from batch to batch, so no
      // memory is allocated (or faulted in) once the ring is warm.
      Slot& slot = SlotOf(sequence);
      slot.output.clear();
      slot.diagnostics.clear();
      slot.tally = {};
      FormatBatch(*formatter, slot.input, settings_.sourceNames, slot.output, slot.tally,
                  settings_.verbose ? &slot.diagnostics : nullptr);
      std::lock_guard lock(mutex_);
      slot.state = State::Done;
      changed_.notify_all();
    }
  }

  void Write() {
    for (uint64_t sequence = 0;; ++sequence) {
      Slot& slot = SlotOf(sequence);
      {
        std::unique_lock lock(mutex_);
        changed_.wait(
            lock, [&] { return slot.state == State::Done || (readDone_ && sequence >= batches_); });
        if (slot.state != State::Done) return;  // everything is written
      }
      outcome_.tally.Add(slot.tally);
      bool written = WriteAll(settings_.outputFd, slot.output, &outcome_.writeError);
      if (written && settings_.written)
        settings_.written(slot.input.starts.size(), slot.diagnostics);
      ReleaseLongBatch(slot.input, slot.output, slot.diagnostics);
      std::lock_guard lock(mutex_);
      slot.state = State::Free;
      if (!written) {
        stop_ = true;
        changed_.notify_all();
        return;
      }
      changed_.notify_all();
    }
  }

  std::vector<Slot> slots_;
  std::vector<std::thread> workers_;
  const BatchSettings& settings_;
  int stopPipe_[2] = {-1, -1};
  std::mutex mutex_;
  std::condition_variable changed_;
  bool stop_ = false;
  bool readDone_ = false;
  uint64_t batches_ = UINT64_MAX;  // known once the reader is done
  uint64_t nextWork_ = 0;
  BatchOutcome outcome_;
};

}  // namespace

std::string PlaceText(const ReportPlace& place, const SourceNames& names) {
  if (place.source == kArgumentSource) return "argument " + std::to_string(place.line);
  if (place.source == kFetchedSource) return "fetched report " + std::to_string(place.line);
  std::string text = place.source < names.size() ? names[place.source] : std::string("input");
  return text + ':' + std::to_string(place.line);
}

void ReportTally::Add(const ReportTally& later) {
  if (rejected == 0 && later.rejected != 0) {
    firstRejected = later.firstRejected;
    firstResult = later.firstResult;
  }
  if (outsideMonth == 0 && later.outsideMonth != 0) {
    firstOutsideMonth = later.firstOutsideMonth;
    firstOutsideDay = later.firstOutsideDay;
  }
  reports += later.reports;
  rejected += later.rejected;
  outsideMonth += later.outsideMonth;
  leftOut += later.leftOut;
}

void FormatBatch(ReportFormatter& formatter, const ReportBatch& batch, const SourceNames& names,
                 std::string& out, ReportTally& tally, std::string* diagnostics) {
  assert(batch.places.size() == batch.starts.size() && "every report has its place");
  // What the decoder says about a report is caught here, where its place is
  // known, and never written from a worker thread.
  std::string captured;
  DiagnosticCapture capture(captured);
  tally.reports += batch.starts.size();
  for (std::size_t i = 0; i < batch.starts.size(); ++i) {
    if (!formatter.Format(batch.text.data() + batch.starts[i], out)) {
      if (tally.rejected++ == 0) {
        tally.firstRejected = batch.places[i];
        tally.firstResult = formatter.Result();
      }
    }
    tally.leftOut += formatter.LeftOut() ? 1U : 0U;
    if (const int day = formatter.DayOutsideMonth(); day != 0) {
      if (tally.outsideMonth++ == 0) {
        tally.firstOutsideMonth = batch.places[i];
        tally.firstOutsideDay = day;
      }
    }
    if (!captured.empty()) {
      if (diagnostics != nullptr) {
        AppendPlaced(*diagnostics, PlaceText(batch.places[i], names), captured);
      }
      captured.clear();
    }
  }
}

bool WriteAll(int fd, std::string_view data, int* error) {
  while (!data.empty()) {
    ssize_t written = write(fd, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      *error = errno;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

BatchOutcome DecodeBatches(LineReader& reader, const BatchSettings& settings) {
  if (settings.jobs <= 1) return DecodeSequentially(reader, settings);
  Pipeline pipeline(settings);
  return pipeline.Run(reader);
}

}  // namespace tarvik
