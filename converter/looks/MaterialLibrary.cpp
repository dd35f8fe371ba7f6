#include "converter/looks/MaterialLibrary.h"

#include <array>
#include <cmath>

#include "converter/obj/RecordLines.h"
#include "text/StringOperations.h"
#include "text/TextFileReader.h"

namespace meshfold {

namespace {

// Reads one material file line by line, into the material last opened by
// "newmtl". Keywords are matched as exporters write them, in either case:
// "map_Kd" and "map_kd" alike.
class LibraryReader {
 public:
  LibraryReader(TextView shownName, MaterialLibrary& library, std::vector<Text>& warnings)
      : shownName_(shownName), folder_(DirectoryPart(shownName)), library_(library), warnings_(warnings) {}

  void Read(TextView record, int64_t line) {
    TextView rest = record;
    const TextView keyword = TakeWord(rest);
    line_ = line;
    if (keyword.empty() || keyword.front() == u'#') return;
    if (SameTextNoCase(keyword, u"newmtl")) return Open(rest);
    if (current_ == nullptr) return;
    if (SameTextNoCase(keyword, u"Kd")) return ReadColour(keyword, rest, current_->diffuse);
    if (SameTextNoCase(keyword, u"Ks")) return ReadColour(keyword, rest, current_->specular);
    if (SameTextNoCase(keyword, u"Ke")) return ReadColour(keyword, rest, current_->emission);
    if (SameTextNoCase(keyword, u"Ns")) {
      ReadNumber(keyword, rest, current_->shininess);
      return;
    }
    if (SameTextNoCase(keyword, u"d")) return ReadOpacity(keyword, rest, false);
    if (SameTextNoCase(keyword, u"Tr")) return ReadOpacity(keyword, rest, true);
    if (SameTextNoCase(keyword, u"illum")) return ReadIllumination(keyword, rest);
    if (SameTextNoCase(keyword, u"map_Kd")) return ReadMap(rest, current_->diffuseMap);
    if (SameTextNoCase(keyword, u"bump") || SameTextNoCase(keyword, u"map_Bump"))
      ReadMap(rest, current_->bumpMap);
  }

  // A file that defines no material at all is no material library.
  void Finish() {
    line_ = 0;
    if (!opened_) Warn({u"holds no material"});
  }

 private:
  void Open(TextView name) {
    opened_ = true;
    current_ = nullptr;
    const Text key(name);
    if (library_.byName.contains(key)) return;
    library_.byName.emplace(key, library_.materials.size());
    current_ = &library_.materials.emplace_back();
    current_->name = key;
    current_->folder = Text(folder_);
  }

  void Warn(std::initializer_list<TextView> words) {
    const IntegerText line = IntegerToText(line_);
    Text warning =
        JoinedText({shownName_, line_ > 0 ? u" line " : u"", line_ > 0 ? line.View() : TextView(), u": "});
    for (TextView word : words) warning.append(word);
    warnings_.push_back(std::move(warning));
  }

  // Up to count numbers from the start of text; how many were read before the
  // first word that is none.
  static size_t ReadNumbers(TextView text, double* values, size_t count) {
    size_t read = 0;
    for (; read < count; ++read) {
      const TextView word = TakeWord(text);
      if (word.empty() || !TextToNumber(word, values[read]) || !std::isfinite(values[read])) break;
    }
    return read;
  }

  // "r g b", or one value for all three, as the format allows.
  void ReadColour(TextView keyword, TextView rest, Vector3& colour) {
    std::array<double, 3> values{};
    const size_t read = ReadNumbers(rest, values.data(), 3);
    if (read == 0 || read == 2) return Warn({keyword, u" takes numbers: ", rest});
    colour = read == 1 ? Vector3{values[0], values[0], values[0]} : values;
  }

  // False, with a warning, when rest does not begin with a number.
  bool ReadNumber(TextView keyword, TextView rest, double& value) {
    if (ReadNumbers(rest, &value, 1) > 0) return true;
    Warn({keyword, u" takes a number: ", rest});
    return false;
  }

  // "d -halo 0.5" is read as "d 0.5".
  void ReadOpacity(TextView keyword, TextView rest, bool transparency) {
    if (SameTextNoCase(rest.substr(0, 5), u"-halo")) TakeWord(rest);
    double value = 0;
    if (!ReadNumber(keyword, rest, value)) return;
    current_->opacity = transparency ? 1 - value : value;
    current_->opacitySaid = JoinedText({keyword, u" ", TakeWord(rest)});
  }

  void ReadIllumination(TextView keyword, TextView rest) {
    double value = 0;
    if (ReadNumber(keyword, rest, value)) current_->illumination = static_cast<int64_t>(value);
  }

  // "map_Kd [-option value...] file": the options are passed over, but for a
  // bump map's -bm; the rest of the line is the file, blanks and all.
  void ReadMap(TextView rest, Text& file) {
    while (!rest.empty() && rest.front() == u'-') {
      const TextView option = TakeWord(rest);
      if (TakesWord(option)) {
        TakeWord(rest);
        continue;
      }
      double values[3] = {};
      const size_t read = ReadNumbers(rest, values, NumbersOf(option));
      for (size_t k = 0; k < read; ++k) TakeWord(rest);
      if (SameTextNoCase(option, u"-bm") && read > 0) current_->bumpSize = values[0];
    }
    file = Text(rest);
  }

  static bool TakesWord(TextView option) {
    for (TextView each : {u"-imfchan", u"-type", u"-clamp", u"-blendu", u"-blendv", u"-cc"})
      if (SameTextNoCase(option, each)) return true;
    return false;
  }

  // -o, -s and -t take up to three numbers, -mm two, the others one.
  static size_t NumbersOf(TextView option) {
    if (SameTextNoCase(option, u"-mm")) return 2;
    return SameTextNoCase(option, u"-o") || SameTextNoCase(option, u"-s") || SameTextNoCase(option, u"-t")
               ? 3
               : 1;
  }

  TextView shownName_;
  TextView folder_;
  MaterialLibrary& library_;
  std::vector<Text>& warnings_;
  Material* current_ = nullptr;
  bool opened_ = false;
  int64_t line_ = 0;
};

}  // namespace

OsError ReadMaterialLibrary(TextView path, TextView shownName, MaterialLibrary& library,
                            std::vector<Text>& warnings) {
  OsError error = 0;
  const FileHandle file = OpenTextFile(AnyHandle, path, error);
  if (file == 0) return error;
  LibraryReader reader(shownName, library, warnings);
  RecordLines records(file);
  for (int64_t line = 1; records.More();) {
    int64_t lines = 0;
    reader.Read(records.Next(lines), line);
    line += lines;
  }
  reader.Finish();
  return CloseTextFile(file);
}

}  // namespace meshfold
