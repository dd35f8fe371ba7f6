#include "converter/ConvertObjFile.h"

#include "converter/IncludeNames.h"
#include "converter/ReadObjFile.h"
#include "converter/RecordStore.h"
#include "converter/WriteIncludeFile.h"
#include "text/TextFileWriter.h"

namespace meshfold {

ConversionOutcome ConvertObjFile(TextView objPath) {
  IncludeNames names = DeriveIncludeNames(objPath);
  ConversionOutcome outcome{.objPath = Text(objPath),
                            .includePath = std::move(names.IncludePath),
                            .baseName = std::move(names.BaseName)};
  if (WouldReplace(outcome.includePath, objPath)) {
    outcome.stage = ConversionStage::WouldReplace;
    return outcome;
  }
  RecordStore store;
  CreateRecordStore(store);
  const ObjReadResult read = ReadObjFile(objPath, store);
  outcome.error = read.error;
  if (!read.opened || read.error != 0) {
    outcome.stage = read.opened ? ConversionStage::NotRead : ConversionStage::NotOpened;
    return outcome;
  }
  outcome.error = WriteIncludeFile(outcome.includePath, outcome.baseName, store);
  outcome.stage = outcome.error == 0 ? ConversionStage::Converted : ConversionStage::NotWritten;
  outcome.vertices = store.VertexCount;
  outcome.normals = store.NormalCount;
  outcome.faces = store.FaceCount;
  return outcome;
}

}  // namespace meshfold
