#include "text/OsFiles.h"

namespace meshfold {

namespace {

const OsFileCalls* installedCalls = nullptr;

}  // namespace

const OsFileCalls& OsFiles() { return installedCalls != nullptr ? *installedCalls : PlatformOsFileCalls(); }

const OsFileCalls* InstallOsFileCalls(const OsFileCalls* calls) {
  const OsFileCalls* previous = installedCalls;
  installedCalls = calls;
  return previous;
}

}  // namespace meshfold
