# SMBIOS: the host tests read real machines' dumps from tests/fixtures/smbios;
# the entry-point search, the walk and the decoders get a libFuzzer target,
# built with clang beside the host build and run briefly by ctest.
target_compile_definitions(host_tests PRIVATE KESTOVA_SMBIOS_FIXTURES="${CMAKE_SOURCE_DIR}/tests/fixtures/smbios")

# No return() here: this file is included into the tests folder's scope.
if(NOT WIN32 AND NOT CMAKE_CROSSCOMPILING AND KESTOVA_CLANGXX)
  kestova_add_fuzzer(smbios SOURCE ${CMAKE_SOURCE_DIR}/fuzz/smbios_fuzzer.cpp LIBRARIES kestova_sysinfo_portable)
  set(SMBIOS_FUZZER ${CMAKE_BINARY_DIR}/fuzz/smbios_fuzzer)

  # The real machines' dumps seed a corpus in the build tree (the fuzzer adds
  # to it). Longer runs by hand:
  #   build/host/fuzz/smbios_fuzzer build/host/fuzz/smbios_corpus -max_total_time=600
  set(SMBIOS_CORPUS ${CMAKE_BINARY_DIR}/fuzz/smbios_corpus)
  file(GLOB SMBIOS_DUMPS ${CMAKE_SOURCE_DIR}/tests/fixtures/smbios/*.bin)
  file(COPY ${SMBIOS_DUMPS} DESTINATION ${SMBIOS_CORPUS})
  add_test(NAME fuzz.smbios
    COMMAND ${SMBIOS_FUZZER} ${SMBIOS_CORPUS} -max_total_time=15 -max_len=40000 -print_final_stats=1)
endif()

# The Windows tests read the same dumps; under Wine the source tree is on Z:.
if(TARGET win_tests)
  set(smbios_fixtures ${CMAKE_SOURCE_DIR}/tests/fixtures/smbios)
  if(CMAKE_CROSSCOMPILING)
    set(smbios_fixtures Z:${smbios_fixtures})
  endif()
  target_compile_definitions(win_tests PRIVATE KESTOVA_SMBIOS_FIXTURES="${smbios_fixtures}")
endif()
