#include "dialogs/OpenFileDialog.h"

#include <algorithm>

#include "dialogs/DialogPlatform.h"

namespace meshfold {

namespace {

bool IsForbiddenInName(char16_t unit) {
  if (unit >= 0x0001 && unit <= 0x001F) return true;
  constexpr TextView Forbidden = u"\"*/:<>?\\|";
  return Forbidden.find(unit) != TextView::npos;
}

}  // namespace

Text FilterList(TextView patterns) {
  Text list(patterns.size() + 3, u'\0');
  std::replace_copy(patterns.begin(), patterns.end(), list.begin(), u'|', u'\0');
  return list;
}

DialogPreset PresetFromDefaultFile(TextView defaultFile) {
  DialogPreset preset;
  TextView candidate = defaultFile;
  const size_t lastBackslash = defaultFile.rfind(u'\\');
  if (lastBackslash != TextView::npos && lastBackslash > 0) {
    preset.initialDirectory = Text(defaultFile.substr(0, lastBackslash));
    candidate = defaultFile.substr(lastBackslash + 1);
  }
  candidate = candidate.substr(0, FileBufferLength - 1);
  std::copy(candidate.begin(), candidate.end(), preset.fileBuffer.begin());
  if (!IsValidFileName(candidate)) preset.fileBuffer.fill(u'\0');
  return preset;
}

bool IsValidFileName(TextView name) {
  return !name.empty() && std::none_of(name.begin(), name.end(), IsForbiddenInName);
}

Text OpenFileDialog(TextView title, TextView defaultFile, TextView patterns, int32_t selectedPattern,
                    FormChoice& form) {
  DialogPreset preset = PresetFromDefaultFile(defaultFile);
  FileDialogRequest request;
  request.owner = DialogOwner();
  request.title = Text(title);
  request.filterList = FilterList(patterns);
  request.filterIndex = static_cast<uint32_t>(selectedPattern) + 1;
  request.fileBuffer = preset.fileBuffer;
  request.initialDirectory = preset.initialDirectory;
  Text chosenPath;
  BeginModal();
  const bool chosen = ShowFileChooser(request, chosenPath);
  EndModal();
  form = chosen ? request.form : FormChoice{};
  return chosen ? chosenPath : Text();
}

}  // namespace meshfold
