#pragma once
// The POV-Ray include file: three comment lines, an empty line, the
// declaration of the mesh as a union, one smooth_triangle per face, "   }".

#include <array>

#include "converter/RecordStore.h"
#include "text/OsFiles.h"
#include "text/Text.h"

namespace meshfold {

// The texts whose join is the smooth_triangle line of face: the vector texts
// of its corners and what stands between them; a corner that names no record
// leaves its place empty. They view store.
using TriangleLinePieces = std::array<TextView, 13>;
TriangleLinePieces TriangleLine(const RecordStore& store, const FaceCorners& face);

// line becomes the smooth_triangle line of face, the join of TriangleLine.
void BuildTriangleLine(const RecordStore& store, const FaceCorners& face, Text& line);

// Creates or replaces the file at includePath and writes the mesh of store,
// declared as baseName. Returns 0 when every byte reached the file, else the
// platform error that stopped the creation or the first write that failed.
OsError WriteIncludeFile(TextView includePath, TextView baseName, const RecordStore& store);

}  // namespace meshfold
