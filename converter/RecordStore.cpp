#include "converter/RecordStore.h"

namespace meshfold {

void CreateRecordStore(RecordStore& store) {
  store.VertexCount = 0;
  store.NormalCount = 0;
  store.FaceCount = 0;
  store.LineCount = 0;
  store.LastFaceLine = 0;
  store.VertexTexts.Create(RecordLimit);
  store.NormalTexts.Create(RecordLimit);
  store.Corners.Clear();
  store.Corners.GrowTo(static_cast<size_t>(RecordLimit) * 4);
  store.CornerEnd = 0;
}

}  // namespace meshfold
