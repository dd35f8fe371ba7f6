#include "converter/obj/ReadObjFile.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "converter/obj/ExtractRecord.h"
#include "converter/obj/RecordLines.h"
#include "text/TextFileReader.h"

namespace meshfold {

namespace {

// A record as RecordLines gives it: its units and how many lines it took.
struct Record {
  TextView units;
  int64_t lines = 0;
};

// Records read ahead of their extraction: their code units back to back,
// where each ends and how many lines each took. A record of a batch's length
// or more is not copied: its batch holds it alone, borrowed from the reader,
// which reads nothing more until it is extracted.
struct RecordBatch {
  Text units;
  std::vector<size_t> ends;
  std::vector<int64_t> lines;
  Record borrowed;
  bool last = false;  // no record follows this batch's
};

// 128 KB of code units a batch: each hand-over costs a lock and a wake-up,
// and two batches stay in a core's cache.
constexpr size_t BatchUnits = size_t{1} << 16;

// Fills batch with the records that follow, the one held back first; a long
// record that comes after others is held back for the next batch.
void FillBatch(RecordLines& records, RecordBatch& batch, std::optional<Record>& heldBack) {
  batch.units.clear();
  batch.ends.clear();
  batch.lines.clear();
  batch.borrowed = {};
  while (batch.units.size() < BatchUnits && (heldBack || records.More())) {
    Record record = heldBack.value_or(Record{});
    if (heldBack) {
      heldBack.reset();
    } else {
      record.units = records.Next(record.lines);
    }
    if (record.units.size() >= BatchUnits) {
      if (batch.ends.empty()) {
        batch.borrowed = record;
      } else {
        heldBack = record;
      }
      break;
    }
    batch.units.append(record.units);
    batch.ends.push_back(batch.units.size());
    batch.lines.push_back(record.lines);
  }
  batch.last = !heldBack && !records.More();
}

void Extract(Record record, RecordStore& store) {
  ExtractRecord(record.units, store);
  // The record counted as one line, its first: later lines keep their numbers.
  store.LineCount += record.lines - 1;
}

void ExtractBatch(const RecordBatch& batch, RecordStore& store) {
  if (!batch.borrowed.units.empty()) return Extract(batch.borrowed, store);
  const TextView units = batch.units;
  size_t begin = 0;
  for (size_t k = 0; k < batch.ends.size(); ++k) {
    Extract({units.substr(begin, batch.ends[k] - begin), batch.lines[k]}, store);
    begin = batch.ends[k];
  }
}

// Decoding the lines into code units is a good part of a conversion's work
// and needs nothing of the store, so a file of more than one batch is read
// on a second thread while this one extracts: the reader fills one batch
// while the other is extracted. The batch number n lives in slot n % 2.
class ReadAhead {
 public:
  explicit ReadAhead(RecordLines& records) : records_(records) {}

  void Run(RecordStore& store) {
    FillBatch(records_, batches_[0], heldBack_);
    filled_ = 1;
    std::thread reader;
    if (!batches_[0].last) {
      try {
        reader = std::thread([this] { ReadBatches(); });
      } catch (const std::system_error&) {
        return ReadInTurn(store);
      }
    }
    ExtractBatches(store);
    if (reader.joinable()) reader.join();
  }

 private:
  void ReadBatches() {
    for (size_t n = 1;; ++n) {
      WaitUntil([&] { return n - extracted_ < 2; });
      RecordBatch& batch = batches_[n % 2];
      FillBatch(records_, batch, heldBack_);
      const bool last = batch.last;
      const bool borrowed = !batch.borrowed.units.empty();
      Publish(filled_, n + 1);
      if (last) return;
      if (borrowed) WaitUntil([&] { return extracted_ > n; });
    }
  }

  void ExtractBatches(RecordStore& store) {
    for (size_t n = 0;; ++n) {
      WaitUntil([&] { return filled_ > n; });
      const RecordBatch& batch = batches_[n % 2];
      ExtractBatch(batch, store);
      // Read before the slot is handed back: the reader refills it.
      const bool last = batch.last;
      Publish(extracted_, n + 1);
      if (last) return;
    }
  }

  // Without a second thread, one batch at a time.
  void ReadInTurn(RecordStore& store) {
    for (RecordBatch& batch = batches_[0];; FillBatch(records_, batch, heldBack_)) {
      ExtractBatch(batch, store);
      if (batch.last) return;
    }
  }

  void WaitUntil(auto ready) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, ready);
  }

  void Publish(size_t& count, size_t value) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      count = value;
    }
    changed_.notify_one();
  }

  RecordLines& records_;
  RecordBatch batches_[2];
  std::optional<Record> heldBack_;  // the reader's alone
  std::mutex mutex_;
  std::condition_variable changed_;
  // Batches filled and extracted so far; guarded by mutex_.
  size_t filled_ = 0;
  size_t extracted_ = 0;
};

}  // namespace

ObjReadResult ReadObjFile(TextView objPath, RecordStore& store) {
  ObjReadResult result;
  const FileHandle file = OpenTextFile(AnyHandle, objPath, result.error);
  if (file == 0) return result;
  result.opened = true;
  RecordLines records(file);
  ReadAhead(records).Run(store);
  result.error = CloseTextFile(file);
  return result;
}

}  // namespace meshfold
