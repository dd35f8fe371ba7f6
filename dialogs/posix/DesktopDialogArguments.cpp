#include "dialogs/posix/DesktopDialogArguments.h"

#include <algorithm>

#include "text/CodePage.h"

namespace meshfold {

namespace {

// Both programs separate the wildcards of one filter with blanks.
std::string PatternBytes(TextView pattern) {
  std::string bytes = AnsiBytes(pattern);
  std::replace(bytes.begin(), bytes.end(), ';', ' ');
  return bytes;
}

// The filters with the selected one moved to the front.
std::vector<FileFilter> SelectedFirst(const FileChooserSetup& setup) {
  std::vector<FileFilter> filters = setup.filters;
  if (setup.selected < filters.size()) {
    std::rotate(filters.begin(), filters.begin() + static_cast<std::ptrdiff_t>(setup.selected),
                filters.begin() + static_cast<std::ptrdiff_t>(setup.selected) + 1);
  }
  return filters;
}

// zenity reads "NAME | PATTERN1 PATTERN2", cutting the name at its first bar.
std::vector<std::string> ZenityFileChooser(const FileChooserSetup& setup) {
  std::vector<std::string> arguments = {"zenity", "--file-selection", "--title=" + AnsiBytes(setup.title)};
  if (!setup.presetPath.empty()) arguments.push_back("--filename=" + AnsiBytes(setup.presetPath));
  for (const FileFilter& filter : SelectedFirst(setup)) {
    arguments.push_back("--file-filter=" + AnsiBytes(filter.label) + " | " + PatternBytes(filter.pattern));
  }
  return arguments;
}

// kdialog reads "PATTERNS|LABEL" lines, one line per filter.
std::vector<std::string> KdialogFileChooser(const FileChooserSetup& setup) {
  std::string filterLines;
  for (const FileFilter& filter : SelectedFirst(setup)) {
    if (!filterLines.empty()) filterLines += '\n';
    filterLines += PatternBytes(filter.pattern) + "|" + AnsiBytes(filter.label);
  }
  std::vector<std::string> arguments = {
      "kdialog", "--title", AnsiBytes(setup.title), "--getopenfilename",
      setup.presetPath.empty() ? std::string(".") : AnsiBytes(setup.presetPath)};
  if (!filterLines.empty()) arguments.push_back(filterLines);
  return arguments;
}

std::string MessageLines(TextView text) {
  std::string bytes = AnsiBytes(text);
  std::string lines;
  for (size_t at = 0; at < bytes.size(); ++at) {
    if (bytes[at] != '\r') {
      lines += bytes[at];
    } else if (at + 1 >= bytes.size() || bytes[at + 1] != '\n') {
      lines += '\n';
    }
  }
  if (!lines.empty() && lines.back() == '\n') lines.pop_back();
  return lines;
}

bool IsVariable(const std::string& entry, const std::string& name) { return entry.starts_with(name + "="); }

}  // namespace

std::vector<std::string> FileChooserArguments(DesktopProgram program, const FileChooserSetup& setup) {
  return program == DesktopProgram::Zenity ? ZenityFileChooser(setup) : KdialogFileChooser(setup);
}

std::vector<std::string> MessageBoxArguments(DesktopProgram program, TextView caption, TextView text) {
  if (program == DesktopProgram::Zenity) {
    return {"zenity", "--info", "--title=" + AnsiBytes(caption), "--text=" + MessageLines(text),
            "--no-markup"};
  }
  return {"kdialog", "--title", AnsiBytes(caption), "--msgbox", MessageLines(text)};
}

std::vector<std::string> DialogEnvironment(const std::vector<std::string>& environment) {
  const auto lcAll = std::find_if(environment.begin(), environment.end(),
                                  [](const std::string& entry) { return IsVariable(entry, "LC_ALL"); });
  const bool moveLcAll = lcAll != environment.end() && lcAll->size() > std::string("LC_ALL=").size();
  std::vector<std::string> result;
  for (const std::string& entry : environment) {
    const bool replaced = IsVariable(entry, "LC_ALL") || IsVariable(entry, "LC_CTYPE") ||
                          (moveLcAll && IsVariable(entry, "LANG"));
    if (!replaced) result.push_back(entry);
  }
  if (moveLcAll) result.push_back("LANG=" + lcAll->substr(std::string("LC_ALL=").size()));
  result.push_back("LC_CTYPE=C.UTF-8");
  return result;
}

}  // namespace meshfold
