# Release builds optimise across files: the per-line operations of the reader,
# the record store and the writer live in separate files, and inlining them
# into the conversion loops removes a twentieth of the instructions. Native,
# uninstrumented builds only; cross and sanitizer builds keep their settings.
include(CheckIPOSupported)
check_ipo_supported(RESULT MESHFOLD_IPO_SUPPORTED LANGUAGES CXX)
if(MESHFOLD_IPO_SUPPORTED AND NOT CMAKE_CROSSCOMPILING AND NOT MESHFOLD_SANITIZE AND NOT MESHFOLD_FUZZ)
  set(CMAKE_INTERPROCEDURAL_OPTIMIZATION_RELEASE ON)
endif()
