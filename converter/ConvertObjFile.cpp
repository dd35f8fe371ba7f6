#include "converter/ConvertObjFile.h"

#include "converter/IncludeNames.h"
#include "converter/ReadObjFile.h"
#include "converter/RecordStore.h"
#include "converter/WriteIncludeFile.h"
#include "converter/WriteMesh2File.h"
#include "text/TextFileWriter.h"

namespace meshfold {

namespace {

std::vector<StoredFace> LeftOutFaces(const RecordStore& store) {
  std::vector<StoredFace> leftOut;
  FaceReader faces(store);
  while (faces.More()) {
    const StoredFace face = faces.Next();
    if (face.LeftOut()) leftOut.push_back(face);
  }
  return leftOut;
}

OsError WriteInclude(const ConversionOutcome& outcome, const RecordStore& store,
                     const ConversionOptions& options) {
  if (options.form == IncludeForm::Mesh2)
    return WriteMesh2File(outcome.includePath, outcome.baseName, store, options);
  return WriteIncludeFile(outcome.includePath, outcome.baseName, store);
}

}  // namespace

ConversionOutcome ConvertObjFile(TextView objPath, const ConversionOptions& options) {
  IncludeNames names = DeriveIncludeNames(objPath);
  ConversionOutcome outcome{.objPath = Text(objPath),
                            .includePath = std::move(names.IncludePath),
                            .baseName = std::move(names.BaseName),
                            .leftOut = {}};
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
  outcome.error = WriteInclude(outcome, store, options);
  outcome.stage = outcome.error == 0 ? ConversionStage::Converted : ConversionStage::NotWritten;
  outcome.vertices = store.VertexCount;
  outcome.normals = store.NormalCount;
  outcome.faces = store.FaceCount;
  if (options.form == IncludeForm::Mesh2 && outcome.Converted()) outcome.leftOut = LeftOutFaces(store);
  return outcome;
}

}  // namespace meshfold
