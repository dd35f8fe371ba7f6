#include "converter/obj/StoredFaces.h"

#include "text/StringOperations.h"

namespace meshfold {

Text LeftOutWords(const StoredFace& face) {
  Text words = JoinedText({u"face line ", IntegerToText(face.line), u" left out: "});
  if (face.count < 3) {
    AppendTexts(words, {IntegerToText(face.count), u" corners, fewer than 3"});
  } else {
    AppendTexts(words, {u"vertex ", IntegerToText(face.missingVertex), u" does not exist"});
  }
  return words;
}

}  // namespace meshfold
