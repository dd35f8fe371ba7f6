#pragma once
// What the first bytes of an image file say of it: whether POV-Ray 3.7 can
// read it, judged by the header each of its formats begins with, so that no
// scene names an image POV-Ray stops on.

#include <cstdint>

#include "text/Text.h"

namespace meshfold {

// How the head of an image file was judged.
struct ImageHeader {
  TextView kind;  // the keyword POV-Ray reads the image with ("png", "jpeg"); "" for a format it cannot read
  TextView broken;  // what in the header of a kind is wrong; "" when nothing is
};

// Judges the image whose first count bytes are bytes; whole says that they
// are the whole file, so that a header cut short is broken rather than read
// only in part. A Targa file has no mark of its own: name must end in ".tga".
ImageHeader JudgeImageHeader(const uint8_t* bytes, int32_t count, bool whole, TextView name);

}  // namespace meshfold
