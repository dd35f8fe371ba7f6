# Runs the cross-built Windows programs under wine, in a private prefix inside
# the build tree, so that ctest proves them on the real Win32 calls.
set(MESHFOLD_UNDER_WINE OFF)
if(CMAKE_CROSSCOMPILING AND WIN32 AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(MESHFOLD_WINE wine)
  if(MESHFOLD_WINE)
    set(MESHFOLD_UNDER_WINE ON)
    set(MESHFOLD_WINEPREFIX ${PROJECT_BINARY_DIR}/wineprefix)
    set(CMAKE_CROSSCOMPILING_EMULATOR bash ${PROJECT_SOURCE_DIR}/tests/support/wine-run.sh ${MESHFOLD_WINEPREFIX})
  endif()
endif()

# Registers the tests that start and stop the X server of the wine tests;
# tests that need it name the fixture wine_display.
function(meshfold_add_wine_display_fixture)
  set(script ${PROJECT_SOURCE_DIR}/tests/support/wine-display.sh)
  add_test(NAME wine_display_start COMMAND bash ${script} start ${MESHFOLD_WINEPREFIX})
  add_test(NAME wine_display_stop COMMAND bash ${script} stop ${MESHFOLD_WINEPREFIX})
  set_tests_properties(wine_display_start PROPERTIES FIXTURES_SETUP wine_display TIMEOUT 900)
  set_tests_properties(wine_display_stop PROPERTIES FIXTURES_CLEANUP wine_display TIMEOUT 30)
endfunction()
