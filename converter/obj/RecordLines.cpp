#include "converter/obj/RecordLines.h"

namespace meshfold {

void RecordLines::Append(TextView piece) {
  if (piece.empty()) return;
  if (!joined_.empty()) joined_.push_back(u' ');
  joined_.append(piece);
}

}  // namespace meshfold
