# The operating-system component, the account routines and the machine
# component under Wine's per-program Windows-version switch, on the per-version
# copies of the Windows test program and the version settings that
# VersionSwitch.cmake provides. Each filter names only tests that run (none
# skips) under its version, so a run that skipped or matched nothing fails.
if(KESTOVA_RUN_WINDOWS_TESTS AND TARGET win_tests)
  set(identification "OperatingSystem.*:Accounts.InteractiveUser*:Accounts.ShellIsFound*:Machine.RefreshGathers*")
  set(os_component_runs
    "winxp|${identification}"
    "winxp64|${identification}"
    "win2003|${identification}"
    "vista|${identification}"
    "win2008|${identification}"
    "win7|${identification}"
    "win98|${identification}"
    "win2k|Accounts.NT4And2000*:Accounts.InteractiveUser*:Accounts.ShellIsFound*"
    # NT 4 here is bare: no psapi.dll, no wtsapi32.dll.
    "nt40|Accounts.NT4And2000*")
  foreach(run ${os_component_runs})
    string(REPLACE "|" ";" run "${run}")
    list(GET run 0 version)
    list(GET run 1 filter)
    set(overrides "mscoree,mshtml=")
    if(version STREQUAL "nt40")
      set(overrides "mscoree,mshtml,psapi,wtsapi32=")
    endif()
    add_test(NAME os_component_version.${version}
      COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/emulator ${KESTOVA_WINEPREFIX}
              ${CMAKE_CURRENT_BINARY_DIR}/version-switch/win_tests_${version}.exe --gtest_filter=${filter})
    set_tests_properties(os_component_version.${version} PROPERTIES
      FIXTURES_REQUIRED "wine;version_switch_${version}"
      RESOURCE_LOCK wine_desktop
      ENVIRONMENT "KESTOVA_WINE_VERSION=${version};WINEDLLOVERRIDES=${overrides}"
      PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* tests?\\."
      FAIL_REGULAR_EXPRESSION "FAILED|SKIPPED")
  endforeach()
endif()
