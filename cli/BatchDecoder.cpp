// DecodeBatches: the sequential path and the reader, workers and writer of the parallel one.
#include "cli/BatchDecoder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tarvik {
namespace {

// Input bytes per batch: large enough that handing batches between threads
// costs nothing next to decoding them, small enough to keep memory low.
constexpr std::size_t kBatchBytes = 64 * 1024;

bool FormatBatch(ReportFormatter& formatter, const ReportBatch& batch, std::string& out) {
  bool anyRejected = false;
  for (std::size_t start : batch.starts) {
    if (!formatter.Format(batch.text.data() + start, out)) anyRejected = true;
  }
  return anyRejected;
}

BatchOutcome DecodeSequentially(LineReader& reader, const FormatterFactory& makeFormatter,
                                int outputFd, const BatchWritten& written) {
  BatchOutcome outcome;
  std::unique_ptr<ReportFormatter> formatter = makeFormatter();
  ReportBatch batch;
  std::string out;
  while (reader.NextBatch(batch, kBatchBytes)) {
    out.clear();
    if (FormatBatch(*formatter, batch, out)) outcome.anyRejected = true;
    if (!WriteAll(outputFd, out, &outcome.writeError)) return outcome;
    if (written) written(batch.starts.size());
  }
  outcome.readError = reader.Error();
  return outcome;
}

// The batches in flight, each in a slot of a ring that the reader fills,
// the workers decode and the writer empties, all in input order.
class Pipeline {
 public:
  Pipeline(int jobs, const FormatterFactory& makeFormatter, int outputFd,
           const BatchWritten& written)
      : slots_(static_cast<std::size_t>(jobs) * 4), outputFd_(outputFd), written_(written) {
    for (int i = 0; i < jobs; ++i) {
      workers_.emplace_back(
          [this, formatter = makeFormatter()]() mutable { Work(std::move(formatter)); });
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
    bool rejected = false;
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
      std::lock_guard lock(mutex_);
      if (!more) {
        batches_ = sequence;
        readDone_ = true;
        changed_.notify_all();
        return;
      }
      slot.state = State::Filled;
      changed_.notify_all();
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
      slot.rejected = FormatBatch(*formatter, slot.input, slot.output);
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
      if (slot.rejected) outcome_.anyRejected = true;
      bool written = WriteAll(outputFd_, slot.output, &outcome_.writeError);
      if (written && written_) written_(slot.input.starts.size());
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
  int outputFd_;
  const BatchWritten& written_;
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

BatchOutcome DecodeBatches(LineReader& reader, int jobs, const FormatterFactory& makeFormatter,
                           int outputFd, const BatchWritten& written) {
  if (jobs <= 1) return DecodeSequentially(reader, makeFormatter, outputFd, written);
  Pipeline pipeline(jobs, makeFormatter, outputFd, written);
  return pipeline.Run(reader);
}

}  // namespace tarvik
