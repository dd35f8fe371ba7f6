#pragma once
// The program's name and version as the user sees them. The version is the
// build's project version (major.minor), so a release changes it in one place.

#include "text/Text.h"

#ifndef MESHFOLD_VERSION
#error "the build defines MESHFOLD_VERSION"
#endif

namespace meshfold {

inline constexpr TextView ProgramName = u"Meshfold";

// The name and the version, as --version tells it.
inline constexpr TextView ProgramVersion = u"Meshfold " MESHFOLD_VERSION;

// The caption of every summary message: the version and its author's stamp.
inline constexpr TextView SummaryTitle = u"Meshfold " MESHFOLD_VERSION "  k.dorsel 11.21.23";

}  // namespace meshfold
