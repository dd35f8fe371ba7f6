#include "converter/ConvertObjFile.h"

#include "converter/IncludeNames.h"
#include "converter/looks/LookUpMaterials.h"
#include "converter/obj/ReadObjFile.h"
#include "converter/obj/RecordStore.h"
#include "converter/writers/IdentifierName.h"
#include "converter/writers/WriteMesh2File.h"
#include "converter/writers/WriteSceneFile.h"
#include "converter/writers/WriteUnionFile.h"
#include "text/StringOperations.h"
#include "text/TextFileWriter.h"

namespace meshfold {

namespace {

// The writer may let go of the store's vertex texts, which nothing needs after.
OsError WriteMesh2(TextView objPath, ConversionOutcome& outcome, RecordStore& store,
                   const ConversionOptions& options) {
  MeshPlan plan = PlanMesh(store, options);
  const MeshTextures textures(store, plan, LookUpMaterials(store, objPath, plan.uvMapped, outcome.warnings));
  outcome.triangles = plan.triangles;
  const OsError error =
      WriteMesh2File(outcome.includePath, outcome.baseName, {store, plan, textures}, options);
  if (error == 0) outcome.leftOut = std::move(plan.leftOut);
  return error;
}

OsError WriteInclude(TextView objPath, ConversionOutcome& outcome, RecordStore& store,
                     const ConversionOptions& options) {
  if (options.form == IncludeForm::Mesh2) return WriteMesh2(objPath, outcome, store, options);
  return WriteUnionFile(outcome.includePath, outcome.baseName, store, options, outcome.triangles);
}

// The plain union says nothing more than its counts; where a picture or the
// mesh2's materials were asked for, an empty one would puzzle.
void WarnOfNothingToDraw(ConversionOutcome& outcome, const ConversionOptions& options) {
  if (outcome.triangles == 0 && (options.scene || options.form == IncludeForm::Mesh2))
    outcome.warnings.emplace_back(u"nothing to draw: no face gives a triangle");
}

// The scene beside the include file; never over the OBJ file.
void WriteScene(TextView objPath, ConversionOutcome& outcome, UpAxis up) {
  outcome.scenePath = JoinedText({DirectoryPart(objPath), outcome.baseName, u".pov"});
  const bool replaces = WouldReplace(outcome.scenePath, objPath);
  outcome.error = replaces ? 0
                           : WriteSceneFile(outcome.scenePath, FilePart(outcome.includePath),
                                            DeclaredName(outcome.baseName), up);
  if (replaces || outcome.error != 0) outcome.stage = ConversionStage::SceneNotWritten;
}

}  // namespace

ConversionOutcome ConvertObjFile(TextView objPath, const ConversionOptions& options) {
  IncludeNames names = DeriveIncludeNames(objPath);
  ConversionOutcome outcome;
  outcome.objPath = Text(objPath);
  outcome.includePath = std::move(names.IncludePath);
  outcome.baseName = std::move(names.BaseName);
  if (WouldReplace(outcome.includePath, objPath)) {
    outcome.stage = ConversionStage::WouldReplace;
    return outcome;
  }
  RecordStore store;
  CreateRecordStore(store, options.form == IncludeForm::Mesh2);
  const ObjReadResult read = ReadObjFile(objPath, store);
  outcome.error = read.error;
  if (!read.opened || read.error != 0) {
    outcome.stage = read.opened ? ConversionStage::NotRead : ConversionStage::NotOpened;
    return outcome;
  }
  outcome.error = WriteInclude(objPath, outcome, store, options);
  outcome.stage = outcome.error == 0 ? ConversionStage::Converted : ConversionStage::NotWritten;
  outcome.vertices = store.VertexCount;
  outcome.normals = store.NormalCount;
  outcome.faces = store.FaceCount;
  if (!outcome.Converted()) return outcome;
  WarnOfNothingToDraw(outcome, options);
  if (options.scene) WriteScene(objPath, outcome, options.up);
  return outcome;
}

}  // namespace meshfold
