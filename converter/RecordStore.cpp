#include "converter/RecordStore.h"

namespace meshfold {

void CreateRecordStore(RecordStore& store, bool keepExact) {
  store.KeepExact = keepExact;
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
  store.TextureCount = 0;
  store.TextureTexts.Create(keepExact ? RecordLimit : -1);
  store.Textures.Clear();
}

}  // namespace meshfold
