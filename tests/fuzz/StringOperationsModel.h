#pragma once
// A plain model of the clamping rules of the string operations, written from
// the rules themselves: one code unit at a time, in 64-bit arithmetic, with no
// shortcut that the real operations might share.

#include <cstdint>
#include <string>

namespace meshfold::fuzz {

// Each Model<Operation> gives what <Operation> must give for the same arguments.

std::u16string ModelSubText(const std::u16string& text, int32_t start, int32_t length);
std::u16string ModelSubTextToEnd(const std::u16string& text, int32_t start);
std::u16string ModelLeftText(const std::u16string& text, int32_t count);
int64_t ModelFindText(const std::u16string& haystack, const std::u16string& needle, int32_t start);
bool ModelTextEquals(const std::u16string& a, const std::u16string& b);
int64_t ModelTextToInteger(const std::u16string& text);
std::u16string ModelIntegerToText(int64_t value);
std::u16string ModelDirectoryPart(const std::u16string& path);
std::u16string ModelFilePart(const std::u16string& path);

}  // namespace meshfold::fuzz
