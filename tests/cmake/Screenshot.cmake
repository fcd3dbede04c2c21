# Every Windows test run leaves screenshots in the build tree for people to
# look at: build/win64/screenshots/kestova.png (the main window),
# kestova-inactive.png (the same, another window active), about.png (the
# About box over it), popup-menu.png and system-menu.png (the menus open),
# report-scrolled.png (a long report scrolled to its end, a row selected),
# save-dialog.png (the Save dialog) and error-box.png (the error box of a Load
# that cannot open its file).
# The i686 test build photographs the very program users get (the win32
# preset's, KESTOVA_SHIPPED_DIR); the twin photographs its own.
if(KESTOVA_RUN_WINDOWS_TESTS)
  set(photographed $<TARGET_FILE:kestova>)
  if(KESTOVA_SHIPPED_DIR)
    set(photographed ${KESTOVA_SHIPPED_DIR}/app/kestova.exe)
  endif()
  add_test(NAME screenshot_main_window
    COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/screenshot ${CMAKE_BINARY_DIR}/screenshots/wineprefix
            ${photographed} "Kestovo 1.0" ${CMAKE_BINARY_DIR}/screenshots/kestova.png)
  set_tests_properties(screenshot_main_window PROPERTIES
    ENVIRONMENT "DISPLAY=;KESTOVA_SCENES=${CMAKE_BINARY_DIR}/tests/tools" TIMEOUT 240)
endif()
