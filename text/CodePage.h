#pragma once
// Conversion between texts and bytes in the system's code page (code page 0).
// On Windows that is the ANSI code page; elsewhere it is UTF-8, where every
// byte that is not part of valid UTF-8 becomes a code unit of its own
// (U+DC80 to U+DCFF) and turns back into the same byte.

#include <cstddef>
#include <cstdint>
#include <string>

#include "text/Text.h"

namespace meshfold {

// text becomes the characters of count bytes; "" when there are none.
void AnsiToText(const uint8_t* bytes, size_t count, Text& text);

// bytes becomes the encoding of text; characters the code page cannot hold
// become its default character. False, with bytes empty, when the platform
// cannot convert the text at all.
bool TextToAnsi(TextView text, std::string& bytes);

// The bytes of text in the code page, as the system's calls take paths and
// arguments; "" when it cannot be converted.
std::string AnsiBytes(TextView text);

}  // namespace meshfold
