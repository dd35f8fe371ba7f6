// Every platform file call of a conversion fails in turn, one at a time, and
// the conversion must still end, say what happened and never call a file
// written that was not written whole.
#include <gtest/gtest.h>

#include <string>

#include "converter/ConvertObjFile.h"
#include "tests/support/FakeOsFiles.h"
#include "tests/support/TestFiles.h"
#include "text/FileTable.h"

namespace meshfold {
namespace {

using testing::FakeCall;
using testing::FakeOsFiles;
using testing::ScopedFakeOsFiles;
using testing::U8;

constexpr char16_t ObjPath[] = u"/m/mesh.obj";
constexpr char16_t IncludePath[] = u"/m/mesh.inc";
const std::string PreviousInclude = "an include file of an earlier run\r\n";

// Lines of every kind, with every line end, a comment line longer than a
// buffer and a vertex whose triangle line is written past the buffer.
std::string LargeMesh() {
  std::string mesh = "# " + std::string(5000, 'c') + "\r\nmtllib m.mtl\ro mesh\n";
  mesh += "v 1.0 2.0 " + std::string(1500, '3') + "\n";
  for (int k = 0; k < 120; ++k) mesh += "v " + std::to_string(k) + ".123456 0.5 -1.25\nvt 0 1\n";
  mesh += "vn 0 0 1\r\nvn 0.577350 0.577350 0.577350\r\n";
  for (int k = 2; k < 120; ++k)
    mesh += "f " + std::to_string(k) + "//1 " + std::to_string(k + 1) + "//2 1//-1\n";
  return mesh + "f 1//1 1//1 1//1\ns off\nf -1//-1 0//0 3";
}

std::string SmallMesh() {
  return "v 0.0 0.0 0.0\r\nv 1.0 0.0 0.0\rv 0.0 1.0 0.0\nvn 0 0 1\r\n\r\nvt 0 0\nf 1//1 2//1 3//1\r\nf "
         "-3//-1 -2//1 "
         "-1//1";
}

struct Fixture {
  const char* name;
  std::string mesh;
  bool includeExists;
  bool buffered;
};

struct FaultedRun {
  FakeOsFiles fake;
  ConversionOutcome outcome;
};

void Convert(const Fixture& fixture, FakeCall kind, int failAt, FaultedRun& run) {
  ScopedFakeOsFiles scope(run.fake);
  run.fake.files[ObjPath].bytes = fixture.mesh;
  if (fixture.includeExists) run.fake.files[IncludePath].bytes = PreviousInclude;
  run.fake.FailCall(kind, failAt);
  FailBufferAllocationForTesting(!fixture.buffered);
  run.outcome = ConvertObjFile(ObjPath);
  FailBufferAllocationForTesting(false);
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// The include file as the run left it; "" when there is none.
std::string IncludeBytes(FaultedRun& run) {
  const auto found = run.fake.files.find(IncludePath);
  return found == run.fake.files.end() || !found->second.exists ? "" : found->second.bytes;
}

// What a failed call of kind may truthfully be reported as.
bool ReportFits(FakeCall kind, const std::string& message) {
  const std::string obj = U8(ObjPath) + "\r";
  const std::string include = U8(IncludePath) + "\r";
  const bool notOpened = StartsWith(message, obj + "could not be opened: ");
  const bool notRead = StartsWith(message, obj + "could not be read; nothing was written: ");
  const bool notWritten = StartsWith(message, include + "could not be written: ");
  switch (kind) {
    case FakeCall::Open:
      return notOpened || notWritten;
    case FakeCall::Read:
      return notRead;
    case FakeCall::Write:
      return notWritten;
    case FakeCall::Move:
    case FakeCall::Close:
      return notRead || notWritten;
  }
  return false;
}

void ExpectTruth(const Fixture& fixture, FakeCall kind, int failAt, FaultedRun& clean, FaultedRun& run) {
  const std::string message = U8(run.outcome.message);
  const std::string where = std::string(fixture.name) + ", call " + std::to_string(static_cast<int>(kind)) +
                            " number " + std::to_string(failAt) + ": " + message;
  EXPECT_EQ(run.fake.files[ObjPath].bytes, fixture.mesh) << where;
  for (const auto& [path, file] : run.fake.files) EXPECT_FALSE(file.locked) << where << " left open";
  // A failed read ends its line early, and the next line asks once more.
  EXPECT_LE(run.fake.Count(FakeCall::Read), clean.fake.Count(FakeCall::Read) + 2) << where;
  const bool faulted = run.fake.Count(kind) > failAt;
  if (run.outcome.converted) {
    // Only a fault the run can go round: a second way to create the file.
    if (faulted) {
      EXPECT_EQ(kind, FakeCall::Open) << where;
    }
    EXPECT_EQ(message, U8(clean.outcome.message)) << where;
    EXPECT_EQ(IncludeBytes(run), IncludeBytes(clean)) << where;
    return;
  }
  EXPECT_EQ(message.find("created"), std::string::npos) << where;
  EXPECT_TRUE(ReportFits(kind, message)) << where;
  EXPECT_EQ(message.back(), u'\r') << where;
  if (!StartsWith(message, U8(IncludePath))) {
    // Nothing was written when the OBJ file could not be read whole.
    EXPECT_EQ(IncludeBytes(run), fixture.includeExists ? PreviousInclude : "") << where;
  }
}

TEST(ConvertObjFileFaults, EveryFailingCallIsReportedAndNothingClaimedWritten) {
  const Fixture fixtures[] = {
      {"large mesh over an earlier include file", LargeMesh(), true, true},
      {"large mesh, no include file yet", LargeMesh(), false, true},
      {"small mesh without buffers", SmallMesh(), true, false},
  };
  const FakeCall kinds[] = {FakeCall::Open, FakeCall::Read, FakeCall::Write, FakeCall::Move, FakeCall::Close};
  for (const Fixture& fixture : fixtures) {
    FaultedRun clean;
    Convert(fixture, FakeCall::Open, -1, clean);
    ASSERT_TRUE(clean.outcome.converted) << fixture.name << ": " << U8(clean.outcome.message);
    ASSERT_GT(clean.fake.Count(FakeCall::Read), fixture.buffered ? 2 : 100) << fixture.name;
    ASSERT_GT(clean.fake.Count(FakeCall::Write), fixture.buffered ? 4 : 10) << fixture.name;
    for (FakeCall kind : kinds) {
      int faultedRuns = 0;
      // Until the failing call number lies beyond the calls the run makes.
      for (int failAt = 0;; ++failAt) {
        FaultedRun run;
        Convert(fixture, kind, failAt, run);
        ExpectTruth(fixture, kind, failAt, clean, run);
        if (run.fake.Count(kind) <= failAt) break;
        ++faultedRuns;
      }
      EXPECT_GE(faultedRuns, clean.fake.Count(kind)) << fixture.name;
    }
  }
}

}  // namespace
}  // namespace meshfold
