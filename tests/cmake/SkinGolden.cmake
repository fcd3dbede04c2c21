# Golden pictures of the internal skin: the composed pictures are written to
# the build tree for people to look at (tests/golden-out) and compared pixel
# for pixel with the references kept in tests/golden.
set(golden_drive "")
if(CMAKE_CROSSCOMPILING)
  set(golden_drive "Z:")
endif()
foreach(target host_tests win_tests)
  if(TARGET ${target})
    target_compile_definitions(${target} PRIVATE KESTOVA_GOLDEN_FOLDER="${golden_drive}${CMAKE_SOURCE_DIR}/tests/golden"
                                                 KESTOVA_GOLDEN_OUT="${golden_drive}${CMAKE_BINARY_DIR}/tests/golden-out")
  endif()
endforeach()
