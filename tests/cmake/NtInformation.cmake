# The NT sub-component's version record under Wine's winxp switch (5.1,
# product type 1, suite mask 0x100, SP3), with the program linked for that
# version by VersionSwitch.cmake.
if(KESTOVA_RUN_WINDOWS_TESTS AND TARGET win_tests)
  add_test(NAME nt_specific.winxp
    COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/emulator ${KESTOVA_WINEPREFIX}
            ${CMAKE_CURRENT_BINARY_DIR}/version-switch/win_tests_winxp.exe
            --gtest_filter=NtSpecific.VersionRecordOfWindowsXp)
  set_tests_properties(nt_specific.winxp PROPERTIES
    FIXTURES_REQUIRED "wine;version_switch_winxp"
    RESOURCE_LOCK wine_desktop
    ENVIRONMENT "KESTOVA_WINE_VERSION=winxp;WINEDLLOVERRIDES=mscoree,mshtml="
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test\\."
    FAIL_REGULAR_EXPRESSION "FAILED|SKIPPED")
endif()
