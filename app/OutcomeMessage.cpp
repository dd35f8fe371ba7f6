#include "app/OutcomeMessage.h"

#include "text/StringOperations.h"

namespace meshfold {

namespace {

TextView WhatWentWrong(ConversionStage stage) {
  switch (stage) {
    case ConversionStage::WouldReplace:
      return u"would replace the chosen file; nothing was written";
    case ConversionStage::NotOpened:
      return u"could not be opened";
    case ConversionStage::NotRead:
      return u"could not be read; nothing was written";
    case ConversionStage::NotWritten:
    case ConversionStage::Converted:
      break;
  }
  return u"could not be written";
}

}  // namespace

TextView FailedPath(const ConversionOutcome& outcome) {
  const bool objFailed =
      outcome.stage == ConversionStage::NotOpened || outcome.stage == ConversionStage::NotRead;
  return objFailed ? outcome.objPath : outcome.includePath;
}

Text OutcomeMessage(const ConversionOutcome& outcome) {
  if (outcome.Converted()) {
    return JoinedText({outcome.baseName, u".inc created \r", IntegerToText(outcome.vertices), u"  vertexs\r",
                       IntegerToText(outcome.normals), u"  vertex normals\r", IntegerToText(outcome.faces),
                       u"  faces\r"});
  }
  Text message = JoinedText({FailedPath(outcome), u"\r", WhatWentWrong(outcome.stage)});
  if (outcome.error != 0) AppendTexts(message, {u": ", OsErrorText(outcome.error)});
  AppendTexts(message, {u"\r"});
  return message;
}

}  // namespace meshfold
