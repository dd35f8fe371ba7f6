#include <windows.h>
// shellapi.h needs the types that windows.h declares.
#include <shellapi.h>

#include <vector>

#include "app/Program.h"

// Files dropped onto the program's icon arrive as arguments; the command line
// is split the way the shell quotes it.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<meshfold::Text> arguments;
  for (int index = 1; words != nullptr && index < count; ++index) {
    arguments.emplace_back(reinterpret_cast<const char16_t*>(words[index]));
  }
  LocalFree(words);
  return meshfold::RunProgram(arguments);
}
