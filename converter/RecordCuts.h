#pragma once
// The cuts that split an OBJ record text into its fields. Each result is a
// part of the record text given, so nothing is copied.

#include <array>

#include "text/Text.h"

namespace meshfold {

// The three coordinate fields of a vertex or normal record text. x and y keep
// their separating blank; z runs to the end of the record, extra fields included.
struct CoordinateFields {
  TextView x;
  TextView y;
  TextView z;
};

// Splits a record text at its first two blanks.
CoordinateFields CutCoordinates(TextView record);

// A coordinate after the decimal cut: the kept text, then an exponent that
// follows it in the output ("" when the field has none or keeps it anyway).
struct CutCoordinate {
  TextView kept;
  TextView exponent;
};

// Keeps a field up to the third character after its first '.'. A field with
// no '.' stays whole; an exponent ("e-05") survives the cut of its decimals.
CutCoordinate CutDecimals(TextView field);

// The nine fields of a face record: vertex, texture and normal index of each
// corner; the ninth holds the rest of the line after the third normal index.
using FaceFields = std::array<TextView, 9>;

// Cuts a face record text at "/", "/", " ", "/", "/", " ", "/", "/".
FaceFields CutFaceFields(TextView record);

}  // namespace meshfold
