// Any bytes read in the system code page come back as the same bytes when the
// text is written again, so a line survives the trip through the converter.
#include <algorithm>
#include <string>

#include "tests/fuzz/FuzzTarget.h"
#include "text/CodePage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  meshfold::Text text = u"stale text of an earlier line";
  meshfold::AnsiToText(data, size, text);
  FuzzCheck(text.size() <= size, "a text never has more code units than its bytes");
  const bool hasZeroByte = std::find(data, data + size, 0) != data + size;
  const bool hasZeroUnit = text.find(u'\0') != meshfold::Text::npos;
  FuzzCheck(hasZeroUnit == hasZeroByte, "only a 0 byte becomes a 0 code unit");
  std::string bytes = "stale bytes";
  FuzzCheck(meshfold::TextToAnsi(text, bytes), "a text read from bytes converts back");
  FuzzCheck(bytes == std::string(reinterpret_cast<const char*>(data), size), "the same bytes come back");
  return 0;
}
