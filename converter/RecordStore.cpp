#include "converter/RecordStore.h"

namespace meshfold {

void CreateRecordStore(RecordStore& store) {
  store.VertexCount = 0;
  store.NormalCount = 0;
  store.FaceCount = 0;
  store.VertexTexts.Create(RecordLimit);
  store.NormalTexts.Create(RecordLimit);
  store.FaceTexts.Clear();
  store.FaceTexts.GrowTo(static_cast<size_t>(RecordLimit));
}

}  // namespace meshfold
