#include "tests/support/FakeOsFiles.h"

#include <algorithm>
#include <cstring>

namespace meshfold::testing {

namespace {

struct OpenFile {
  Text path;
  int64_t position = 0;
  bool open = false;
};

FakeOsFiles* active = nullptr;
std::vector<OpenFile> openFiles;

constexpr OsHandle FirstHandle = 100;

// Counts a call and says whether it is the one that must fail.
bool Fails(FakeCall kind, OsError& error) {
  int& count = active->calls[static_cast<int>(kind)];
  const int index = count++;
  const bool fails = active->failKind == kind && active->failAt >= 0 &&
                     (index == active->failAt || (active->failFromThenOn && index > active->failAt));
  if (fails) error = active->failError;
  return fails;
}

OpenFile* Find(OsHandle file) {
  const int64_t index = file - FirstHandle;
  if (index < 0 || index >= static_cast<int64_t>(openFiles.size())) return nullptr;
  return openFiles[static_cast<size_t>(index)].open ? &openFiles[static_cast<size_t>(index)] : nullptr;
}

OsHandle Open(TextView path, OsOpenMode mode, OsError& error) {
  active->opens.push_back(mode);
  if (Fails(FakeCall::Open, error)) return InvalidOsHandle;
  auto found = active->files.find(Text(path));
  const bool exists = found != active->files.end() && found->second.exists;
  if (!exists && mode != OsOpenMode::CreateAlways) {
    error = 2;
    return InvalidOsHandle;
  }
  FakeFile& file = active->files[Text(path)];
  if (file.locked) {
    error = 32;
    return InvalidOsHandle;
  }
  file.exists = true;
  file.locked = true;
  if (mode != OsOpenMode::ReadExisting) file.bytes.clear();
  openFiles.push_back(OpenFile{Text(path), 0, true});
  return FirstHandle + static_cast<OsHandle>(openFiles.size()) - 1;
}

int32_t Read(OsHandle handle, uint8_t* destination, int32_t count, OsError& error) {
  active->readSizes.push_back(count);
  OpenFile* file = Find(handle);
  if (Fails(FakeCall::Read, error) || file == nullptr) return 0;
  const std::string& bytes = active->files[file->path].bytes;
  const int64_t available = std::max<int64_t>(0, static_cast<int64_t>(bytes.size()) - file->position);
  const int64_t delivered = std::min<int64_t>(available, count);
  std::memcpy(destination, bytes.data() + file->position, static_cast<size_t>(delivered));
  file->position += delivered;
  return static_cast<int32_t>(delivered);
}

bool Write(OsHandle handle, const uint8_t* source, size_t count, OsError& error) {
  active->writes.emplace_back(reinterpret_cast<const char*>(source), count);
  OpenFile* file = Find(handle);
  if (Fails(FakeCall::Write, error) || file == nullptr) return false;
  std::string& bytes = active->files[file->path].bytes;
  if (bytes.size() < static_cast<size_t>(file->position) + count) bytes.resize(file->position + count);
  std::memcpy(bytes.data() + file->position, source, count);
  file->position += static_cast<int64_t>(count);
  return true;
}

bool Move(OsHandle handle, int64_t distance, OsError& error) {
  active->moves.push_back(distance);
  OpenFile* file = Find(handle);
  if (Fails(FakeCall::Move, error) || file == nullptr) return false;
  if (file->position + distance < 0) {
    error = 22;  // as lseek refuses a position before the start
    return false;
  }
  file->position += distance;
  return true;
}

bool Close(OsHandle handle, OsError& error) {
  OpenFile* file = Find(handle);
  if (file != nullptr) {
    active->files[file->path].locked = false;
    file->open = false;
  }
  return !Fails(FakeCall::Close, error) && file != nullptr;
}

bool SameFile(TextView a, TextView b) { return a == b; }

constexpr OsFileCalls FakeCalls = {Open, Read, Write, Move, Close, SameFile};

}  // namespace

ScopedFakeOsFiles::ScopedFakeOsFiles(FakeOsFiles& fake)
    : previous_(InstallOsFileCalls(&FakeCalls)), previousFake_(active) {
  active = &fake;
}

ScopedFakeOsFiles::~ScopedFakeOsFiles() {
  InstallOsFileCalls(previous_);
  active = previousFake_;
  // Handles are not kept beyond the fake's life, so runs of many fakes (a
  // fuzzer's) do not pile up the files of all earlier runs.
  if (active == nullptr) openFiles.clear();
}

}  // namespace meshfold::testing
