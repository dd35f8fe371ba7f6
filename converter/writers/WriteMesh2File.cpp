#include "converter/writers/WriteMesh2File.h"

#include <algorithm>
#include <set>

#include "converter/RunTogether.h"
#include "converter/writers/IdentifierName.h"
#include "converter/writers/IncludeHeader.h"
#include "converter/writers/Mesh2Block.h"
#include "text/StringOperations.h"
#include "text/TextFileWriter.h"

namespace meshfold {

namespace {

constexpr uint32_t NoLocal = UINT32_MAX;

// The numbers a mesh2 gives the vectors or textures of one kind, from 0: the
// file's own, less first, the number of the first of them (1 for what the
// file numbers, 0 for textures), for the whole mesh; for a group, new ones in
// the order it first names them, so that it holds only what it uses.
class Numbering {
 public:
  Numbering(bool whole, size_t count, uint32_t first) : whole_(whole), count_(count), first_(first) {
    if (!whole) local_.assign(count + first, NoLocal);
  }
  uint32_t Local(uint32_t global) {
    if (whole_) return global - first_;
    if (local_[global] == NoLocal) {
      local_[global] = static_cast<uint32_t>(globals_.size());
      globals_.push_back(global);
    }
    return local_[global];
  }
  size_t Count() const { return whole_ ? count_ : globals_.size(); }
  uint32_t Global(size_t local) const {
    return whole_ ? static_cast<uint32_t>(local) + first_ : globals_[local];
  }
  // Forgets the numbers given, for the next group: at the cost of what it named.
  void Reset() {
    for (uint32_t global : globals_) local_[global] = NoLocal;
    globals_.clear();
  }

 private:
  bool whole_;
  size_t count_;
  uint32_t first_;
  std::vector<uint32_t> local_;
  std::vector<uint32_t> globals_;
};

bool EveryFileNormalUsed(const MeshPlan& plan) {
  const std::vector<bool>& used = plan.usedFileNormals;
  return used.size() < 2 || std::find(used.begin() + 1, used.end(), false) == used.end();
}

// What a mesh2 numbers anew: its vertices, normals, texture vertices and
// textures; kept from group to group, so that each costs only what it names.
struct Numberings {
  Numberings(const Mesh2Source& source, bool whole)
      : fileNormals(source.plan.normals == NormalSource::File ? static_cast<size_t>(source.store.NormalCount)
                                                              : 0),
        vertices(whole, static_cast<size_t>(source.store.VertexCount), 1),
        normals(whole && EveryFileNormalUsed(source.plan), fileNormals + source.plan.computed.vectors.size(),
                1),
        uvs(whole, static_cast<size_t>(source.store.UvCount), 1),
        textures(whole, source.textures.Count(), 0) {}
  void Reset() {
    for (Numbering* each : {&vertices, &normals, &uvs, &textures}) each->Reset();
  }
  size_t fileNormals;  // the file's normals come first, when any triangle may take them
  Numbering vertices, normals, uvs, textures;
};

// Entries a block formats in one go, on one thread.
constexpr size_t ChunkEntries = size_t{1} << 16;

// Formats a block's count entries: format(entries, at, end) gives those from
// place at on up to entry end and returns the place after them; skip(at, end)
// moves a place as far without formatting. A big block goes in pairs of
// chunks, the later of each formatted into memory on a second thread while
// this one gives the earlier to the file: formatting, not writing, is what a
// mesh2 costs.
template <typename Place, typename Skip, typename Format>
void FormatInChunks(Mesh2Block& block, size_t count, Place at, Skip skip, Format format) {
  std::string later;
  for (size_t from = 0; from < count;) {
    const size_t middle = std::min(count, from + ChunkEntries);
    const size_t end = std::min(count, middle + ChunkEntries);
    if (middle == end) return static_cast<void>(format(block, at, end));
    Place next = at;
    RunTogether([&] { format(block, at, middle); },
                [&] {
                  later.clear();
                  Mesh2Entries entries(later, static_cast<int64_t>(count - middle));
                  next = format(entries, skip(at, middle), end);
                });
    block.Append(later, static_cast<int64_t>(end - middle));
    at = next;
    from = end;
  }
}

// A block of the vectors or textures numbering gives: text(global, buffer)
// gives an entry's bytes, which buffer may hold.
void WriteEntries(FileHandle file, TextView name, const Numbering& numbering, auto text) {
  Mesh2Block block(file, name, static_cast<int64_t>(numbering.Count()));
  const auto format = [&](Mesh2Entries& entries, size_t from, size_t to) {
    std::string buffer;
    for (size_t local = from; local < to; ++local) entries.Entry(text(numbering.Global(local), buffer));
    return to;
  };
  FormatInChunks(
      block, numbering.Count(), size_t{0}, [](size_t, size_t to) { return to; }, format);
}

void WriteVertexVectors(FileHandle file, const RecordStore& store, const Numbering& vertices) {
  WriteEntries(file, u"vertex_vectors", vertices,
               [&](uint32_t global, std::string&) { return store.VertexTexts.Read(global); });
}

// A stretch of the plan's runs, from one up to another.
struct Span {
  size_t firstRun;
  size_t endRun;
};

// Writes one mesh2 of the plan's triangles in spans: the whole mesh in one
// span, or a group in the spans of its runs.
class Mesh2Writer {
 public:
  Mesh2Writer(FileHandle file, const Mesh2Source& source, std::vector<Span> spans, Numberings& numbers,
              bool whole)
      : file_(file),
        store_(source.store),
        plan_(source.plan),
        textures_(source.textures),
        spans_(std::move(spans)),
        whole_(whole),
        fileNormals_(numbers.fileNormals),
        vertices_(numbers.vertices),
        normals_(numbers.normals),
        uvs_(numbers.uvs),
        textureNumbers_(numbers.textures) {
    numbers.Reset();
    triangles_ = whole ? static_cast<size_t>(plan_.triangles) : NumberWhatIsUsed();
    if (whole && !EveryFileNormalUsed(plan_)) NumberUsedNormals();
  }

