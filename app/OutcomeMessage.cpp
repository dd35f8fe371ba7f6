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
    case ConversionStage::SceneNotWritten:
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
  if (outcome.stage == ConversionStage::SceneNotWritten) return outcome.scenePath;
  return objFailed ? outcome.objPath : outcome.includePath;
}

Text OutcomeMessage(const ConversionOutcome& outcome) {
  const bool sceneFailed = outcome.stage == ConversionStage::SceneNotWritten;
  Text message;
  if (outcome.Converted() || sceneFailed) {
    const bool scene = outcome.Converted() && !outcome.scenePath.empty();
    message =
        JoinedText({outcome.baseName, u".inc created \r", IntegerToText(outcome.vertices), u"  vertexs\r",
                    IntegerToText(outcome.normals), u"  vertex normals\r", IntegerToText(outcome.faces),
                    u"  faces\r", scene ? FilePart(outcome.scenePath) : u"", scene ? u" created \r" : u""});
    if (!sceneFailed) return message;
  }
  // A scene that would replace the chosen file is refused, and for that the platform gives no reason.
  const TextView wrong = sceneFailed && outcome.error == 0
                             ? u"would replace the chosen file; it was not written"
                             : WhatWentWrong(outcome.stage);
  AppendTexts(message, {FailedPath(outcome), u"\r", wrong});
  if (outcome.error != 0) AppendTexts(message, {u": ", OsErrorText(outcome.error)});
  AppendTexts(message, {u"\r"});
  return message;
}

}  // namespace meshfold
