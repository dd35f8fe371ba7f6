// Every platform call of a conversion failing in turn, through the fake file
// calls. Whole conversions against golden files run end to end.
#include "converter/ConvertObjFile.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/OutcomeMessage.h"
#include "tests/support/FakeOsFiles.h"
#include "text/CodePage.h"

namespace meshfold {
namespace {

using testing::FakeCall;

constexpr char16_t ObjPath[] = u"/m/mesh.obj", IncludePath[] = u"/m/mesh.inc";

// Lines of every kind and line end, a comment longer than a buffer and a triangle line written past
// one; without buffers, where every byte is a call, a small mesh.
std::string Mesh(bool buffered) {
  if (!buffered)
    return "v 0.0 0.0 0.0\r\nv 1.0 0.0 0.0\rv 0.0 1.0 0.0\nvn 0 0 1\r\n\r\nvt 0 0\nf 1//1 2//1 3//1\r\nf "
           "-3//-1 -2//1 -1//1";
  std::string mesh =
      "# " + std::string(5000, 'c') + "\r\nmtllib m.mtl\ro mesh\nv 1.0 2.0 " + std::string(1500, '3');
  for (int k = 0; k < 120; ++k) mesh += "\nv " + std::to_string(k) + ".123456 0.5 -1.25\nvt 0 1";
  mesh += "\r\nvn 0 0 1\r\nvn 0.577350 0.577350 0.577350\r\n";
  for (int k = 2; k < 120; ++k)
    mesh += "f " + std::to_string(k) + "//1 " + std::to_string(k + 1) + "//2 1//-1\n";
  return mesh + "f 1//1 1//1 1//1\ns off\nf -1//-1 0//0 3";
}

struct FaultedRun {
  testing::FakeOsFiles fake;
  ConversionOutcome outcome;
  std::string Include() { return fake.files.count(IncludePath) ? fake.files[IncludePath].bytes : "(none)"; }
};

void Convert(FaultedRun& run, bool buffered, bool includeExists, FakeCall kind, int failAt,
             IncludeForm form) {
  testing::ScopedFakeOsFiles scope(run.fake);
  run.fake.files[ObjPath].bytes = Mesh(buffered);
  if (includeExists) run.fake.files[IncludePath].bytes = "earlier\r\n";
  run.fake.FailCall(kind, failAt);
  run.fake.noBuffers = !buffered;
  // A mesh2 comes with its scene, whose writing can fail after the include file's.
  run.outcome = ConvertObjFile(ObjPath, {.form = form, .scene = form == IncludeForm::Mesh2});
}

// Each call fails in turn: the run still ends, leaves the OBJ file as it was and
// every file closed, and reports the failure truthfully; only a failed first
// attempt to create the include file can be gone round.
TEST(ConvertObjFile, EveryFailingPlatformCallIsReportedAndNothingClaimedWritten) {
  using enum ConversionStage;
  const std::pair<FakeCall, std::vector<ConversionStage>> kinds[] = {
      {FakeCall::Open, {NotOpened, NotWritten, SceneNotWritten}},
      {FakeCall::Read, {NotRead}},
      {FakeCall::Write, {NotWritten, SceneNotWritten}},
      {FakeCall::Move, {NotRead, NotWritten, SceneNotWritten}},
      {FakeCall::Close, {NotRead, NotWritten, SceneNotWritten}}};
  for (const auto& [buffered, form] :
       {std::pair{true, IncludeForm::Union}, std::pair{false, IncludeForm::Union},
        std::pair{true, IncludeForm::Mesh2}}) {
    for (const bool includeExists : {true, false}) {
      FaultedRun clean;
      Convert(clean, buffered, includeExists, FakeCall::Open, -1, form);
      ASSERT_TRUE(clean.outcome.Converted()) << AnsiBytes(OutcomeMessage(clean.outcome));
      for (const auto& [kind, stages] : kinds) {
        int failAt = 0;
        for (;; ++failAt) {
          FaultedRun run;
          Convert(run, buffered, includeExists, kind, failAt, form);
          if (run.fake.Count(kind) <= failAt) break;
          const std::string where = std::to_string(static_cast<int>(kind)) + "/" + std::to_string(failAt) +
                                    (buffered ? " buffered: " : " unbuffered: ") +
                                    AnsiBytes(OutcomeMessage(run.outcome));
          EXPECT_EQ(run.fake.files[ObjPath].bytes, Mesh(buffered)) << where;
          for (const auto& [path, file] : run.fake.files) EXPECT_FALSE(file.locked) << where;
          if (run.outcome.Converted()) {
            // The material library, which this mesh names and the fake lacks, fails to open anyway.
            const bool library = form == IncludeForm::Mesh2 && !run.outcome.warnings.empty();
            EXPECT_TRUE(kind == FakeCall::Open && (failAt == 1 || library)) << where;
            EXPECT_EQ(run.Include(), clean.Include()) << where;
            continue;
          }
          EXPECT_EQ(std::count(stages.begin(), stages.end(), run.outcome.stage), 1) << where;
          EXPECT_EQ(run.outcome.error, 5) << where << ": the reason is the failed call's";
          if (run.outcome.stage == SceneNotWritten) {
            EXPECT_EQ(run.Include(), clean.Include()) << where;
          } else if (run.outcome.stage != NotWritten) {
            EXPECT_EQ(run.Include(), includeExists ? "earlier\r\n" : "(none)") << where;
          }
        }
        EXPECT_GE(failAt, clean.fake.Count(kind)) << "every call was made to fail";
      }
    }
  }
}

}  // namespace
}  // namespace meshfold
