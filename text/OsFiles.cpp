#include "text/OsFiles.h"

#include <new>

namespace meshfold {

namespace {

const OsFileCalls* installedCalls = nullptr;

}  // namespace

const OsFileCalls& OsFiles() { return installedCalls != nullptr ? *installedCalls : PlatformOsFileCalls(); }

const OsFileCalls* InstallOsFileCalls(const OsFileCalls* calls) {
  const OsFileCalls* previous = installedCalls;
  installedCalls = calls;
  return previous;
}

Text OsErrorText(OsError error) {
  if (error == NotRegularFileError) return u"Not a regular file";
  if (error == FileInUseError) return u"The file is in use by another program";
  Text text = error > 0 ? PlatformErrorText(error) : Text();
  return text.empty() ? Text(u"unknown error") : text;
}

OsError ReadLeadingBytes(TextView path, uint8_t* bytes, int32_t count, int32_t& read) {
  OsError error = 0;
  read = 0;
  const OsHandle file = OsFiles().open(path, OsOpenMode::ReadExisting, error);
  if (!NamesFile(file)) return error != 0 ? error : UnknownError;
  read = OsFiles().read(file, bytes, count, error);
  OsError closing = 0;
  OsFiles().close(file, closing);
  return error;
}

std::unique_ptr<uint8_t[]> NewFileBuffer(size_t count) {
  return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[count]);
}

}  // namespace meshfold
