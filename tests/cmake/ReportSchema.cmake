# The JSON of kestova-report validated against the schema kept beside it
# (cli/kestova-report.schema.json) under every Windows version switch: the
# program of this build, and in the i686 runs also the shipped one (the win32
# preset's, KESTOVA_SHIPPED_DIR). report_partial runs make the engines
# component fail (DirectX "Version" stored as a DWORD) and check that the
# report is partial, valid, and names the error with its place.
# Test names end in the version, so each test preset leaves out the versions
# its machine never existed as (CMakePresets.json).
if(KESTOVA_RUN_WINDOWS_TESTS AND TARGET kestova-report)
  find_program(KESTOVA_PYTHON3 python3 REQUIRED)
  set(schema ${CMAKE_SOURCE_DIR}/cli/kestova-report.schema.json)
  set(script ${CMAKE_SOURCE_DIR}/tests/shipped/report_schema.py)
  set(emulator ${CMAKE_SOURCE_DIR}/tests/wine/emulator)
  set(programs built $<TARGET_FILE:kestova-report>)
  if(KESTOVA_SHIPPED_DIR)
    list(APPEND programs shipped ${KESTOVA_SHIPPED_DIR}/cli/kestova-report.exe)
  endif()
  foreach(version nt40 win2k winxp winxp64 win2003 vista win2008 win7 win98)
    add_test(NAME report_schema_set.${version}
      COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/set-version ${KESTOVA_WINEPREFIX} kestova-report_${version}.exe ${version})
    set_tests_properties(report_schema_set.${version} PROPERTIES
      FIXTURES_SETUP report_schema_${version} FIXTURES_REQUIRED wine)
    set(remaining ${programs})
    while(remaining)
      list(POP_FRONT remaining kind program)
      add_test(NAME report_schema_${kind}.${version}
        COMMAND ${KESTOVA_PYTHON3} ${script} ${emulator} ${KESTOVA_WINEPREFIX} ${program}
                ${CMAKE_CURRENT_BINARY_DIR}/report-schema-${kind} ${version} ${schema})
      set_tests_properties(report_schema_${kind}.${version} PROPERTIES
        FIXTURES_REQUIRED "wine;report_schema_${version}"
        RESOURCE_LOCK "wine_desktop;device_registry")
      if(version STREQUAL "winxp" OR version STREQUAL "win7")
        add_test(NAME report_partial_${kind}.${version}
          COMMAND ${KESTOVA_PYTHON3} ${script} ${emulator} ${KESTOVA_WINEPREFIX} ${program}
                  ${CMAKE_CURRENT_BINARY_DIR}/report-schema-${kind} ${version} ${schema} --failing-directx
                  --save ${CMAKE_CURRENT_BINARY_DIR}/report-partial-${kind}-${version}.json)
        set_tests_properties(report_partial_${kind}.${version} PROPERTIES
          FIXTURES_REQUIRED "wine;report_schema_${version}"
          RESOURCE_LOCK "wine_desktop;device_registry;directx_registry")
      endif()
    endwhile()
  endforeach()
endif()