  void Write() {
    WriteLine(file_, u"mesh2 {", EncodingAnsi);
    WriteVertexVectors(file_, store_, vertices_);
    WriteAfterVertices();
  }

  // The mesh2 from its normal_vectors on: all of it but what the whole mesh
  // writes before its normals are computed.
  void WriteAfterVertices() {
    if (plan_.normals != NormalSource::None)
      WriteEntries(file_, u"normal_vectors", normals_,
                   [&](uint32_t g, std::string& buffer) { return NormalText(g, buffer); });
    if (plan_.uvMapped)
      WriteEntries(file_, u"uv_vectors", uvs_,
                   [&](uint32_t g, std::string&) { return store_.UvTexts.Read(g); });
    if (textures_.Count() > 0)
      WriteEntries(file_, u"texture_list", textureNumbers_,
                   [&](uint32_t g, std::string& buffer) { return textures_.Texture(g, buffer); });
    WriteFaceIndices();
    if (plan_.normals != NormalSource::None)
      WriteIndices(u"normal_indices", normals_, [&](auto& t, size_t k) { return NormalOf(t, k); });
    if (plan_.uvMapped) WriteIndices(u"uv_indices", uvs_, [&](auto& t, size_t k) { return UvOf(t, k); });
    if (plan_.uvMapped) WriteLine(file_, u"  uv_mapping", EncodingAnsi);
    WriteLine(file_, u"}", EncodingAnsi);
  }

 private:
  void ForEachTriangle(auto each) {
    for (const Span& span : spans_) WalkPlannedRuns(plan_, span.firstRun, span.endRun, each);
  }

  uint32_t VertexOf(const PlannedTriangle& t, size_t k) const { return store_.Corners[t.corners[k]]; }
  uint32_t UvOf(const PlannedTriangle& t, size_t k) const { return CornerUv(store_, t.corners[k]); }
  // The computed normals are numbered after the file's.
  uint32_t NormalOf(const PlannedTriangle& t, size_t k) const {
    if (t.fileNormals) return CornerNormal(store_, t.corners[k]);
    return static_cast<uint32_t>(fileNormals_) + 1 + plan_.computed.cornerNormals[3 * t.number + k];
  }

