# The operating-system component's sub-components under Wine's version switch
# (the per-version programs of VersionSwitch.cmake): the Vista values are
# refreshed under vista and not under winxp, the internet settings are read
# through the interactive user's hive under HKEY_USERS on the NT family, and
# the time zone is looked up in the NT zone database for three zones set as
# the process's time zone (under Server 2003, an NT version that exists both
# as 32-bit and as 64-bit Windows, so that every run takes them). Each filter names only tests that run (none skips).
if(KESTOVA_RUN_WINDOWS_TESTS AND TARGET win_tests)
  set(sub_component_runs
    "vista|vista|VistaSpecific.*|"
    "winxp|winxp|VistaSpecific.*:Internet*|"
    "winxp64|winxp64|VistaSpecific.*:Internet*|"
    "tz_prague|win2003|TimeZone.CurrentZone*|Europe/Prague"
    "tz_sydney|win2003|TimeZone.CurrentZone*|Australia/Sydney"
    "tz_tokyo|win2003|TimeZone.CurrentZone*|Asia/Tokyo")
  foreach(run ${sub_component_runs})
    string(REPLACE "|" ";" run "${run}")
    list(GET run 0 name)
    list(GET run 1 version)
    list(GET run 2 filter)
    list(GET run 3 zone)
    set(environment "KESTOVA_WINE_VERSION=${version};WINEDLLOVERRIDES=mscoree,mshtml=")
    if(zone)
      list(APPEND environment "TZ=${zone}" "KESTOVA_TEST_TZ=${zone}")
    endif()
    add_test(NAME os_sub_components.${name}
      COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/emulator ${KESTOVA_WINEPREFIX}
              ${CMAKE_CURRENT_BINARY_DIR}/version-switch/win_tests_${version}.exe --gtest_filter=${filter})
    set_tests_properties(os_sub_components.${name} PROPERTIES
      FIXTURES_REQUIRED "wine;version_switch_${version}"
      RESOURCE_LOCK wine_desktop
      ENVIRONMENT "${environment}"
      PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* tests?\\."
      FAIL_REGULAR_EXPRESSION "FAILED|SKIPPED")
  endforeach()
endif()
