# Every Windows test run leaves screenshots in the build tree for people to
# look at: build/win64/screenshots/kestova.png (the main window),
# kestova-inactive.png (the same, another window active), about.png (the
# About box over it), popup-menu.png and system-menu.png (the menus open),
# popup-menu-keyboard.png (the pop-up opened by Shift+F10 on row 10),
# report-scrolled.png (a long report scrolled to its end, a row selected),
# save-dialog.png (the Save dialog, opened by Ctrl+S), save-dialog-resized.png
# (made larger), save-overwrite.png (its question whether to replace a file),
# error-box.png (the error box of a Load that cannot open its file),
# minimised.png and restored.png (the window minimised and restored by its
# caption button), kestova-144dpi.png (started at 144 dpi), and
# damaged-skin-error.png and damaged-skin.png (started with a damaged skin
# where the form was designed: the error box, then the window).
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
    ENVIRONMENT "DISPLAY=;KESTOVA_SCENES=${CMAKE_BINARY_DIR}/tests/tools" TIMEOUT 480)
endif()
