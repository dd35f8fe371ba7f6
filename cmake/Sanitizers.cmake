# Instrumented builds. MESHFOLD_SANITIZE builds everything with AddressSanitizer
# and UndefinedBehaviorSanitizer, stopping at the first report. MESHFOLD_FUZZ
# builds the fuzz targets for libFuzzer instead of the tests; it needs clang.
option(MESHFOLD_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(MESHFOLD_FUZZ "Build the fuzz targets for libFuzzer (clang), instead of the tests" OFF)

if(MESHFOLD_SANITIZE OR MESHFOLD_FUZZ)
  set(MESHFOLD_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all)
  add_compile_options(${MESHFOLD_SANITIZER_FLAGS} -fno-omit-frame-pointer)
  add_link_options(${MESHFOLD_SANITIZER_FLAGS})
endif()

if(MESHFOLD_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "MESHFOLD_FUZZ needs clang (libFuzzer): configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