  // A group's numbering of everything its triangles name; returns how many
  // triangles it has.
  size_t NumberWhatIsUsed() {
    size_t triangles = 0;
    ForEachTriangle([&](const PlannedTriangle& t) {
      ++triangles;
      const TriangleTextures textures = textures_.Of(t);
      for (size_t k = 0; k < 3; ++k) {
        vertices_.Local(VertexOf(t, k));
        if (plan_.normals != NormalSource::None) normals_.Local(NormalOf(t, k));
        if (plan_.uvMapped) uvs_.Local(UvOf(t, k));
        if (k < textures.count) textureNumbers_.Local(textures.index[k]);
      }
    });
    return triangles;
  }

  // The whole mesh's normals in file order, the computed ones after the
  // file's, without the file's normals that no triangle takes.
  void NumberUsedNormals() {
    for (uint32_t normal = 1; normal <= fileNormals_; ++normal)
      if (plan_.usedFileNormals[normal]) normals_.Local(normal);
    for (size_t computed = 0; computed < plan_.computed.vectors.size(); ++computed)
      normals_.Local(static_cast<uint32_t>(fileNormals_ + 1 + computed));
  }

  // The file's normal as the store keeps it, or a computed one written into buffer.
  AsciiView NormalText(uint32_t global, std::string& buffer) const {
    if (global <= fileNormals_) return store_.NormalTexts.Read(global);
    return UnitVectorText(plan_.computed.vectors[global - fileNormals_ - 1], buffer);
  }

  // entry(entries, triangle) gives a triangle's entry. Every number is given
  // before the first block (NumberWhatIsUsed, NumberUsedNormals), so that
  // formatting only reads them and may go on two threads; a group's triangles
  // lie in runs apart, which one thread walks span by span.
  void WriteTriangleEntries(Mesh2Block& block, auto entry) {
    if (!whole_) return ForEachTriangle([&](const PlannedTriangle& t) { entry(block, t); });
    const auto skip = [&](PlanPoint at, size_t to) {
      return WalkPlan(plan_, at, to, [](const PlannedTriangle&) {});
    };
    FormatInChunks(block, triangles_, RunStart(plan_, 0), skip,
                   [&](Mesh2Entries& entries, PlanPoint at, size_t to) {
                     return WalkPlan(plan_, at, to, [&](const PlannedTriangle& t) { entry(entries, t); });
                   });
  }

  void WriteIndices(TextView name, Numbering& numbering, auto global) {
    Mesh2Block block(file_, name, static_cast<int64_t>(triangles_));
    WriteTriangleEntries(block, [&](Mesh2Entries& entries, const PlannedTriangle& t) {
      entries.Indices(numbering.Local(global(t, 0)), numbering.Local(global(t, 1)),
                      numbering.Local(global(t, 2)));
    });
  }

  void WriteFaceIndices() {
    Mesh2Block block(file_, u"face_indices", static_cast<int64_t>(triangles_));
    WriteTriangleEntries(block, [&](Mesh2Entries& entries, const PlannedTriangle& t) {
      TriangleTextures textures = textures_.Of(t);
      for (size_t k = 0; k < textures.count; ++k)
        textures.index[k] = textureNumbers_.Local(textures.index[k]);
      entries.Indices(vertices_.Local(VertexOf(t, 0)), vertices_.Local(VertexOf(t, 1)),
                      vertices_.Local(VertexOf(t, 2)), textures.index, textures.count);
    });
  }

