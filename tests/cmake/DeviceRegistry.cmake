# The device enumeration and the BIOS texts take the NT family's registry
# paths only where the NT family is recognised, which Wine's own Windows
# version is not: they run again under the winxp switch, and the BIOS ROM
# path under win98 (VersionSwitch.cmake provides the programs and settings).
# The device tests write a "Computer" device for a while: every test that
# refreshes a machine component holds the device_registry lock meanwhile (the
# version runs of OSComponentVersions.cmake share wine_desktop with these runs).
if(KESTOVA_RUN_WINDOWS_TESTS AND TARGET win_tests)
  set(device_runs "winxp|Devices.*:MachineBios.*" "win98|MachineBios.*")
  foreach(run ${device_runs})
    string(REPLACE "|" ";" run "${run}")
    list(GET run 0 version)
    list(GET run 1 filter)
    add_test(NAME device_registry_version.${version}
      COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/emulator ${KESTOVA_WINEPREFIX}
              ${CMAKE_CURRENT_BINARY_DIR}/version-switch/win_tests_${version}.exe --gtest_filter=${filter})
    set_tests_properties(device_registry_version.${version} PROPERTIES
      FIXTURES_REQUIRED "wine;version_switch_${version}"
      RESOURCE_LOCK "wine_desktop;device_registry"
      ENVIRONMENT "KESTOVA_WINE_VERSION=${version};WINEDLLOVERRIDES=mscoree,mshtml="
      PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* tests?\\."
      FAIL_REGULAR_EXPRESSION "FAILED|SKIPPED")
  endforeach()

  set(device_locks ${CMAKE_CURRENT_BINARY_DIR}/device_registry_locks.cmake)
  file(WRITE ${device_locks} [=[
foreach(test IN LISTS win_tests_TESTS)
  if(test MATCHES "^(Devices|Machine|MachineBios)\\.")
    set_tests_properties(${test} PROPERTIES RESOURCE_LOCK device_registry)
  endif()
endforeach()
]=])
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${device_locks})
endif()
