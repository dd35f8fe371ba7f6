#include "converter/looks/LookUpMaterials.h"

#include <algorithm>
#include <set>

#include "converter/looks/MaterialLibrary.h"
#include "text/StringOperations.h"

namespace meshfold {

namespace {

// Reads the library the OBJ file names as name: beside the OBJ file, or by
// its file name there when the path leads nowhere. False when neither opens;
// error then holds the first reason.
bool ReadLibrary(TextView folder, TextView name, MaterialLibrary& library, std::vector<Text>& warnings,
                 OsError& error) {
  const Text path = IsAbsolutePath(name) ? Text(name) : JoinedText({folder, name});
  std::vector<Text> found;
  error = ReadMaterialLibrary(path, name, library, found);
  if (error != 0 && FilePart(name) != name) {
    const OsError second =
        ReadMaterialLibrary(JoinedText({folder, FilePart(name)}), FilePart(name), library, found);
    if (second == 0) error = 0;
  }
  warnings.insert(warnings.end(), found.begin(), found.end());
  return error == 0;
}

// The words of an "mtllib" line: the whole first, since a name may hold
// blanks, then each word when the whole names no file.
void ReadLibraries(const Text& names, TextView folder, MaterialLibrary& library, std::set<Text>& read,
                   std::vector<Text>& warnings) {
  OsError error = 0;
  if (names.empty() || !read.insert(names).second) return;
  if (ReadLibrary(folder, names, library, warnings, error)) return;
  std::vector<TextView> words;
  for (TextView rest = TrimBlanks(names); !rest.empty();) words.push_back(TakeWord(rest));
  if (words.size() < 2) {
    warnings.push_back(
        JoinedText({u"material library ", names, u" could not be read: ", OsErrorText(error)}));
    return;
  }
  for (TextView word : words) {
    if (!read.insert(Text(word)).second || ReadLibrary(folder, word, library, warnings, error)) continue;
    warnings.push_back(JoinedText({u"material library ", word, u" could not be read: ", OsErrorText(error)}));
  }
}

}  // namespace

std::vector<MaterialLook> LookUpMaterials(const RecordStore& store, TextView objPath, bool uvMapped,
                                          std::vector<Text>& warnings) {
  MaterialLibrary library;
  std::set<Text> read;
  const TextView folder = DirectoryPart(objPath);
  const size_t before = warnings.size();
  for (const Text& names : store.MaterialLibraries) ReadLibraries(names, folder, library, read, warnings);
  // Where a library could not be used, its materials are missing for that
  // reason alone, which its warning already says.
  const bool librariesSound = warnings.size() == before;
  ImageFinder images(folder);
  const ImageSetting setting{images, uvMapped};
  std::vector<MaterialLook> looks{LookOf(Material(), setting, warnings)};
  for (uint32_t number = 1; number < store.MaterialNames.Count(); ++number) {
    const TextView name = store.MaterialNames.Name(number);
    const auto found = library.byName.find(Text(name));
    if (found != library.byName.end()) {
      looks.push_back(LookOf(library.materials[found->second], setting, warnings));
      continue;
    }
    if (librariesSound)
      warnings.push_back(JoinedText({u"material ", name, u" is defined in no material library"}));
    looks.push_back(looks.front());
  }
  return looks;
}

}  // namespace meshfold