  FileHandle file_;
  const RecordStore& store_;
  const MeshPlan& plan_;
  const MeshTextures& textures_;
  std::vector<Span> spans_;
  bool whole_;
  size_t fileNormals_;
  Numbering &vertices_, &normals_, &uvs_, &textureNumbers_;
  size_t triangles_ = 0;
};

// One "o" or "g" group: the spans of its runs, and how many triangles they give.
struct GroupPart {
  uint32_t group;
  std::vector<Span> spans;
  size_t triangles = 0;
};

// The parts of the groups, in the order the groups first hold a face.
std::vector<GroupPart> GroupParts(const RecordStore& store, const MeshPlan& plan) {
  std::vector<GroupPart> groups;
  std::vector<size_t> slot(store.GroupNames.Count(), SIZE_MAX);
  for (size_t run = 0; run < plan.runs.size(); ++run) {
    const uint32_t group = plan.runs[run].state.group;
    if (slot[group] == SIZE_MAX) {
      slot[group] = groups.size();
      groups.push_back({group, {}});
    }
    GroupPart& part = groups[slot[group]];
    part.spans.push_back({run, run + 1});
    part.triangles += RunEnd(plan, run) - plan.runs[run].firstTriangle;
  }
  return groups;
}

size_t PartsWithTriangles(const std::vector<GroupPart>& parts) {
  return std::count_if(parts.begin(), parts.end(), [](const GroupPart& part) { return part.triangles > 0; });
}

// The vertices go first, before the normals are computed, and their texts
// are let go then: a big scan's normals are computed without them (34 MB of
// a million-vertex scan's 218 MB peak).
void WriteWhole(FileHandle file, const Mesh2Source& source, const ConversionOptions& options,
                TextView declared) {
  WriteDeclare(file, declared);
  WriteLine(file, u"mesh2 {", EncodingAnsi);
  WriteVertexVectors(file, source.store, Numbering(true, static_cast<size_t>(source.store.VertexCount), 1));
  source.store.VertexTexts.Release();
  ComputePlannedNormals(source.plan, options);
  Numberings numbers(source, true);
  Mesh2Writer(file, source, {{0, source.plan.runs.size()}}, numbers, true).WriteAfterVertices();
}

// Each group with triangles as a mesh2 of its own, declared as NAME_<group>,
// then NAME as the union of them all; one such group alone is the whole mesh,
// as POV-Ray warns of a union of one object.
void WriteGroups(FileHandle file, const Mesh2Source& source, const ConversionOptions& options,
                 TextView declared) {
  std::vector<GroupPart> parts = GroupParts(source.store, source.plan);
  if (PartsWithTriangles(parts) < 2) return WriteWhole(file, source, options, declared);
  ComputePlannedNormals(source.plan, options);
  std::set<Text> names;
  std::vector<Text> objects;
  Numberings numbers(source, false);
  for (GroupPart& part : parts) {
    if (part.triangles == 0) continue;
    Mesh2Writer writer(file, source, std::move(part.spans), numbers, false);
    const TextView groupName = source.store.GroupNames.Name(part.group);
    const Text name = DeclaredName(JoinedText({declared, u"_", groupName.empty() ? u"default" : groupName}));
    Text unique = name;
    for (int64_t again = 2; !names.insert(unique).second; ++again)
      unique = JoinedText({name, u"_", IntegerToText(again)});
    WriteDeclare(file, unique);
    writer.Write();
    objects.push_back(JoinedText({u"  object { ", unique, u" }"}));
  }
  WriteDeclare(file, declared);
  WriteLine(file, u"union {", EncodingAnsi);
  for (const Text& object : objects) WriteLine(file, object, EncodingAnsi);
  WriteLine(file, u"}", EncodingAnsi);
}

}  // namespace

OsError WriteMesh2File(TextView includePath, TextView baseName, const Mesh2Source& source,
                       const ConversionOptions& options) {
  const Text declared = DeclaredName(baseName);
  return WriteTextFile(includePath, [&](FileHandle file) {
    WriteIncludeHeader(file,
                       {JoinedText({u"//   mesh2 from ", baseName, u".obj"}),
                        JoinedText({u"//   triangle count: ", IntegerToText(source.plan.triangles)})},
                       declared, options);
    if (source.plan.triangles == 0) {
      WriteDeclare(file, declared);
      WriteLine(file, u"   // no triangles, and a mesh2 needs at least one", EncodingAnsi);
      WriteLine(file, u"   union { }", EncodingAnsi);
    } else if (options.groups) {
      WriteGroups(file, source, options, declared);
    } else {
      WriteWhole(file, source, options, declared);
    }
  });
}

}  // namespace meshfold
