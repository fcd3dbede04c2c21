# The skin library's tests: the host tests read the internal skin as the
# build drew and packed it; the writer comes from tools/.
# (A cross build compiles the writer into the tests and runs them under Wine,
# which sees the build tree on drive Z:.)
if(TARGET host_tests)
  target_link_libraries(host_tests PRIVATE kestova_skin)
  if(TARGET kestova_skin_writer)
    target_link_libraries(host_tests PRIVATE kestova_skin_writer)
  else()
    target_sources(host_tests PRIVATE ${CMAKE_SOURCE_DIR}/tools/qzArchiveWriter.cpp)
  endif()
  set(zur_drive "")
  if(CMAKE_CROSSCOMPILING)
    set(zur_drive "Z:")
  endif()
  target_compile_definitions(host_tests PRIVATE KESTOVA_ZUR_FOLDER="${zur_drive}${ZUR_SKIN_FOLDER}"
                                                KESTOVA_ZUR_ARCHIVE="${zur_drive}${ZUR_ARCHIVE}")
  add_dependencies(host_tests kestova_zur_skin)
endif()

# The Windows tests carry the internal skin as the program does, and write
# archives of their own.
if(TARGET win_tests)
  target_sources(win_tests PRIVATE ${KESTOVA_SKIN_RC} ${CMAKE_SOURCE_DIR}/tools/qzArchiveWriter.cpp)
  # Folder skins kept as test data (tests/skins), read through Wine's drive Z:.
  target_compile_definitions(win_tests PRIVATE KESTOVA_TEST_SKINS="Z:${CMAKE_SOURCE_DIR}/tests/skins")
  set_source_files_properties(${KESTOVA_SKIN_RC} PROPERTIES OBJECT_DEPENDS ${ZUR_ARCHIVE})
  add_dependencies(win_tests kestova_zur_skin)
endif()
