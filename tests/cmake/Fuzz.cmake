# Fuzz targets: host builds only (they need clang's libFuzzer).
if(NOT WIN32 AND NOT CMAKE_CROSSCOMPILING)
  add_subdirectory(${CMAKE_SOURCE_DIR}/fuzz ${CMAKE_BINARY_DIR}/fuzz)
endif()
