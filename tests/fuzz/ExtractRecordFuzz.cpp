// Any lines through ExtractRecord into a store, and every face out again
// through its triangle line.
#include <algorithm>
#include <string>
#include <vector>

#include "converter/ExtractRecord.h"
#include "converter/RecordStore.h"
#include "converter/WriteIncludeFile.h"
#include "tests/fuzz/FuzzTarget.h"
#include "text/CodePage.h"

namespace {

using meshfold::Text;
using meshfold::TextView;

constexpr TextView TrianglePrefix = u"   smooth_triangle { ";
constexpr TextView TriangleSuffix = u" }";
// "<", ", ", ", " and "> " around the three coordinates of a vector text.
constexpr size_t VectorFrame = 7;

// The lines of the input, cut as the reader cuts a file.
std::vector<Text> Lines(const uint8_t* data, size_t size) {
  std::vector<Text> lines;
  size_t begin = 0;
  for (size_t at = 0; at <= size; ++at) {
    if (at == size || data[at] == 0 || data[at] == '\n' || data[at] == '\r') {
      Text line;
      meshfold::AnsiToText(data + begin, at - begin, line);
      lines.push_back(line);
      begin = at + 1;
    }
  }
  return lines;
}

bool StartsWith(TextView text, TextView prefix) { return text.substr(0, prefix.size()) == prefix; }

bool EndsWith(TextView text, TextView suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// A line of the include file must stay one line, whatever the OBJ file held.
bool OneLine(TextView text) { return text.find_first_of(TextView(u"\r\n\0", 3)) == TextView::npos; }

// The kinds a line counts as: the tests run in turn, each on what the one
// before left of the line.
void CountKinds(TextView line, int64_t& vertices, int64_t& normals, int64_t& faces) {
  if (StartsWith(line, u"v ")) {
    ++vertices;
    line.remove_prefix(2);
  }
  if (StartsWith(line, u"vn ")) {
    ++normals;
    line.remove_prefix(3);
  }
  if (StartsWith(line, u"f ")) ++faces;
}

void CheckVectors(const meshfold::RecordStore& store, size_t longestLine) {
  for (int64_t number = 1; number <= store.VertexCount + store.NormalCount; ++number) {
    const TextView vector = number <= store.VertexCount
                                ? meshfold::VertexVector(store, number)
                                : meshfold::NormalVector(store, number - store.VertexCount);
    FuzzCheck(StartsWith(vector, u"<") && EndsWith(vector, u"> "), "a vector text is framed");
    FuzzCheck(OneLine(vector), "a vector text holds no line end");
    FuzzCheck(vector.size() <= longestLine + VectorFrame, "a vector text is no longer than its line");
  }
}

void CheckTriangles(const meshfold::RecordStore& store, size_t longestLine) {
  Text line = u"stale line";
  for (int64_t face = 1; face <= store.FaceCount; ++face) {
    meshfold::BuildTriangleLine(store, store.FaceTexts.at(static_cast<size_t>(face)), line);
    FuzzCheck(StartsWith(line, TrianglePrefix) && EndsWith(line, TriangleSuffix),
              "a triangle line is framed");
    FuzzCheck(OneLine(line), "a triangle line is one line");
    const size_t longest =
        TrianglePrefix.size() + TriangleSuffix.size() + 5 * 2 + 6 * (longestLine + VectorFrame);
    FuzzCheck(line.size() <= longest, "a triangle line is bounded by its records");
  }
}

// An empty store. Making one anew for every input costs more than the input
// itself, so counters set back to 0 stand for a new store in between: records
// beyond a counter are never read.
meshfold::RecordStore& EmptyStore() {
  static meshfold::RecordStore store;
  static int uses = 0;
  if (uses++ % 1000 == 0) meshfold::CreateRecordStore(store);
  store.VertexCount = store.NormalCount = store.FaceCount = 0;
  return store;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  meshfold::RecordStore& store = EmptyStore();
  int64_t vertices = 0;
  int64_t normals = 0;
  int64_t faces = 0;
  size_t longestLine = 0;
  for (const Text& line : Lines(data, size)) {
    meshfold::ExtractRecord(line, store);
    CountKinds(line, vertices, normals, faces);
    longestLine = std::max(longestLine, line.size());
  }
  FuzzCheck(store.VertexCount == vertices && store.NormalCount == normals && store.FaceCount == faces,
            "every line of a kind is counted");
  CheckVectors(store, longestLine);
  CheckTriangles(store, longestLine);
  return 0;
}
