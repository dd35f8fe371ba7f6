#include "converter/obj/ExtractRecord.h"

#include <limits>

#include "text/StringOperations.h"

namespace meshfold {

namespace {

const char16_t* SkipDigits(const char16_t* at, const char16_t* end) {
  while (at != end && IsDecimalDigit(*at)) ++at;
  return at;
}

// Length of an exponent ("e", an optional sign, at least one digit) at `at`;
// 0 when none begins there.
size_t ExponentLength(const char16_t* at, const char16_t* end) {
  const char16_t* const begin = at;
  if (at == end || (*at != u'e' && *at != u'E')) return 0;
  ++at;
  if (at != end && (*at == u'-' || *at == u'+')) ++at;
  const char16_t* const digits = at;
  at = SkipDigits(at, end);
  return at == digits ? 0 : static_cast<size_t>(at - begin);
}

// Where a field's first '.' stands and where the digits after it end.
struct Point {
  const char16_t* at = nullptr;  // nullptr when the field has none
  const char16_t* decimalsEnd = nullptr;
};

const char16_t* SkipSeparators(const char16_t* at, const char16_t* end) {
  while (at != end && IsBlank(*at)) ++at;
  return at;
}

const char16_t* SkipField(const char16_t* at, const char16_t* end) {
  while (at != end && !IsBlank(*at)) ++at;
  return at;
}

// Scans the field at `at`, up to the blank or tab that ends it, as the number
// a coordinate must be for POV-Ray to read it: an optional sign, digits with
// at most one point among them, an optional exponent. Returns where the field
// ends; number tells whether it is such a number, and point, for a number,
// where its point stands. One look at each unit of a number; inlined into its
// two callers, as every coordinate of every vector passes through it.
[[gnu::always_inline]] inline const char16_t* ScanNumber(const char16_t* at, const char16_t* end,
                                                         Point& point, bool& number) {
  if (at != end && (*at == u'+' || *at == u'-')) ++at;
  const char16_t* const digits = at;
  at = SkipDigits(at, end);
  bool read = at != digits;
  if (at != end && *at == u'.') {
    point.at = at;
    at = point.decimalsEnd = SkipDigits(at + 1, end);
    read = read || at != point.at + 1;
  }
  if (read) at += ExponentLength(at, end);
  number = read && (at == end || IsBlank(*at));
  return number ? at : SkipField(at, end);
}

// A coordinate field after the decimal cut: the kept text, then the exponent
// that follows it in the output ("" when there is none or it is kept anyway).
struct CutField {
  TextView kept;
  TextView exponent;
};

// Cuts the field begin .. end after the third character behind its point. A
// field without a point stays whole, since cutting an integer would change its
// value; an exponent survives the cut, and a field with three decimals or
// fewer before its exponent stays whole.
CutField CutDecimals(const char16_t* begin, const Point& point, const char16_t* end) {
  const TextView whole(begin, static_cast<size_t>(end - begin));
  if (point.at == nullptr) return {whole, {}};
  const TextView kept = whole.substr(0, static_cast<size_t>(point.at + 4 - begin));
  const size_t exponent = ExponentLength(point.decimalsEnd, end);
  if (exponent == 0) return {kept, {}};
  if (point.decimalsEnd - point.at <= 4) return {whole, {}};
  return {kept, TextView(point.decimalsEnd, exponent)};
}

// Stores the vector of a plain record: three numbers apart by single blanks,
// then at most blanks and tabs. x and y run through their blank, z through
// the end. False, with nothing stored, for any other record.
bool StorePlainVector(TextView record, int64_t& count, TextArray& texts) {
  const char16_t* at = record.data();
  const char16_t* const end = at + record.size();
  CutField cut[3];
  for (size_t field = 0; field < 3; ++field) {
    if (at == end || IsBlank(*at)) return false;
    Point point;
    bool number = false;
    const char16_t* const stop = ScanNumber(at, end, point, number);
    const bool last = field == 2;
    if (!number || (last ? SkipSeparators(stop, end) != end : stop == end || *stop != u' ')) return false;
    cut[field] = CutDecimals(at, point, last ? end : stop + 1);
    at = stop + 1;
  }
  texts.GrowTo(++count);
  texts.AssignJoined(count, {u"<", cut[0].kept, cut[0].exponent, u", ", cut[1].kept, cut[1].exponent, u", ",
                             cut[2].kept, cut[2].exponent, u"> "});
  return true;
}

// The record number an index names: a negative index counts back from the
// last record read so far. 0 when it names no record that can exist.
uint32_t ResolveIndex(int64_t number, int64_t countSoFar) {
  if (number < 0) number += countSoFar + 1;
  const bool storable = number >= 1 && number <= std::numeric_limits<uint32_t>::max();
  return storable ? static_cast<uint32_t>(number) : 0;
}

// The coordinates of a vector record: its first three fields apart by blanks
// and tabs, "0" for each that is missing or is no number (ScanNumber), which
// POV-Ray would refuse. When exact, a leading "+" is dropped.
struct Coordinates {
  TextView value[6] = {u"0", u"0", u"0", u"0", u"0", u"0"};
  size_t numbers = 0;  // fields read that are numbers
};

// Reads up to fields fields (3, or 6 for a vertex's colour after its position).
Coordinates ReadCoordinates(TextView record, bool exact, size_t fields = 3) {
  Coordinates coordinates;
  const char16_t* at = record.data();
  const char16_t* const end = at + record.size();
  at = SkipSeparators(at, end);
  for (size_t field = 0; at != end && field < fields; ++field, at = SkipSeparators(at, end)) {
    const char16_t* const start = at;
    Point point;
    bool number = false;
    at = ScanNumber(at, end, point, number);
    const char16_t* const begin = exact && *start == u'+' ? start + 1 : start;
    if (number) coordinates.value[field] = TextView(begin, static_cast<size_t>(at - begin));
    coordinates.numbers += number ? 1 : 0;
  }
  return coordinates;
}

// The record of a plain line keeps the bytes its plain reading gives. Any other
// is read as its first three fields with single blanks between them would be,
// a coordinate missing or no number being 0, so that runs of separators, extra
// fields (w, colours) and words POV-Ray would refuse never reach the vector
// text.
void StoreVector(TextView record, bool plain, int64_t& count, TextArray& texts, Text& fields) {
  if (plain && StorePlainVector(record, count, texts)) return;
  const Coordinates read = ReadCoordinates(record, false);
  JoinTexts(fields, {read.value[0], u" ", read.value[1], u" ", read.value[2]});
  StorePlainVector(fields, count, texts);
}

// Stores "<x,y,z>" (or "<u,v>" for two coordinates) with every digit each
// field has. A coordinate that is missing or is no number is 0, as in a
// record the union reads.
void StoreExactVector(const Coordinates& read, size_t coordinateCount, int64_t& count, TextArray& texts) {
  const TextView(&number)[6] = read.value;
  texts.GrowTo(++count);
  if (coordinateCount == 2) return texts.AssignJoined(count, {u"<", number[0], u",", number[1], u">"});
  texts.AssignJoined(count, {u"<", number[0], u",", number[1], u",", number[2], u">"});
}

// A vertex's colour, when six numbers give its position and colour; the first
// colour gives every vertex before it none.
void StoreColour(const Coordinates& read, RecordStore& store) {
  Colour colour = NoColour;
  double component = 0;
  for (size_t k = 0; read.numbers == 6 && k < 3; ++k)
    colour[k] = TextToNumber(read.value[3 + k], component) ? static_cast<float>(component) : 0;
  if (store.VertexColours.empty() && colour == NoColour) return;
  store.VertexColours.resize(static_cast<size_t>(store.VertexCount), NoColour);
  store.VertexColours.push_back(colour);
}

// A vertex or normal record, in the form the store keeps.
[[gnu::always_inline]] inline void StorePoint(TextView record, bool plain, int64_t& count, TextArray& texts,
                                              RecordStore& store) {
  if (!store.ForMesh2) return StoreVector(record, plain, count, texts, store.Fields);
  const bool vertex = &texts == &store.VertexTexts;
  const Coordinates read = ReadCoordinates(record, true, vertex ? 6 : 3);
  StoreExactVector(read, 3, count, texts);
  if (vertex) StoreColour(read, store);
}

// Where the index part that begins at `at` ends: its '/', blank or tab, or end.
const char16_t* IndexEnd(const char16_t* at, const char16_t* end) {
  while (at != end && *at != u'/' && !IsBlank(*at)) ++at;
  return at;
}

// The index part at `at` read as TextToInteger reads it; `at` moves to its end.
// A part that begins with digits, or an empty one, is read in the same look
// that finds its end. The digits are read through a local pointer: through `at`
// itself, each step would be stored back to the caller's pointer. Inlined: a
// corner reads two or three parts.
[[gnu::always_inline]] inline int64_t ReadIndex(const char16_t*& at, const char16_t* end) {
  const char16_t* const start = at;
  uint64_t value = 0;
  const char16_t* const digit = detail::AddDigits(start, end, value);
  at = IndexEnd(digit, end);
  if (digit != start || at == start) return static_cast<int64_t>(value);
  return TextToInteger(TextView(start, static_cast<size_t>(at - start)));
}

// The corner v, v/vt, v//vn or v/vt/vn at `at`, which moves past it: the
// vertex index before the first '/', the uv index after it (read only
// when the store keeps uvs), the normal index after the second. raw is
// the vertex index as written.
Corner ReadCorner(const char16_t*& at, const char16_t* end, const RecordStore& store, int64_t& raw,
                  uint32_t& uv) {
  raw = ReadIndex(at, end);
  int64_t normal = 0;
  if (at != end && *at == u'/') {
    ++at;
    if (store.ForMesh2) {
      uv = ResolveIndex(ReadIndex(at, end), store.UvCount);
    } else {
      at = IndexEnd(at, end);
    }
    if (at != end && *at == u'/') normal = ReadIndex(++at, end);
  }
  at = SkipField(at, end);
  return {ResolveIndex(raw, store.VertexCount), ResolveIndex(normal, store.NormalCount)};
}

// The head of the face line being read, with its line number escaped when the
// distance from the previous face line does not fit. Returns the head's place.
size_t AppendFaceHead(RecordStore& store) {
  const auto gap = static_cast<uint64_t>(store.LineCount - store.LastFaceLine - 1);
  store.LastFaceLine = store.LineCount;
  const size_t head = store.CornerEnd;
  AppendCorner(store, {0, gap < LineEscape ? static_cast<uint32_t>(gap) : LineEscape});
  const auto line = static_cast<uint64_t>(store.LineCount);
  if (gap >= LineEscape)
    AppendCorner(store, {static_cast<uint32_t>(line), static_cast<uint32_t>(line >> 32)});
  return head;
}

// Corners are fields apart by blanks and tabs, up to a '#' that begins a
// comment. When a vertex index names no record that can exist, the first such
// index, as written, follows the corners: the writer says which it was.
void StoreFace(TextView record, RecordStore& store) {
  ++store.FaceCount;
  const size_t head = AppendFaceHead(store);
  const char16_t* at = record.data();
  const char16_t* const end = at + record.size();
  uint32_t count = 0;
  int64_t missing = 0;
  bool resolved = true;
  for (at = SkipSeparators(at, end); at != end && *at != u'#'; at = SkipSeparators(at, end), ++count) {
    int64_t raw = 0;
    uint32_t uv = 0;
    const Corner corner = ReadCorner(at, end, store, raw, uv);
    if (corner.vertex == 0 && resolved) missing = raw;
    resolved = resolved && corner.vertex != 0;
    AppendCorner(store, corner, uv);
  }
  store.Corners[head] = count;
  const auto value = static_cast<uint64_t>(missing);
  if (!resolved) AppendCorner(store, {static_cast<uint32_t>(value), static_cast<uint32_t>(value >> 32)});
}

// Takes the keyword and the blank or tab after it off the line when the line
// begins with them after any blanks and tabs. plain tells whether the line
// began with the keyword itself and a single blank followed it. Inlined, since
// every line takes the three tests and most fail at their first comparison.
template <size_t Length>
[[gnu::always_inline]] inline bool TakeKeyword(TextView& line, const char16_t (&keyword)[Length],
                                               bool& plain) {
  constexpr size_t size = Length - 1;
  size_t at = 0;
  while (at < line.size() && IsBlank(line[at])) ++at;
  if (line.size() - at <= size || line[at] != keyword[0]) return false;
  for (size_t k = 1; k < size; ++k)
    if (line[at + k] != keyword[k]) return false;
  if (!IsBlank(line[at + size])) return false;
  plain = at == 0 && line[size] == u' ';
  line.remove_prefix(at + size + 1);
  return true;
}

// The faces from the next on take the state of the last, changed by change.
void ChangeFaceState(RecordStore& store, auto change) {
  const int64_t firstFace = store.FaceCount + 1;
  if (store.FaceRuns.empty() || store.FaceRuns.back().firstFace != firstFace)
    store.FaceRuns.push_back({firstFace, store.FaceRuns.empty() ? FaceState() : store.FaceRuns.back().state});
  change(store.FaceRuns.back().state);
}

// The records that say what the faces after them look like: "s N" puts them
// in smoothing group N ("s off" and "s 0" in none), "usemtl" gives their
// material, "o" and "g" their group; "mtllib" names the material files.
void StoreLookRecords(TextView& line, bool& plain, RecordStore& store) {
  if (TakeKeyword(line, u"s", plain)) {
    store.HasSmoothing = true;
    ChangeFaceState(store, [group = TextToInteger(line)](FaceState& state) { state.smoothing = group; });
  }
  if (TakeKeyword(line, u"usemtl", plain)) {
    const uint32_t material = store.MaterialNames.Number(TrimBlanks(line));
    ChangeFaceState(store, [material](FaceState& state) { state.material = material; });
  }
  if (TakeKeyword(line, u"mtllib", plain)) store.MaterialLibraries.emplace_back(TrimBlanks(line));
  if (TakeKeyword(line, u"o", plain) || TakeKeyword(line, u"g", plain)) {
    const uint32_t group = store.GroupNames.Number(TrimBlanks(line));
    ChangeFaceState(store, [group](FaceState& state) { state.group = group; });
  }
}

}  // namespace

void ExtractRecord(TextView line, RecordStore& store) {
  ++store.LineCount;
  bool plain = false;
  if (TakeKeyword(line, u"v", plain)) StorePoint(line, plain, store.VertexCount, store.VertexTexts, store);
  if (TakeKeyword(line, u"vn", plain)) StorePoint(line, plain, store.NormalCount, store.NormalTexts, store);
  if (TakeKeyword(line, u"f", plain)) StoreFace(line, store);
  if (!store.ForMesh2) return;
  // The records only a mesh2 reads begin with one of these letters; most lines
  // left of a v, vn or f record begin with a digit.
  const char16_t* const first = SkipSeparators(line.data(), line.data() + line.size());
  if (first == line.data() + line.size() || TextView(u"vsumog").find(*first) == TextView::npos) return;
  if (TakeKeyword(line, u"vt", plain))
    StoreExactVector(ReadCoordinates(line, true), 2, store.UvCount, store.UvTexts);
  StoreLookRecords(line, plain, store);
}

}  // namespace meshfold
