#pragma once
// Two pieces of work that write nothing the other reads, done at once on two
// cores.

#include <cstdint>
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

// Calls each(n) for n from 1 to count, the later half on a second thread
// when there are many: each call must touch nothing but what n names.
template <typename Each>
void RunInHalves(int64_t count, Each each) {
  constexpr int64_t Many = int64_t{1} << 16;  // below this, a thread costs more than it saves
  const auto range = [&each](int64_t from, int64_t to) {
    for (int64_t n = from; n <= to; ++n) each(static_cast<uint32_t>(n));
  };
  if (count < Many) return range(1, count);
  RunTogether([&] { range(1, count / 2); }, [&] { range(count / 2 + 1, count); });
}

}  // namespace meshfold
