# Warnings for every target of ours, through meshfold_warnings.
add_library(meshfold_warnings INTERFACE)
target_compile_options(meshfold_warnings INTERFACE -Wall -Wextra -Wshadow -Wconversion -Wno-sign-conversion)
if(MESHFOLD_WARNINGS_AS_ERRORS)
  target_compile_options(meshfold_warnings INTERFACE -Werror)
endif()
