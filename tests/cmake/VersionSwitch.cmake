# The host platform detection under Wine's per-program Windows-version switch
# (HKCU\Software\Wine\AppDefaults\<exe>\Version): the Windows test program is
# linked once per version under its own name, each run sets its version and
# checks the PlatformVersionSwitch tests against the row of that version.
# The NT 4 run models a bare NT 4: no psapi.dll and no wtsapi32.dll.
# Every version is registered in every Windows build; each test preset leaves
# out the versions its machine never existed as (CMakePresets.json): 32-bit
# Windows has no XP x64 (winxp64), and 64-bit Windows (the twin, and a 32-bit
# program under WOW64) has no NT 4, 2000, 32-bit XP or 98.
if(KESTOVA_RUN_WINDOWS_TESTS AND TARGET win_tests)
  set(version_dir ${CMAKE_CURRENT_BINARY_DIR}/version-switch)
  set(wine_versions nt40 win2k winxp winxp64 win2003 vista win2008 win7 win98)
  foreach(version ${wine_versions})
    set(program ${version_dir}/win_tests_${version}.exe)
    add_custom_command(TARGET win_tests POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E make_directory ${version_dir}
      COMMAND ${CMAKE_COMMAND} -E rm -f ${program}
      COMMAND ${CMAKE_COMMAND} -E create_hardlink $<TARGET_FILE:win_tests> ${program})

    add_test(NAME version_switch_set.${version}
      COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/set-version ${KESTOVA_WINEPREFIX} win_tests_${version}.exe ${version})
    set_tests_properties(version_switch_set.${version} PROPERTIES
      FIXTURES_SETUP version_switch_${version} FIXTURES_REQUIRED wine)

    set(overrides "mscoree,mshtml=")
    if(version STREQUAL "nt40")
      set(overrides "mscoree,mshtml,psapi,wtsapi32=")
    endif()
    add_test(NAME version_switch.${version}
      COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/emulator ${KESTOVA_WINEPREFIX} ${program}
              --gtest_filter=PlatformVersionSwitch.*)
    set_tests_properties(version_switch.${version} PROPERTIES
      FIXTURES_REQUIRED "wine;version_switch_${version}"
      RESOURCE_LOCK wine_desktop
      ENVIRONMENT "KESTOVA_WINE_VERSION=${version};WINEDLLOVERRIDES=${overrides}"
      # A filter that matched nothing would pass silently.
      PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 2 tests"
      FAIL_REGULAR_EXPRESSION "FAILED")
  endforeach()
endif()
