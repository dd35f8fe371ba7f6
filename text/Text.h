#pragma once
// Text values: sequences of UTF-16 code units that never hold the code unit 0.

#include <cstdint>
#include <string>
#include <string_view>

namespace meshfold {

// An owning text. Assignment copies; a variable keeps its storage and reuses it
// on later assignments, so a loop that reassigns one variable does not allocate.
using Text = std::u16string;

// A borrowed text: what every operation takes, and what the cutting operations
// return (a part of their argument, valid while the argument is).
using TextView = std::u16string_view;

// A borrowed text of ASCII characters kept as their bytes: the vector texts
// of a mesh, which are numbers by construction, and which the writers copy to
// the files as they are, ASCII being the same in every code page.
using AsciiView = std::string_view;

// Code unit constants that the converter and the dialogs test for.
inline constexpr char16_t CarriageReturn = u'\r';
inline constexpr char16_t LineFeed = u'\n';

}  // namespace meshfold
