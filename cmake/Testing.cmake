# GoogleTest from Debian's sources, built with the current toolchain.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)
include(${CMAKE_SOURCE_DIR}/cmake/Fuzzer.cmake)

if(CMAKE_CROSSCOMPILING AND WIN32)
  # Windows tests run under Wine in a throwaway prefix inside the build tree:
  # the i686 programs in a pure 32-bit prefix and through WoW64 in a 64-bit
  # one (KESTOVA_WINEARCH at test time, see tests/wine/prefix), the x86_64
  # twin in a 64-bit one.
  set(KESTOVA_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tests/wine/emulator;${KESTOVA_WINEPREFIX})
  set(KESTOVA_RUN_WINDOWS_TESTS ON)
else()
  set(KESTOVA_RUN_WINDOWS_TESTS OFF)
endif()

# kestova_add_gtest(target sources... [WINDOWS])
function(kestova_add_gtest target)
  add_executable(${target} ${ARGN})
  target_link_libraries(${target} PRIVATE gtest gtest_main kestova_warnings)
  if(NOT CMAKE_CROSSCOMPILING)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST)
  elseif(KESTOVA_RUN_WINDOWS_TESTS)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
      PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine_desktop)
  endif()
endfunction()

# The test programs, fixtures and benchmarks run only under Wine's Windows 7
# and may call a newer Windows (RegDeleteTree) than the product's floor allows.
# Called by the folders that hold them; their headers shared with the product
# declare no structures whose layout depends on the Windows version.
function(kestova_use_test_windows_headers)
  get_directory_property(definitions COMPILE_DEFINITIONS)
  list(FILTER definitions EXCLUDE REGEX "^(_WIN32_WINNT|WINVER|_WIN32_IE)=")
  list(APPEND definitions _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600)
  set_directory_properties(PROPERTIES COMPILE_DEFINITIONS "${definitions}")
endfunction()
