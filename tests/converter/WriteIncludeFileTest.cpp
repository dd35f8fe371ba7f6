#include "converter/WriteIncludeFile.h"

#include <gtest/gtest.h>

#include "converter/ExtractRecord.h"
#include "tests/support/FakeOsFiles.h"
#include "tests/support/TestFiles.h"

namespace meshfold {
namespace {

using testing::FakeCall;
using testing::FakeOsFiles;
using testing::ScopedFakeOsFiles;
using testing::T;
using testing::U8;

class WriteIncludeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateRecordStore(store_);
    for (const char* line : {"v 1.234567 -2.5 3.0", "v 1 2 3", "v 0.5 0.25 0.125", "vn 0 0 1",
                             "vn 0.577350 0.577350 0.577350"}) {
      ExtractRecord(T(line), store_);
    }
  }

  std::string TriangleOf(const char* faceLine) {
    ExtractRecord(T(faceLine), store_);
    Text line;
    BuildTriangleLine(store_, store_.FaceTexts[static_cast<size_t>(store_.FaceCount)], line);
    return U8(line);
  }

  RecordStore store_;
};

TEST_F(WriteIncludeFileTest, TriangleLinesJoinTheCornersVectorTexts) {
  struct Case {
    const char* face;
    const char* line;
  } const cases[] = {
      {"f 1/1/1 2/1/2 3/1/2",
       "   smooth_triangle { <1.234, -2.5 , 3.0> , <0 , 0 , 1> , <1 , 2 , 3> , <0.577, 0.577, 0.577> , "
       "<0.5 , 0.25 , 0.125> , <0.577, 0.577, 0.577>  }"},
      {"f 1 2 3", "   smooth_triangle { , <0 , 0 , 1> , , <0.577, 0.577, 0.577> , ,  }"},
      {"f 7//1 2//9 0//1", "   smooth_triangle { , <0 , 0 , 1> , <1 , 2 , 3> , , , <0 , 0 , 1>  }"},
      {"f  1//1 2//2 3//2",
       "   smooth_triangle { <1.234, -2.5 , 3.0> , <0 , 0 , 1> , <1 , 2 , 3> , <0.577, 0.577, 0.577> , "
       "<0.5 , 0.25 , 0.125> , <0.577, 0.577, 0.577>  }"},
      {"f 1/1/1 2/2/2 3/3/2 4/4/4",
       "   smooth_triangle { <1.234, -2.5 , 3.0> , <0 , 0 , 1> , <1 , 2 , 3> , <0.577, 0.577, 0.577> , "
       "<0.5 , 0.25 , 0.125> , <0.577, 0.577, 0.577>  }"},
      {"f -1//-1 -2//-2 -3//-3",
       "   smooth_triangle { <0.5 , 0.25 , 0.125> , <0.577, 0.577, 0.577> , <1 , 2 , 3> , <0 , 0 , 1> , "
       "<1.234, -2.5 , 3.0> ,  }"},
  };
  for (const Case& c : cases) EXPECT_EQ(TriangleOf(c.face), c.line) << c.face;
}

TEST_F(WriteIncludeFileTest, AMeshWithoutFacesGivesSevenLines) {
  FakeOsFiles fake;
  ScopedFakeOsFiles scope(fake);
  EXPECT_EQ(WriteIncludeFile(u"C:\\models\\.inc", u"", store_), 0);
  EXPECT_EQ(fake.files[u"C:\\models\\.inc"].bytes,
            "//   smooth triangles from .obj\r\n//   face count: 0\r\n//   k.dorsel 11.21.2023\r\n\r\n"
            "#declare  = \r\n   union {\r\n   }\r\n");
}

TEST_F(WriteIncludeFileTest, ReportsWhatKeptTheFileFromBeingWritten) {
  for (int failingWrite = 0; failingWrite < 3; ++failingWrite) {
    FakeOsFiles fake;
    ScopedFakeOsFiles scope(fake);
    for (int face = 0; face < 2000; ++face) ExtractRecord(u"f 1//1 2//1 3//1", store_);
    fake.FailCall(FakeCall::Write, failingWrite, 28);
    EXPECT_EQ(WriteIncludeFile(u"x.inc", u"x", store_), 28) << failingWrite;
  }
  FakeOsFiles fake;
  ScopedFakeOsFiles scope(fake);
  fake.FailCall(FakeCall::Open, 0, 13, true);
  EXPECT_EQ(WriteIncludeFile(u"x.inc", u"x", store_), 13);
  FakeOsFiles closing;
  ScopedFakeOsFiles closingScope(closing);
  closing.FailCall(FakeCall::Close, 0, 5);
  EXPECT_EQ(WriteIncludeFile(u"x.inc", u"x", store_), 5) << "a late error at close counts too";
}

}  // namespace
}  // namespace meshfold
