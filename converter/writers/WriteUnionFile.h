#pragma once
// The union include file: three comment lines (four with a scene), an empty
// line, the declaration of the mesh as a union, the lines of the faces,
// "   }". A face of k corners gives the k - 2 triangles of its cut
// (FaceCutter); a face that cannot give them, and a triangle without area,
// give a comment line that says why; a triangle whose normals POV-Ray would
// refuse is written without them, as a flat triangle.

#include <array>
#include <span>
#include <string>
#include <vector>

#include "converter/ConversionOptions.h"
#include "converter/obj/RecordStore.h"
#include "text/OsFiles.h"
#include "text/Text.h"

namespace meshfold {

// The texts whose join is the line of one triangle, its CR LF included: a
// smooth_triangle of the corners' vector texts when every corner names a
// stored normal with a direction (directed, from DirectedNormals), else a
// triangle of their vertices' vector texts alone. They view store.
struct TriangleLinePieces {
  std::array<AsciiView, 13> pieces;
  size_t count = 0;
  std::span<const AsciiView> View() const { return std::span(pieces.data(), count); }
};
TriangleLinePieces TriangleLine(const RecordStore& store, const std::vector<bool>& directed, const Corner& a,
                                const Corner& b, const Corner& c);

// line becomes the line of the triangle a, b, c, the join of TriangleLine.
void BuildTriangleLine(const RecordStore& store, const std::vector<bool>& directed, const Corner& a,
                       const Corner& b, const Corner& c, std::string& line);

// Creates or replaces the file at includePath and writes the mesh of store,
// declared under the name DeclaredName makes of baseName; options.scene adds
// a comment on turning it into POV-Ray's frame after the comment lines. Returns
// 0 when every byte reached the file, else the platform error that stopped
// the creation or the first write that failed; triangles becomes how many
// triangle lines were written.
OsError WriteUnionFile(TextView includePath, TextView baseName, const RecordStore& store,
                       const ConversionOptions& options, int64_t& triangles);

}  // namespace meshfold
