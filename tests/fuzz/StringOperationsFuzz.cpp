// The string operations against the plain model of their rules, with any
// texts and any 32-bit starts, lengths and counts.
#include <algorithm>
#include <cstring>

#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/StringOperationsModel.h"
#include "text/StringOperations.h"

namespace {

using meshfold::Text;
using meshfold::TextView;
namespace model = meshfold::fuzz;

// Takes the next bytes of the input, as many as there are.
class InputBytes {
 public:
  InputBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  template <typename Value>
  Value Take() {
    uint8_t bytes[sizeof(Value)] = {};
    const size_t count = std::min(sizeof(Value), size_ - at_);
    if (count > 0) std::memcpy(bytes, data_ + at_, count);
    at_ += count;
    Value value;
    std::memcpy(&value, bytes, sizeof(Value));
    return value;
  }

  // The rest as code units, one per byte (narrow) or per byte pair; a 0 unit,
  // which no text holds, becomes a blank.
  Text Rest(bool narrow) {
    Text text;
    while (at_ < size_) {
      char16_t unit = data_[at_++];
      if (!narrow && at_ < size_) unit = static_cast<char16_t>(unit | data_[at_++] << 8);
      text.push_back(unit == 0 ? u' ' : unit);
    }
    return text;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

bool Same(TextView actual, const std::u16string& expected) { return actual == TextView(expected); }

void CheckCuts(const Text& text, int32_t a, int32_t b) {
  FuzzCheck(Same(meshfold::SubText(text, a, b), model::ModelSubText(text, a, b)), "SubText");
  FuzzCheck(Same(meshfold::SubTextToEnd(text, a), model::ModelSubTextToEnd(text, a)), "SubTextToEnd");
  FuzzCheck(Same(meshfold::LeftText(text, a), model::ModelLeftText(text, a)), "LeftText");
}

void CheckSearches(const Text& haystack, const Text& needle, int32_t start) {
  FuzzCheck(meshfold::FindText(haystack, needle, start) == model::ModelFindText(haystack, needle, start),
            "FindText");
  FuzzCheck(meshfold::FindText(haystack, needle) == model::ModelFindText(haystack, needle, 1),
            "FindText from 1");
  FuzzCheck(meshfold::TextEquals(haystack, needle) == model::ModelTextEquals(haystack, needle), "TextEquals");
}

void CheckNumbers(const Text& text, int64_t value) {
  FuzzCheck(meshfold::TextToInteger(text) == model::ModelTextToInteger(text), "TextToInteger");
  const meshfold::IntegerText written = meshfold::IntegerToText(value);
  FuzzCheck(Same(written, model::ModelIntegerToText(value)), "IntegerToText");
  FuzzCheck(meshfold::TextToInteger(written) == value, "IntegerToText read back");
}

void CheckPaths(const Text& path) {
  FuzzCheck(Same(meshfold::DirectoryPart(path), model::ModelDirectoryPart(path)), "DirectoryPart");
  FuzzCheck(Same(meshfold::FilePart(path), model::ModelFilePart(path)), "FilePart");
}

// Joining parts of the target into the target itself must read them before
// it writes, whatever the target's storage does meanwhile.
void CheckSelfJoin(const Text& text, int32_t a, int32_t b) {
  Text target = text;
  const Text expected = model::ModelSubText(text, a, b) + text + model::ModelLeftText(text, b);
  meshfold::JoinTexts(target, {meshfold::SubText(target, a, b), target, meshfold::LeftText(target, b)});
  FuzzCheck(target == expected, "JoinTexts over its own target");
  target = text;
  meshfold::AppendTexts(target, {meshfold::SubTextToEnd(target, a), target});
  FuzzCheck(target == text + model::ModelSubTextToEnd(text, a) + text, "AppendTexts of its own target");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  InputBytes input(data, size);
  const auto flags = input.Take<uint8_t>();
  int32_t a = input.Take<int32_t>();
  int32_t b = input.Take<int32_t>();
  const auto value = input.Take<int64_t>();
  const auto needleLength = input.Take<uint8_t>();
  // Small starts and lengths reach every clamping edge of a short text.
  if ((flags & 2) != 0) a = static_cast<int8_t>(a);
  if ((flags & 4) != 0) b = static_cast<int8_t>(b);
  const Text all = input.Rest((flags & 1) != 0);
  const size_t split = all.size() - std::min<size_t>(needleLength % 8, all.size());
  const Text haystack = all.substr(0, split);
  const Text needle = all.substr(split);
  CheckCuts(haystack, a, b);
  CheckSearches(haystack, needle, a);
  CheckNumbers(haystack, value);
  CheckPaths(haystack);
  CheckSelfJoin(haystack, a, b);
  return 0;
}
