# kestova_ship_program(target): the program users get is stripped; its debug
# information stays beside it in TARGET.debug, which the program names
# (.gnu_debuglink), so that gdb or addr2line can still read an address from a
# crash report against the very program that crashed.
function(kestova_ship_program target)
  if(NOT CMAKE_OBJCOPY OR NOT CMAKE_STRIP)
    message(FATAL_ERROR "objcopy and strip of the MinGW binutils are needed to ship ${target}")
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
    COMMAND ${CMAKE_STRIP} --strip-debug --strip-unneeded $<TARGET_FILE:${target}>
    # The link is made from the program's folder so that it names the file
    # alone, which is where debuggers look first.
    COMMAND ${CMAKE_OBJCOPY} --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug $<TARGET_FILE_NAME:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    COMMENT "Stripping ${target}, its debug information kept in $<TARGET_FILE_NAME:${target}>.debug"
    VERBATIM)
endfunction()
