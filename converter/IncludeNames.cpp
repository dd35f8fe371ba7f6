#include "converter/IncludeNames.h"

#include "text/StringOperations.h"

namespace meshfold {

IncludeNames DeriveIncludeNames(TextView objPath) {
  IncludeNames names;
  const TextView filePart = FilePart(objPath);
  names.BaseName = Text(SubText(filePart, 1, static_cast<int32_t>(TextLength(filePart) - 4)));
  JoinTexts(names.IncludePath, {DirectoryPart(objPath), names.BaseName, u".inc"});
  return names;
}

}  // namespace meshfold
