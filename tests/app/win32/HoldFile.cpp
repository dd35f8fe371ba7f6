// Holds a file open with no sharing, as another program might, so that the
// end-to-end test can watch Meshfold meet a file it may not open:
//   HoldFile.exe FILE MARKER
// MARKER is created once FILE is held; the file is let go when MARKER is
// deleted, or after a minute at the most.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  HANDLE held = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (held == INVALID_HANDLE_VALUE) return 1;
  HANDLE marker = CreateFileW(argv[2], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
  for (int tick = 0; tick < 600 && GetFileAttributesW(argv[2]) != INVALID_FILE_ATTRIBUTES; ++tick) Sleep(100);
  CloseHandle(held);
  return 0;
}
