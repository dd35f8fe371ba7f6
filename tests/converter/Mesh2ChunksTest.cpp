// A mesh2 big enough that its blocks are formatted in chunks on two threads
// reads as the same mesh2 a single copy of its pieces gives, copy after copy;
// a union whose faces lie across the chunks the store keeps them in, too,
// and one whose records lie across the batches they are read ahead in.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "converter/ConvertObjFile.h"
#include "tests/support/FakeOsFiles.h"

namespace meshfold {
namespace {

constexpr char16_t ObjPath[] = u"/m/copies.obj", IncludePath[] = u"/m/copies.inc";
constexpr int VerticesACopy = 11;

// A fanned quad, a dart the fan would turn inside out (so it is cut), and a
// triangle, all in one plane and one colour, x moved by ten a copy; faces
// name their corners relatively, so every copy's face lines are the same.
std::string Copies(int count) {
  std::string obj;
  const int corners[VerticesACopy][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {2, 0}, {4, 1},
                                         {6, 0}, {4, 3}, {7, 0}, {8, 0}, {7, 1}};
  for (int copy = 0; copy < count; ++copy) {
    for (const auto& corner : corners)
      obj +=
          "v " + std::to_string(copy * 10 + corner[0]) + " " + std::to_string(corner[1]) + " 0 0.25 0.5 1\n";
    obj += "f -11 -10 -9 -8\nf -7 -6 -5 -4\nf -3 -2 -1\n";
  }
  return obj;
}

std::string Convert(const std::string& obj, bool groups = false, IncludeForm form = IncludeForm::Mesh2) {
  testing::FakeOsFiles fake;
  testing::ScopedFakeOsFiles scope(fake);
  fake.files[ObjPath].bytes = obj;
  const ConversionOutcome outcome = ConvertObjFile(ObjPath, {.form = form, .groups = groups});
  EXPECT_TRUE(outcome.Converted());
  return fake.files[IncludePath].bytes;
}

// A block's entries without their commas; commas tells whether every entry
// but the last had one, and the last none.
struct Block {
  std::vector<std::string> entries;
  bool commas = true;
};

Block ReadBlock(const std::string& include, const std::string& name) {
  Block block;
  size_t at = include.find("  " + name + " {\r\n");
  if (at == std::string::npos) return block;
  at = include.find("\r\n", include.find("\r\n", at) + 2) + 2;  // past the count
  for (size_t end;
       (end = include.find("\r\n", at)) != std::string::npos && include.compare(at, 3, "  }") != 0;
       at = end + 2) {
    std::string entry = include.substr(at + 4, end - at - 4);
    const bool comma = !entry.empty() && entry.back() == ',';
    if (comma) entry.pop_back();
    block.entries.push_back(entry);
    block.commas = block.commas && comma != (include.compare(end + 2, 3, "  }") == 0);
  }
  return block;
}

// entry with each of its first `shifted` numbers raised by by.
std::string Shifted(const std::string& entry, int shifted, long by) {
  std::string out;
  int number = 0;
  for (size_t at = 0; at < entry.size();) {
    if (entry[at] < '0' || entry[at] > '9') {
      out += entry[at++];
      continue;
    }
    size_t end = at;
    while (end < entry.size() && entry[end] >= '0' && entry[end] <= '9') ++end;
    const long value = std::stol(entry.substr(at, end - at));
    out += std::to_string(number++ < shifted ? value + by : value);
    at = end;
  }
  return out;
}

// Each copy's entries of name are the single copy's, their first `shifted`
// numbers raised by step for each copy before.
void ExpectCopies(const std::string& one, const std::string& many, int count, const std::string& name,
                  int shifted, long step) {
  const Block single = ReadBlock(one, name), copies = ReadBlock(many, name);
  ASSERT_FALSE(single.entries.empty()) << name;
  ASSERT_EQ(copies.entries.size(), single.entries.size() * count) << name;
  EXPECT_TRUE(copies.commas) << name;
  for (size_t k = 0; k < copies.entries.size(); ++k) {
    const long copy = static_cast<long>(k / single.entries.size());
    ASSERT_EQ(copies.entries[k], Shifted(single.entries[k % single.entries.size()], shifted, copy * step))
        << name << " entry " << k;
  }
}

TEST(Mesh2Chunks, ABigMeshReadsAsItsCopiesEachWrittenAlone) {
  const int count = 30000;  // 150,000 triangles and 330,000 vertices: more than two chunks of each
  const std::string one = Convert(Copies(1)), many = Convert(Copies(count));
  ExpectCopies(one, many, count, "face_indices", 3, VerticesACopy);
  ExpectCopies(one, many, count, "normal_indices", 3, VerticesACopy);
  ExpectCopies(one, many, count, "normal_vectors", 0, 0);
  ExpectCopies(one, many, count, "vertex_vectors", 1, 10);
  EXPECT_EQ(ReadBlock(many, "texture_list").entries, ReadBlock(one, "texture_list").entries);
}

// A group numbers its vectors in the order its triangles name them; the
// first of two groups reads as the copies of a group of one copy.
TEST(Mesh2Chunks, ABigGroupReadsAsItsCopiesEachWrittenAlone) {
  const int count = 15000;
  const std::string grouped = Convert("o first\n" + Copies(count) + "o second\n" + Copies(count), true);
  const std::string one = Convert("o first\n" + Copies(1) + "o second\n" + Copies(1), true);
  ASSERT_NE(grouped.find("#declare copies_second = "), std::string::npos);
  ExpectCopies(one, grouped, count, "face_indices", 3, VerticesACopy);
  ExpectCopies(one, grouped, count, "normal_indices", 3, VerticesACopy);
  ExpectCopies(one, grouped, count, "normal_vectors", 0, 0);
  ExpectCopies(one, grouped, count, "vertex_vectors", 1, 10);
}

// Five entries a dart (its head and four corners): now and then one lies
// across two of the store's chunks, and each of its corners is looked up
// where it lies.
TEST(StoreChunks, AFaceAcrossTwoChunksIsCutAsAnyOther) {
  const int count = 110000;  // 550,000 entries, past the first chunk of 2^19
  std::string obj = "v 2 1 0\nv 0 0.5 0\nv -2 1 0\nv 0 0 0\n";
  for (int face = 0; face < count; ++face) obj += "f 1 2 3 4\n";
  const std::string include = Convert(obj, false, IncludeForm::Union);
  std::vector<std::string> lines;
  for (size_t at = include.find("   triangle"); at != std::string::npos;
       at = include.find("   triangle", at + 1))
    lines.push_back(include.substr(at, include.find("\r\n", at) - at));
  ASSERT_EQ(lines.size(), 2u * count);
  ASSERT_NE(lines[0], lines[1]);
  for (size_t k = 2; k < lines.size(); ++k) ASSERT_EQ(lines[k], lines[k % 2]) << "triangle line " << k;
}

// The store keeps each face's normals up to the last one named, in chunks of
// 2^19 entries: four entries a triangle (its head and three corners), five a
// quad. After none to three quads, one of these files' last triangle ends
// just where the first chunk ends, and it takes the normals its line names as
// every other does.
TEST(StoreChunks, AFaceEndingAChunkTakesItsFileNormals) {
  for (int quads = 0; quads < 4; ++quads) {
    std::string obj = "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nvn 0.6 0 0.8\n";
    for (int k = 0; k < quads; ++k) obj += "f 1//1 2//1 4//1 3//1\n";
    for (int k = 0; k < ((1 << 19) - 5 * quads) / 4; ++k) obj += "f 1//1 2//1 3//1\n";
    EXPECT_EQ(ReadBlock(Convert(obj), "normal_vectors").entries, std::vector<std::string>{"<0.6,0,0.8>"})
        << quads << " quads";
  }
}

}  // namespace
// Records are read ahead in batches of 2^16 code units, and a record of a
// batch's length or more goes over alone. The union names the line of each
// triangle it leaves out, so every face line must arrive once, in order, with
// its number: short faces, comments and faces about a batch long, and faces
// continued over three lines, in turn; last, a long face after a short one.
TEST(ReadAhead, EveryRecordArrivesOnceWithItsLine) {
  std::string obj = "v 0 0 0\nv 1 0 0\n";
  int line = 2;
  std::map<int, int> expected;  // line -> triangles left out there
  const size_t lengths[] = {10, 65533, 65534, 65535, 70000, 8, 140000};
  for (int round = 0; round < 21; ++round) {
    const size_t length = lengths[round % 7];
    obj += "# " + std::string(length, 'c') + "\n";
    ++line;
    for (int k = 0; k < 50 * round; ++k) {
      obj += "f 1 1 2\n";
      expected[++line] = 1;
    }
    const int corners = static_cast<int>(length / 2);
    obj += "f";
    for (int k = 0; k < corners; ++k) obj += k % 2 ? " 2" : " 1";
    obj += "\nf 1 \\\n1 \\\n2\n";
    expected[++line] = corners - 2;
    expected[++line] = 1;
    line += 2;
  }
  obj += "f 1 1 2\nf" + std::string(70000, ' ') + " 1 2 1\n";  // the last record, after others
  expected[++line] = 1;
  expected[++line] = 1;
  const std::string include = Convert(obj, false, IncludeForm::Union);
  std::map<int, int> leftOut;
  const std::string mark = "// face line ";
  for (size_t at = include.find(mark); at != std::string::npos; at = include.find(mark, at + 1))
    ++leftOut[std::stoi(include.substr(at + mark.size(), 12))];
  EXPECT_EQ(leftOut, expected);
}

}  // namespace meshfold
