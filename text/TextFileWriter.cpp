#include "text/TextFileWriter.h"

#include <cstring>

#include "text/CodePage.h"
#include "text/CopyUnits.h"

namespace meshfold {

namespace {

constexpr TextView LineEnd = u"\r\n";

// The most code units of pieces joined before one conversion: far above a
// triangle line of a sound mesh, far below the pieces of a damaged one.
constexpr size_t JoinedPiecesLimit = 4096;

// Moves the file position back over bytes read ahead and not consumed, so that
// writing starts where reading stopped.
void SwitchToWriting(FileRecord& record) {
  OsError error = 0;
  if (!OsFiles().move(record.osHandle, -static_cast<int64_t>(record.count), error)) {
    RememberError(record, error);
  }
  record.mode = WritingMode;
  record.count = record.bufferSize;
}

// Keeps a piece in the buffer only while it fits with a byte to spare; a piece
// of a whole buffer or more goes to the file at once, after the pending bytes.
void BufferedWrite(FileRecord& record, const uint8_t* bytes, size_t count) {
  if (record.readOnly != 0) return;
  if (record.mode == ReadingMode) SwitchToWriting(record);
  if (count >= static_cast<size_t>(record.count)) {
    Flush(record);
    if (count >= static_cast<size_t>(record.bufferSize)) {
      WriteToFile(record, bytes, count);
      return;
    }
  }
  std::memcpy(record.buffer.get() + (record.bufferSize - record.count), bytes, count);
  record.count -= static_cast<int32_t>(count);
}

void WriteBytes(FileRecord& record, std::string_view text) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  if (record.buffer == nullptr) {
    if (record.readOnly == 0) WriteToFile(record, bytes, text.size());
  } else {
    BufferedWrite(record, bytes, text.size());
  }
}

void WriteText(FileRecord& record, TextView text, std::string& store) {
  if (text.empty()) return;
  if (TextToAnsi(text, store)) WriteBytes(record, store);
}

// When both attempts fail, the first one's error is the one to report: the
// second only serves a file that exists, and where none does it fails with
// "not found", which would hide why the file could not be created.
OsHandle CreateFile(TextView path, OsError& error) {
  const OsHandle first = OsFiles().open(path, OsOpenMode::CreateAlways, error);
  if (NamesFile(first)) return first;
  OsError secondError = 0;
  const OsHandle second = OsFiles().open(path, OsOpenMode::TruncateExisting, secondError);
  if (NamesFile(second)) {
    error = 0;
  } else if (error == 0) {
    error = secondError;
  }
  return second;
}

// joined becomes the join of pieces, whose lengths add up to total.
void JoinPieces(Text& joined, std::span<const TextView> pieces, size_t total) {
  joined.resize(total);
  char16_t* out = joined.data();
  for (TextView piece : pieces) out = CopyUnits(out, piece);
}

// Short pieces are still joined and converted together; a piece too long to
// join goes out on its own, so no copy of it is made beyond its bytes.
void WriteLongPieces(FileRecord& record, std::span<const TextView> pieces) {
  Text& joined = record.joinedPieces;
  joined.clear();
  for (TextView piece : pieces) {
    if (joined.size() + piece.size() > JoinedPiecesLimit) {
      WriteText(record, joined, record.lineBytes);
      joined.clear();
    }
    if (piece.size() > JoinedPiecesLimit) {
      WriteText(record, piece, record.lineBytes);
    } else {
      joined.append(piece);
    }
  }
  WriteText(record, joined, record.lineBytes);
}

}  // namespace

FileHandle CreateTextFile(FileHandle request, TextView path, OsError& error) {
  error = request == AnyHandle ? 0 : UnknownError;
  if (request != AnyHandle) return 0;
  const FileHandle file = AddOpenFile(CreateFile(path, error), 0);
  if (file == 0 && error == 0) error = UnknownError;
  return file;
}

bool WouldReplace(TextView path, TextView other) { return OsFiles().sameFile(path, other); }

void WriteLine(FileHandle handle, TextView text, TextEncoding /*encoding*/) {
  FileRecord* record = FindOpenFile(handle);
  if (record == nullptr) return;
  WriteText(*record, text, record->lineBytes);
  WriteText(*record, LineEnd, record->endBytes);
}

void WriteAscii(FileHandle handle, std::span<const AsciiView> pieces) {
  FileRecord* record = FindOpenFile(handle);
  if (record == nullptr) return;
  for (AsciiView piece : pieces) WriteBytes(*record, piece);
}

void WriteLinePieces(FileHandle handle, std::span<const TextView> pieces, TextEncoding /*encoding*/) {
  FileRecord* record = FindOpenFile(handle);
  if (record == nullptr) return;
  size_t total = 0;
  for (TextView piece : pieces) total += piece.size();
  if (total <= JoinedPiecesLimit) {
    JoinPieces(record->joinedPieces, pieces, total);
    WriteText(*record, record->joinedPieces, record->lineBytes);
  } else {
    WriteLongPieces(*record, pieces);
  }
  WriteText(*record, LineEnd, record->endBytes);
}

}  // namespace meshfold
