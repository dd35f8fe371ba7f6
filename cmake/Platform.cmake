# Chooses the backend folder of each seam: win32 when building for Windows,
# posix everywhere else.
if(WIN32)
  set(MESHFOLD_BACKEND win32)
else()
  set(MESHFOLD_BACKEND posix)
endif()
