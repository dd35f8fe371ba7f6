#include "text/CodePage.h"

namespace meshfold {

std::string AnsiBytes(TextView text) {
  std::string bytes;
  TextToAnsi(text, bytes);
  return bytes;
}

}  // namespace meshfold
