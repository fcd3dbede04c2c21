# Every Windows test run leaves a screenshot of the main window in the build
# tree, for people to look at: build/win64/screenshots/kestova.png.
if(KESTOVA_RUN_WINDOWS_TESTS)
  add_test(NAME screenshot_main_window
    COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/screenshot ${CMAKE_BINARY_DIR}/screenshots/wineprefix
            $<TARGET_FILE:kestova> "Kestovo 1.0" ${CMAKE_BINARY_DIR}/screenshots/kestova.png)
  set_tests_properties(screenshot_main_window PROPERTIES ENVIRONMENT "DISPLAY=" TIMEOUT 180)
endif()
