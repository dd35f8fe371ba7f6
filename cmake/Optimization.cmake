# Release builds optimise across files: the per-line operations of the reader,
# the record store and the writer live in separate files, and inlining them
# into the conversion loops removes a tenth of the instructions. Native builds
# only; cross toolchains keep their usual settings.
include(CheckIPOSupported)
check_ipo_supported(RESULT MESHFOLD_IPO_SUPPORTED LANGUAGES CXX)
if(MESHFOLD_IPO_SUPPORTED AND NOT CMAKE_CROSSCOMPILING)
  set(CMAKE_INTERPROCEDURAL_OPTIMIZATION_RELEASE ON)
endif()
