// Windows file calls. Every file is opened with share mode 0, so no other
// holder can open it while it is open, and no open of ours succeeds while
// another holder has it.
#include "text/OsFiles.h"

#include <windows.h>

#include <string>

namespace meshfold {

namespace {

// The largest piece handed to one WriteFile, whose count is a DWORD.
constexpr size_t WritePieceLimit = size_t{1} << 30;

const wchar_t* WidePath(const Text& path) { return reinterpret_cast<const wchar_t*>(path.c_str()); }

HANDLE Native(OsHandle file) { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(file)); }

OsHandle Ours(HANDLE file) { return static_cast<OsHandle>(reinterpret_cast<intptr_t>(file)); }

HANDLE CreateFor(const Text& path, OsOpenMode mode) {
  switch (mode) {
    case OsOpenMode::ReadExisting:
      return CreateFileW(WidePath(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
    case OsOpenMode::CreateAlways:
      return CreateFileW(WidePath(path), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    case OsOpenMode::TruncateExisting:
      return CreateFileW(WidePath(path), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr);
  }
  return INVALID_HANDLE_VALUE;
}

OsHandle Open(TextView path, OsOpenMode mode, OsError& error) {
  const HANDLE file = CreateFor(Text(path), mode);
  if (file == INVALID_HANDLE_VALUE || file == nullptr) {
    error = GetLastError();
    return InvalidOsHandle;
  }
  return Ours(file);
}

int32_t Read(OsHandle file, uint8_t* destination, int32_t count, OsError& error) {
  DWORD delivered = 0;
  if (!ReadFile(Native(file), destination, static_cast<DWORD>(count), &delivered, nullptr)) {
    error = GetLastError();
    return 0;
  }
  return static_cast<int32_t>(delivered);
}

bool Write(OsHandle file, const uint8_t* source, size_t count, OsError& error) {
  while (count > 0) {
    const DWORD piece = static_cast<DWORD>(count < WritePieceLimit ? count : WritePieceLimit);
    DWORD written = 0;
    if (!WriteFile(Native(file), source, piece, &written, nullptr)) {
      error = GetLastError();
      return false;
    }
    if (written == 0) {
      error = ERROR_HANDLE_DISK_FULL;
      return false;
    }
    source += written;
    count -= written;
  }
  return true;
}

bool Move(OsHandle file, int64_t distance, OsError& error) {
  LONG high = static_cast<LONG>(distance >> 32);
  const LONG low = static_cast<LONG>(static_cast<uint32_t>(distance));
  // INVALID_SET_FILE_POINTER is also a valid low part; only the error tells.
  SetLastError(NO_ERROR);
  if (SetFilePointer(Native(file), low, &high, FILE_CURRENT) != INVALID_SET_FILE_POINTER) return true;
  const DWORD failure = GetLastError();
  if (failure == NO_ERROR) return true;
  error = failure;
  return false;
}

bool Close(OsHandle file, OsError& error) {
  if (CloseHandle(Native(file))) return true;
  error = GetLastError();
  return false;
}

// Opening with no access and full sharing works even on a file that another
// holder has open with share mode 0, and on folders.
bool Identify(TextView path, BY_HANDLE_FILE_INFORMATION& information) {
  const HANDLE file =
      CreateFileW(WidePath(Text(path)), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool known = GetFileInformationByHandle(file, &information) != 0;
  CloseHandle(file);
  return known;
}

bool SameFile(TextView a, TextView b) {
  if (a == b) return true;
  BY_HANDLE_FILE_INFORMATION first{};
  BY_HANDLE_FILE_INFORMATION second{};
  if (!Identify(a, first) || !Identify(b, second)) return false;
  return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

bool ListFolder(TextView folder, std::vector<Text>& names, OsError& error) {
  WIN32_FIND_DATAW entry{};
  const HANDLE listing = FindFirstFileW(WidePath(Text(folder) + u"*"), &entry);
  if (listing == INVALID_HANDLE_VALUE) {
    error = GetLastError();
    return false;
  }
  do {
    const Text name(reinterpret_cast<const char16_t*>(entry.cFileName));
    if (name != u"." && name != u"..") names.push_back(name);
  } while (FindNextFileW(listing, &entry));
  FindClose(listing);
  return true;
}

constexpr OsFileCalls Win32Calls = {Open, Read, Write, Move, Close, SameFile, NewFileBuffer, ListFolder};

bool IsTrailing(char16_t unit) { return unit == u'\r' || unit == u'\n' || unit == u' ' || unit == u'.'; }

}  // namespace

const OsFileCalls& PlatformOsFileCalls() { return Win32Calls; }

Text PlatformErrorText(OsError error) {
  wchar_t* description = nullptr;
  const DWORD flags =
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  const DWORD length = FormatMessageW(flags, nullptr, static_cast<DWORD>(error), 0,
                                      reinterpret_cast<wchar_t*>(&description), 0, nullptr);
  Text text;
  if (length > 0 && description != nullptr)
    text.assign(reinterpret_cast<const char16_t*>(description), length);
  if (description != nullptr) LocalFree(description);
  // Messages end with a period and CR LF, which the caller's line does not want.
  while (!text.empty() && IsTrailing(text.back())) text.pop_back();
  if (text.empty()) {
    const std::string number = "error " + std::to_string(static_cast<DWORD>(error));
    text.assign(number.begin(), number.end());
  }
  return text;
}

}  // namespace meshfold
