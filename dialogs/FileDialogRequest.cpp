#include "dialogs/FileDialogRequest.h"

#include <algorithm>

namespace meshfold {

std::vector<FileFilter> FilterPairs(TextView filterList) {
  std::vector<TextView> fields;
  while (!filterList.empty() && filterList.front() != u'\0') {
    const size_t end = std::min(filterList.find(u'\0'), filterList.size());
    fields.push_back(filterList.substr(0, end));
    filterList.remove_prefix(std::min(end + 1, filterList.size()));
  }
  std::vector<FileFilter> pairs;
  for (size_t field = 0; field + 1 < fields.size(); field += 2) {
    pairs.push_back({Text(fields[field]), Text(fields[field + 1])});
  }
  return pairs;
}

}  // namespace meshfold
