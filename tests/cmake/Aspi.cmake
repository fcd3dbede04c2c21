# The ASPI tests run against the stand-in layer that lies next to the Windows
# test program (tests/fixtures/aspi). Wine prefers its own wnaspi32.dll, so
# those tests get WINEDLLOVERRIDES=wnaspi32=n; the other tests keep Wine's.
# The tests of win_tests are only known once CTest has listed them, so the
# environment is set by a script CTest reads after that list.
if(KESTOVA_RUN_WINDOWS_TESTS AND TARGET win_tests)
  set(aspi_environment ${CMAKE_CURRENT_BINARY_DIR}/aspi_environment.cmake)
  file(WRITE ${aspi_environment} [=[
foreach(test IN LISTS win_tests_TESTS)
  if(test MATCHES "^Aspi")
    set_tests_properties(${test} PROPERTIES ENVIRONMENT "WINEDLLOVERRIDES=mscoree,mshtml=\;wnaspi32=n")
  endif()
endforeach()
]=])
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${aspi_environment})
endif()
