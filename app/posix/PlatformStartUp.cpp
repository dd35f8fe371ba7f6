#include <csignal>

#include "app/Program.h"

namespace meshfold {

// A closed output pipe or a file-size limit must come back as a failed write,
// which the run reports, rather than end the process without a word.
void PlatformStartUp() {
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace meshfold
