#include "converter/RecordStore.h"

namespace meshfold {

namespace {

TextView StoredVector(const TextArray& texts, int64_t count, int64_t number) {
  if (number < 1 || number > count) return {};
  return texts.Read(number);
}

}  // namespace

void CreateRecordStore(RecordStore& store) {
  store.VertexCount = 0;
  store.NormalCount = 0;
  store.FaceCount = 0;
  store.VertexTexts.Create(RecordLimit);
  store.NormalTexts.Create(RecordLimit);
  store.FaceTexts.Create(static_cast<size_t>(RecordLimit));
}

TextView VertexVector(const RecordStore& store, int64_t number) {
  return StoredVector(store.VertexTexts, store.VertexCount, number);
}

TextView NormalVector(const RecordStore& store, int64_t number) {
  return StoredVector(store.NormalTexts, store.NormalCount, number);
}

}  // namespace meshfold
