#include <cstring>
#include <vector>

#include "app/Program.h"
#include "text/CodePage.h"

// Arguments arrive as bytes in the system's code page, like file names.
int main(int argc, char** argv) {
  std::vector<meshfold::Text> arguments(argc > 1 ? static_cast<size_t>(argc - 1) : 0);
  for (size_t index = 0; index < arguments.size(); ++index) {
    const char* bytes = argv[index + 1];
    meshfold::AnsiToText(reinterpret_cast<const uint8_t*>(bytes), std::strlen(bytes), arguments[index]);
  }
  return meshfold::RunProgram(arguments);
}
