# Saving a report while the file system stops the writes short: the test
# program runs under a file-size limit (ulimit -f, in 1024-byte blocks), with
# the signal that would otherwise end it ignored, so that the writes past the
# limit fail the way a full disk makes them fail.
if(KESTOVA_RUN_WINDOWS_TESTS AND TARGET win_tests)
  set(limit_blocks 256)
  math(EXPR limit_bytes "${limit_blocks} * 1024")
  add_test(NAME file_size_limit
    COMMAND bash -c "trap '' XFSZ && ulimit -f ${limit_blocks} && exec \"$0\" \"$@\""
            ${CMAKE_SOURCE_DIR}/tests/wine/emulator ${KESTOVA_WINEPREFIX} $<TARGET_FILE:win_tests>
            --gtest_filter=ReportFileLimit.*)
  set_tests_properties(file_size_limit PROPERTIES
    FIXTURES_REQUIRED wine
    ENVIRONMENT "KESTOVA_FILE_SIZE_LIMIT=${limit_bytes}"
    # A filter that matched nothing, or a skip, would pass silently.
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test"
    FAIL_REGULAR_EXPRESSION "FAILED|SKIPPED")
endif()
