#pragma once
// Two pieces of work that write nothing the other reads, done at once on two
// cores.

#include <system_error>
#include <thread>

namespace meshfold {

// Runs here on this thread and later on a second one, and returns when both
// are done; where no thread can be started, later runs after here.
template <typename Here, typename Later>
void RunTogether(Here here, Later later) {
  std::thread second;
  try {
    second = std::thread(later);
  } catch (const std::system_error&) {
    // Without a thread, this one does both.
  }
  here();
  if (second.joinable()) {
    second.join();
  } else {
    later();
  }
}

}  // namespace meshfold
