#include "tests/support/FakeOsFiles.h"

#include <algorithm>

namespace meshfold::testing {

namespace {

struct OpenFile {
  Text path;
  int64_t position = 0;
  bool open = true;
};

FakeOsFiles* active = nullptr;
std::vector<OpenFile> openFiles;  // a handle is 100 + its index
constexpr OsHandle FirstHandle = 100;

// Counts a call and says whether it is the one that must fail.
bool Fails(FakeCall kind, OsError& error) {
  const int index = active->calls[static_cast<int>(kind)]++;
  const bool fails = active->failKind == kind && active->failAt >= 0 &&
                     (index == active->failAt || (active->failFromThenOn && index > active->failAt));
  if (fails) error = active->failError;
  return fails;
}

OpenFile* Find(OsHandle file) {
  const auto index = static_cast<size_t>(file - FirstHandle);
  return index < openFiles.size() && openFiles[index].open ? &openFiles[index] : nullptr;
}

OsHandle Open(TextView path, OsOpenMode mode, OsError& error) {
  active->opens.push_back(mode);
  if (Fails(FakeCall::Open, error)) return InvalidOsHandle;
  if (active->files.count(Text(path)) == 0 && mode != OsOpenMode::CreateAlways) {
    error = 2;
    return InvalidOsHandle;
  }
  FakeFile& file = active->files[Text(path)];
  if (file.locked) {
    error = 32;
    return InvalidOsHandle;
  }
  file.locked = true;
  if (mode != OsOpenMode::ReadExisting) file.bytes.clear();
  openFiles.push_back(OpenFile{Text(path)});
  return FirstHandle + static_cast<OsHandle>(openFiles.size()) - 1;
}

int32_t Read(OsHandle handle, uint8_t* destination, int32_t count, OsError& error) {
  active->readSizes.push_back(count);
  OpenFile* file = Find(handle);
  if (Fails(FakeCall::Read, error) || file == nullptr) return 0;
  const std::string& bytes = active->files[file->path].bytes;
  const int64_t delivered =
      std::clamp<int64_t>(static_cast<int64_t>(bytes.size()) - file->position, 0, count);
  std::copy_n(bytes.data() + file->position, delivered, destination);
  file->position += delivered;
  return static_cast<int32_t>(delivered);
}

bool Write(OsHandle handle, const uint8_t* source, size_t count, OsError& error) {
  active->writes.emplace_back(reinterpret_cast<const char*>(source), count);
  OpenFile* file = Find(handle);
  if (Fails(FakeCall::Write, error) || file == nullptr) return false;
  std::string& bytes = active->files[file->path].bytes;
  bytes.resize(std::max(bytes.size(), static_cast<size_t>(file->position) + count));
  std::copy_n(source, count, bytes.data() + file->position);
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
  if (file != nullptr) active->files[file->path].locked = file->open = false;
  return !Fails(FakeCall::Close, error) && file != nullptr;
}

bool SameFile(TextView a, TextView b) { return a == b; }

std::unique_ptr<uint8_t[]> NewBuffer(size_t count) {
  return active->noBuffers ? nullptr : NewFileBuffer(count);
}

// The files whose path is folder and a name without a separator.
bool ListFolder(TextView folder, std::vector<Text>& names, OsError& /*error*/) {
  for (const auto& [path, file] : active->files)
    if (path.starts_with(folder) && path.find(u'/', folder.size()) == Text::npos)
      names.push_back(path.substr(folder.size()));
  return true;
}

constexpr OsFileCalls FakeCalls = {Open, Read, Write, Move, Close, SameFile, NewBuffer, ListFolder};

}  // namespace

ScopedFakeOsFiles::ScopedFakeOsFiles(FakeOsFiles& fake)
    : previous_(InstallOsFileCalls(&FakeCalls)), previousFake_(active) {
  active = &fake;
}

ScopedFakeOsFiles::~ScopedFakeOsFiles() {
  InstallOsFileCalls(previous_);
  active = previousFake_;
  // Handles die with the last fake, so that a fuzzer's many runs do not pile up.
  if (active == nullptr) openFiles.clear();
}

}  // namespace meshfold::testing
