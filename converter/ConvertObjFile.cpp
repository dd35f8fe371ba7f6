#include "converter/ConvertObjFile.h"

#include "converter/IncludeNames.h"
#include "converter/ReadObjFile.h"
#include "converter/RecordStore.h"
#include "converter/WriteIncludeFile.h"
#include "text/StringOperations.h"

namespace meshfold {

namespace {

ConversionOutcome Failure(TextView path, TextView what, OsError error) {
  ConversionOutcome outcome;
  JoinTexts(outcome.message, {path, u"\r", what});
  if (error != 0) AppendTexts(outcome.message, {u": ", OsErrorText(error)});
  AppendTexts(outcome.message, {u"\r"});
  return outcome;
}

ConversionOutcome Summary(TextView baseName, const RecordStore& store) {
  ConversionOutcome outcome;
  outcome.converted = true;
  JoinTexts(outcome.message, {baseName, u".inc created \r", IntegerToText(store.VertexCount), u"  vertexs\r",
                              IntegerToText(store.NormalCount), u"  vertex normals\r",
                              IntegerToText(store.FaceCount), u"  faces\r"});
  return outcome;
}

}  // namespace

ConversionOutcome ConvertObjFile(TextView objPath) {
  const IncludeNames names = DeriveIncludeNames(objPath);
  if (OsFiles().sameFile(objPath, names.IncludePath)) {
    return Failure(names.IncludePath, u"would replace the chosen file; nothing was written", 0);
  }
  RecordStore store;
  CreateRecordStore(store);
  const ObjReadResult read = ReadObjFile(objPath, store);
  if (!read.opened) return Failure(objPath, u"could not be opened", read.error);
  if (read.error != 0) return Failure(objPath, u"could not be read; nothing was written", read.error);
  const OsError writeError = WriteIncludeFile(names.IncludePath, names.BaseName, store);
  if (writeError != 0) return Failure(names.IncludePath, u"could not be written", writeError);
  return Summary(names.BaseName, store);
}

}  // namespace meshfold
