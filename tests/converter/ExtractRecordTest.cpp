#include "converter/ExtractRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "converter/RecordCuts.h"
#include "tests/support/TestFiles.h"
#include "text/StringOperations.h"

namespace meshfold {
namespace {

using testing::T;
using testing::U8;

std::string Cut(TextView field) {
  const CutCoordinate cut = CutDecimals(field);
  return U8(cut.kept) + U8(cut.exponent);
}

struct VectorCase {
  const char* line;
  const char* x;
  const char* y;
  const char* z;
  const char* vector;
};

void ExpectVectors(const VectorCase* begin, const VectorCase* end, size_t prefixLength, bool normal) {
  for (const VectorCase* c = begin; c != end; ++c) {
    const Text line = T(c->line);
    const CoordinateFields fields = CutCoordinates(TextView(line).substr(prefixLength));
    EXPECT_EQ(Cut(fields.x), c->x) << c->line;
    EXPECT_EQ(Cut(fields.y), c->y) << c->line;
    EXPECT_EQ(Cut(fields.z), c->z) << c->line;
    RecordStore store;
    CreateRecordStore(store);
    ExtractRecord(T(c->line), store);
    EXPECT_EQ(normal ? store.NormalCount : store.VertexCount, 1) << c->line;
    EXPECT_EQ(U8(normal ? NormalVector(store, 1) : VertexVector(store, 1)), c->vector) << c->line;
  }
}

TEST(ExtractRecord, VertexLinesAreCutIntoCoordinateTexts) {
  const VectorCase cases[] = {
      {"v 0.000000 1.000000 -1.000000", "0.000", "1.000", "-1.000", "<0.000, 1.000, -1.000> "},
      {"v 1.234567 -2.5 3.0", "1.234", "-2.5 ", "3.0", "<1.234, -2.5 , 3.0> "},
      {"v 1 2 3", "1 ", "2 ", "3", "<1 , 2 , 3> "},
      {"v 1.5 2.5", "1.5 ", "", "2.5", "<1.5 , , 2.5> "},
      {"v  1.0 2.0 3.0", " ", "1.0 ", "2.0 3", "< , 1.0 , 2.0 3> "},
      {"v 1.000000 2.000000 3.000000 0.500000 0.500000 0.500000", "1.000", "2.000", "3.000",
       "<1.000, 2.000, 3.000> "},
      {"v 1.0 2.0 3.0 0.5 0.5 0.5", "1.0 ", "2.0 ", "3.0 0", "<1.0 , 2.0 , 3.0 0> "},
      {"v 1.5 2.5 3.5 ", "1.5 ", "2.5 ", "3.5 ", "<1.5 , 2.5 , 3.5 > "},
      {"v ", "", "", "", "<, , > "},
      // Integer coordinates are never cut: "100" would read as a tenth of "1000".
      {"v 1000 -100 123456", "1000 ", "-100 ", "123456", "<1000 , -100 , 123456> "},
      // An exponent survives the cut of its decimals; with three decimals or
      // fewer the field stays whole.
      {"v 1.234567e-05 -2.5E+3 6.78901e10", "1.234e-05", "-2.5E+3 ", "6.789e10",
       "<1.234e-05, -2.5E+3 , 6.789e10> "},
      {"v 1.2345e 1.5e- 0.123e5", "1.234", "1.5e-", "0.123e5", "<1.234, 1.5e-, 0.123e5> "},
      {"v 1.234567e-05 0 0", "1.234e-05", "0 ", "0", "<1.234e-05, 0 , 0> "},
  };
  ExpectVectors(std::begin(cases), std::end(cases), 2, false);
}

TEST(ExtractRecord, NormalLinesAreCutTheSameWay) {
  const VectorCase cases[] = {
      {"vn 0 0 1", "0 ", "0 ", "1", "<0 , 0 , 1> "},
      {"vn 0.577350 0.577350 0.577350", "0.577", "0.577", "0.577", "<0.577, 0.577, 0.577> "},
      {"vn -0.0000 1.0000 0.0000", "-0.000", "1.000", "0.000", "<-0.000, 1.000, 0.000> "},
  };
  ExpectVectors(std::begin(cases), std::end(cases), 3, true);
}

TEST(ExtractRecord, FaceLinesAreCutIntoNineFields) {
  struct Case {
    const char* line;
    std::vector<std::string> fields;
  } const cases[] = {
      {"f 1/1/1 2/2/2 3/3/3", {"1", "1", "1", "2", "2", "2", "3", "3", "3"}},
      {"f 1//1 2//2 3//3", {"1", "", "1", "2", "", "2", "3", "", "3"}},
      {"f 1 2 3", {"", "", "1", "", "", "2", "", "", "3"}},
      {"f 1/1 2/2 3/3", {"1", "1 2", "2", "3", "", "", "", "", "3"}},
      {"f 1/1/1 2/2/2 3/3/3 4/4/4", {"1", "1", "1", "2", "2", "2", "3", "3", "3 4/4/4"}},
      {"f  1//1 2//2 3//3", {" 1", "", "1", "2", "", "2", "3", "", "3"}},
      {"f ", {"", "", "", "", "", "", "", "", ""}},
  };
  for (const Case& c : cases) {
    const Text line = T(c.line);
    const FaceFields fields = CutFaceFields(TextView(line).substr(2));
    std::vector<std::string> texts;
    for (TextView field : fields) texts.push_back(U8(field));
    EXPECT_EQ(texts, c.fields) << c.line;
  }
}

TEST(ExtractRecord, OnlyExactPrefixesCount) {
  RecordStore store;
  CreateRecordStore(store);
  for (const char* line : {"", "# comment", "vt 0.5 0.5", "o Cube", "s off", "V 1 2 3", "v", "f", "v\t1 2 3",
                           "  v 1 2 3", "vn", "vn\t0 0 1", "F 1 2 3", "usemtl v ", "l 1 2", "g f "}) {
    ExtractRecord(T(line), store);
  }
  EXPECT_EQ(store.VertexCount + store.NormalCount + store.FaceCount, 0);
}

TEST(ExtractRecord, EachTestLooksAtWhatTheOneBeforeLeft) {
  RecordStore store;
  CreateRecordStore(store);
  ExtractRecord(u"v f 1//1 2//1 3//1", store);
  ExtractRecord(u"v vn 0 0 1", store);
  EXPECT_EQ(store.VertexCount, 2);
  EXPECT_EQ(store.NormalCount, 1);
  EXPECT_EQ(store.FaceCount, 1);
  const FaceCorners& face = store.FaceTexts[1];
  EXPECT_EQ(face.vertex[0], 1u);
  EXPECT_EQ(face.normal[2], 1u);
  EXPECT_EQ(U8(VertexVector(store, 1)), "<f , 1//1 , 2//1 3//1> ");
}

TEST(ExtractRecord, RelativeIndicesCountBackFromTheRecordsReadSoFar) {
  RecordStore store;
  CreateRecordStore(store);
  for (const char* line :
       {"f -1//-1 -1//-1 -1//-1", "v 1 1 1", "v 2 2 2", "vn 0 0 1", "f -2//-1 -1//-1 1//1", "v 3 3 3",
        "f -3//-2 -4//1 0//-1", "vn 0 1 0", "f 9//9 -9223372036854775808//2 $3//%1"}) {
    ExtractRecord(T(line), store);
  }
  struct Expected {
    uint32_t vertex[3];
    uint32_t normal[3];
  } const expected[] = {
      {{0, 0, 0}, {0, 0, 0}}, {{1, 2, 1}, {1, 1, 1}}, {{1, 0, 0}, {0, 1, 1}}, {{9, 0, 3}, {9, 2, 1}}};
  ASSERT_EQ(store.FaceCount, 4);
  for (size_t face = 0; face < 4; ++face) {
    for (size_t corner = 0; corner < 3; ++corner) {
      EXPECT_EQ(store.FaceTexts[face + 1].vertex[corner], expected[face].vertex[corner]) << face << corner;
      EXPECT_EQ(store.FaceTexts[face + 1].normal[corner], expected[face].normal[corner]) << face << corner;
    }
  }
  EXPECT_EQ(VertexVector(store, 9), u"") << "an index above the count names nothing";
  EXPECT_EQ(VertexVector(store, 0), u"");
}

TEST(ExtractRecord, RecordsBeyondTheLimitAreKept) {
  RecordStore store;
  CreateRecordStore(store);
  const int64_t count = RecordLimit + 5;
  for (int64_t n = 1; n <= count; ++n) {
    ExtractRecord(u"v 1 2 3", store);
    ExtractRecord(u"vn 0 0 1", store);
  }
  ExtractRecord(u"v 7.0 8.0 9.0", store);
  for (int64_t n = 1; n <= count; ++n) ExtractRecord(u"f 100006//100005 -1//-1 100001//1", store);
  EXPECT_EQ(store.VertexCount, count + 1);
  EXPECT_EQ(store.NormalCount, count);
  EXPECT_EQ(store.FaceCount, count);
  const FaceCorners& last = store.FaceTexts[static_cast<size_t>(count)];
  EXPECT_EQ(U8(VertexVector(store, last.vertex[0])), "<7.0 , 8.0 , 9.0> ");
  EXPECT_EQ(U8(VertexVector(store, last.vertex[1])), "<7.0 , 8.0 , 9.0> ");
  EXPECT_EQ(U8(NormalVector(store, last.normal[0])), "<0 , 0 , 1> ");
  EXPECT_EQ(U8(VertexVector(store, last.vertex[2])), "<1 , 2 , 3> ");
}

// Vertex records near the plain form "x y z" that is read in one pass: each
// stores the vector text that the general cuts give.
TEST(ExtractRecord, NearlyPlainVerticesMatchTheGeneralCuts) {
  for (const char* record : {"0.587785 -0.809017 0.000000",
                             "1. 2. 3.",
                             "1.5 -2.25 3.125",
                             "-0.5 -0.5 -0.5",
                             "10.1234 20.5 30",
                             "1.0 2.0 3.0 ",
                             "1.0 2.0 3.0 0.5",
                             "1.0  2.0 3.0",
                             ".5 1.5 2.5",
                             "+1.0 2.0 3.0",
                             "1.0 2.0 3.0e5",
                             "1.0 2.0",
                             "-1.2345 -0.0 -.5",
                             "1.0e-5 2.0 3.0",
                             "1.23456 2.34567 3\t",
                             "123.456789 0.1 -99.99999",
                             "0.1234 1234.12345678 123456789.5",
                             "1.0 2.0 3.0\xC3\xA9",
                             "1.2345\xC3\xA9 2.0 3.0",
                             "12\xC3\xA9.5 2.0 3.0",
                             "1.2:34 2.0 3.0",
                             "1.2/34 2.0 3.0"}) {
    const Text line = u"v " + T(record);
    RecordStore store;
    CreateRecordStore(store);
    ExtractRecord(line, store);
    const Text recordText = T(record);
    const CoordinateFields fields = CutCoordinates(recordText);
    std::string expected = "<";
    expected += Cut(fields.x) + ", " + Cut(fields.y) + ", " + Cut(fields.z) + "> ";
    EXPECT_EQ(U8(VertexVector(store, 1)), expected) << record;
  }
}

// Face records near the plain form "v/vt/vn v/vt/vn v/vt/vn" that is read in
// one pass: each resolves to the corners that the general cuts give.
TEST(ExtractRecord, NearlyPlainFacesMatchTheGeneralCuts) {
  for (const char* record :
       {"1//2 3//4 5//6", "1/7/2 3/8/4 5/9/6", "1//2 3//4 5//6 7//8", "1//2 3//4 5//6/9", "1//2 3//4 5//",
        "1//2 3//4", "1/2 3/4 5/6", "1 2 3", "1//2  3//4 5//6", "1//2 3//4 5//6 ", "01//002 3//4 5//6x",
        "1//-2 3//4 5//6", "1/x/2 3//4 5//6", "18446744073709551617//2 3//4 5//6", "1//2\t3//4 5//6",
        "1234//5678 12345678//9 1//123456789", "12:4//5 3//4 5//6", "1//2 3//4 5\xC3\xA9//6",
        "4294967296//2 3//4 5//6"}) {
    RecordStore store;
    CreateRecordStore(store);
    for (int n = 0; n < 9; ++n) {
      ExtractRecord(u"v 1 2 3", store);
      ExtractRecord(u"vn 0 0 1", store);
    }
    ExtractRecord(u"f " + T(record), store);
    const Text recordText = T(record);
    const FaceFields fields = CutFaceFields(recordText);
    const FaceCorners& face = store.FaceTexts[1];
    for (size_t corner = 0; corner < 3; ++corner) {
      int64_t vertex = TextToInteger(fields[3 * corner]);
      int64_t normal = TextToInteger(fields[3 * corner + 2]);
      vertex = vertex < 0 ? vertex + 10 : vertex;
      normal = normal < 0 ? normal + 10 : normal;
      EXPECT_EQ(face.vertex[corner], vertex >= 1 && vertex <= 0xFFFFFFFF ? vertex : 0) << record << corner;
      EXPECT_EQ(face.normal[corner], normal >= 1 && normal <= 0xFFFFFFFF ? normal : 0) << record << corner;
    }
  }
}

// Faces are kept in chunks; faces on both sides of a chunk's edge stay apart.
TEST(ExtractRecord, FacesAcrossChunkEdgesKeepTheirCorners) {
  RecordStore store;
  CreateRecordStore(store);
  const int64_t count = (int64_t{1} << 18) + 3;
  for (int64_t n = 1; n <= count; ++n) {
    const Text number = T(std::to_string(n));
    ExtractRecord(u"f " + number + u"//1 2//" + number + u" 3//3", store);
  }
  ASSERT_EQ(store.FaceCount, count);
  for (const int64_t n : {int64_t{1}, (int64_t{1} << 18) - 1, int64_t{1} << 18, count}) {
    EXPECT_EQ(store.FaceTexts[static_cast<size_t>(n)].vertex[0], static_cast<uint32_t>(n));
    EXPECT_EQ(store.FaceTexts[static_cast<size_t>(n)].normal[1], static_cast<uint32_t>(n));
  }
}

}  // namespace
}  // namespace meshfold
