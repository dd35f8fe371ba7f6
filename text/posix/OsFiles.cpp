// POSIX file calls. Windows opens these files with share mode 0; the nearest
// POSIX equal is an exclusive advisory lock (flock), which every cooperating
// program honours. A file is emptied only once its lock is held, so a file
// that another holder has locked is never touched.
//
// The writer above hands over its output 4096 bytes at a time, and one
// write(2) for each was much of the time of converting a large mesh. So the
// bytes of a file opened for writing gather in a batch of its own and reach
// the kernel when the batch is full, and before anything that must meet the
// file as written: a move, a read, the close. An error of such a late write
// is reported by the call that made it.
#include "text/OsFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "text/CodePage.h"

namespace meshfold {

namespace {

int Descriptor(OsHandle file) { return static_cast<int>(file - 1); }

int OpenFlags(OsOpenMode mode) {
  // O_NONBLOCK keeps a FIFO from blocking the open; it is cleared again below.
  const int common = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  switch (mode) {
    case OsOpenMode::ReadExisting:
      return common | O_RDONLY;
    case OsOpenMode::CreateAlways:
      return common | O_RDWR | O_CREAT;
    case OsOpenMode::TruncateExisting:
      return common | O_WRONLY;
  }
  return common | O_RDONLY;
}

// Only regular files are text files here: a directory, FIFO or device would
// read nothing, block, or never end.
OsError CheckRegularFile(int fd) {
  struct stat status {};
  if (fstat(fd, &status) != 0) return errno;
  if (S_ISDIR(status.st_mode)) return EISDIR;
  return S_ISREG(status.st_mode) ? 0 : NotRegularFileError;
}

OsError LockExclusively(int fd) {
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) return 0;
  if (errno == EWOULDBLOCK) return FileInUseError;
  // File systems without locks still let us work, unshared as on Windows.
  return 0;
}

OsError PrepareOpenFile(int fd, OsOpenMode mode) {
  OsError error = CheckRegularFile(fd);
  if (error == 0) error = LockExclusively(fd);
  if (error == 0 && mode != OsOpenMode::ReadExisting && ftruncate(fd, 0) != 0) error = errno;
  if (error == 0 && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) error = errno;
  return error;
}

bool WriteDirectly(int fd, const uint8_t* source, size_t count, OsError& error) {
  while (count > 0) {
    const ssize_t written = ::write(fd, source, count);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      error = written < 0 ? errno : ENOSPC;
      return false;
    }
    source += written;
    count -= static_cast<size_t>(written);
  }
  return true;
}

// Batches of 128 KiB to 1 MiB measured alike, the system calls no longer
// counting; 256 KiB still fits a core's second-level cache between our copy
// in and the kernel's copy out.
constexpr size_t BatchSize = size_t{1} << 18;

struct Batch {
  int fd = -1;  // -1: a free slot
  std::unique_ptr<uint8_t[]> bytes;
  size_t used = 0;
};

// The program writes one file at a time; a file that finds no free slot, or
// no memory for its batch, is written directly.
Batch batches[4];

Batch* BatchOf(int fd) {
  for (Batch& batch : batches) {
    if (batch.fd == fd) return &batch;
  }
  return nullptr;
}

void StartBatch(int fd) {
  Batch* slot = BatchOf(-1);
  if (slot == nullptr) return;
  slot->bytes = NewFileBuffer(BatchSize);
  if (slot->bytes != nullptr) slot->fd = fd;
}

// The bytes of a failed write are dropped, as a direct write would have lost
// them; writing them again later could only put them out of order.
bool FlushBatch(int fd, OsError& error) {
  Batch* batch = BatchOf(fd);
  if (batch == nullptr || batch->used == 0) return true;
  return WriteDirectly(fd, batch->bytes.get(), std::exchange(batch->used, 0), error);
}

void EndBatch(int fd) {
  Batch* batch = BatchOf(fd);
  if (batch != nullptr) *batch = Batch{};
}

OsHandle Open(TextView path, OsOpenMode mode, OsError& error) {
  const int fd = ::open(AnsiBytes(path).c_str(), OpenFlags(mode), 0666);
  if (fd < 0) {
    error = errno;
    return InvalidOsHandle;
  }
  error = PrepareOpenFile(fd, mode);
  if (error != 0) {
    ::close(fd);
    return InvalidOsHandle;
  }
  if (mode != OsOpenMode::ReadExisting) StartBatch(fd);
  // Descriptor 0 is a valid file here, but 0 names no file to our callers.
  return fd + 1;
}

int32_t Read(OsHandle file, uint8_t* destination, int32_t count, OsError& error) {
  if (!FlushBatch(Descriptor(file), error)) return 0;
  for (;;) {
    const ssize_t delivered = ::read(Descriptor(file), destination, static_cast<size_t>(count));
    if (delivered >= 0) return static_cast<int32_t>(delivered);
    if (errno != EINTR) {
      error = errno;
      return 0;
    }
  }
}

bool Write(OsHandle file, const uint8_t* source, size_t count, OsError& error) {
  const int fd = Descriptor(file);
  Batch* batch = BatchOf(fd);
  if (batch == nullptr) return WriteDirectly(fd, source, count, error);
  if (count > BatchSize - batch->used && !FlushBatch(fd, error)) return false;
  if (count >= BatchSize) return WriteDirectly(fd, source, count, error);
  std::memcpy(batch->bytes.get() + batch->used, source, count);
  batch->used += count;
  return true;
}

bool Move(OsHandle file, int64_t distance, OsError& error) {
  if (!FlushBatch(Descriptor(file), error)) return false;
  if (lseek(Descriptor(file), static_cast<off_t>(distance), SEEK_CUR) >= 0) return true;
  error = errno;
  return false;
}

// The descriptor is closed even when its last bytes could not be written.
bool Close(OsHandle file, OsError& error) {
  const bool written = FlushBatch(Descriptor(file), error);
  EndBatch(Descriptor(file));
  if (::close(Descriptor(file)) == 0 || errno == EINTR) return written;
  if (written) error = errno;
  return false;
}

bool SameFile(TextView a, TextView b) {
  if (a == b) return true;
  struct stat first {};
  struct stat second {};
  if (stat(AnsiBytes(a).c_str(), &first) != 0 || stat(AnsiBytes(b).c_str(), &second) != 0) return false;
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool ListFolder(TextView folder, std::vector<Text>& names, OsError& error) {
  DIR* listing = opendir(folder.empty() ? "." : AnsiBytes(folder).c_str());
  if (listing == nullptr) {
    error = errno;
    return false;
  }
  while (const dirent* entry = readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    AnsiToText(reinterpret_cast<const uint8_t*>(name.data()), name.size(), names.emplace_back());
  }
  closedir(listing);
  return true;
}

constexpr OsFileCalls PosixCalls = {Open, Read, Write, Move, Close, SameFile, NewFileBuffer, ListFolder};

}  // namespace

const OsFileCalls& PlatformOsFileCalls() { return PosixCalls; }

Text PlatformErrorText(OsError error) {
  const char* description = std::strerror(static_cast<int>(error));
  Text text;
  AnsiToText(reinterpret_cast<const uint8_t*>(description), std::strlen(description), text);
  return text;
}

}  // namespace meshfold
