# The programs users get (the win32 preset's, KESTOVA_SHIPPED_DIR) run as they
# are in the i686 test runs: the report program under every Windows version
# switch gives the operating-system rows of the decision tables
# (tests/shipped/report_os_rows.py), and the main window's screenshot is of
# the shipped kestova.exe (Screenshot.cmake).
if(KESTOVA_RUN_WINDOWS_TESTS AND KESTOVA_SHIPPED_DIR)
  find_program(KESTOVA_PYTHON3 python3 REQUIRED)
  set(shipped_report ${KESTOVA_SHIPPED_DIR}/cli/kestova-report.exe)
  set(shipped_links ${CMAKE_CURRENT_BINARY_DIR}/shipped)
  foreach(version nt40 win2k winxp winxp64 win2003 vista win2008 win7 win98)
    add_test(NAME shipped_report_set.${version}
      COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/set-version ${KESTOVA_WINEPREFIX} kestova-report_${version}.exe ${version})
    set_tests_properties(shipped_report_set.${version} PROPERTIES
      FIXTURES_SETUP shipped_version_${version} FIXTURES_REQUIRED wine)
    add_test(NAME shipped_report.${version}
      COMMAND ${KESTOVA_PYTHON3} ${CMAKE_SOURCE_DIR}/tests/shipped/report_os_rows.py
              ${CMAKE_SOURCE_DIR}/tests/wine/emulator ${KESTOVA_WINEPREFIX} ${shipped_report} ${shipped_links} ${version})
    set_tests_properties(shipped_report.${version} PROPERTIES
      FIXTURES_REQUIRED "wine;shipped_version_${version}"
      RESOURCE_LOCK "wine_desktop;device_registry")
  endforeach()
endif()
