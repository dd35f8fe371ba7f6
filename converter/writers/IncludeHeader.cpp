#include "converter/writers/IncludeHeader.h"

#include "converter/writers/WriteSceneFile.h"
#include "text/StringOperations.h"
#include "text/TextFileWriter.h"

namespace meshfold {

void WriteIncludeHeader(FileHandle file, std::initializer_list<TextView> comments, TextView declared,
                        const ConversionOptions& options) {
  for (TextView comment : comments) WriteLine(file, comment, EncodingAnsi);
  if (options.scene) WriteLine(file, OrientationComment(declared, options.up), EncodingAnsi);
  WriteLine(file, u"", EncodingAnsi);
}

void WriteDeclare(FileHandle file, TextView name) {
  WriteLine(file, JoinedText({u"#declare ", name, u" = "}), EncodingAnsi);
}

Text OrientationComment(TextView declared, UpAxis up) {
  return JoinedText({u"//   OBJ is right-handed, POV-Ray left-handed: object { ", declared, u" ",
                     ModelTurn(up), u" } shows the model as its modeller did, its front toward -z"});
}

}  // namespace meshfold
