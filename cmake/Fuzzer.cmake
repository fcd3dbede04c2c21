# kestova_add_fuzzer(<name> SOURCE <fuzzer.cpp> LIBRARIES <targets>...
#                    [LINK <flags>...] [RUN <libFuzzer arguments>...])
#
# A libFuzzer target, ${CMAKE_BINARY_DIR}/fuzz/<name>_fuzzer, built with clang
# beside the host build (whose compiler may be g++) from the fuzzer's source
# and every source of the named libraries and of the libraries of ours they
# link, so that the product code itself is instrumented; the program is built
# with the rest (target fuzz_<name>). With RUN, ctest runs it briefly as
# fuzz.<name> with those arguments. Host builds only; without clang nothing
# is built and KESTOVA_CLANGXX is empty.
if(NOT WIN32 AND NOT CMAKE_CROSSCOMPILING)
  find_program(KESTOVA_CLANGXX NAMES clang++ clang++-14)
endif()

# The sources of the libraries and of every library of ours they link, in
# the order they are found, and the folders they come from.
function(kestova_library_sources out_sources out_folders)
  set(pending ${ARGN})
  set(seen)
  set(sources)
  set(folders)
  while(pending)
    list(POP_FRONT pending library)
    if(library IN_LIST seen OR NOT TARGET ${library})
      continue()
    endif()
    list(APPEND seen ${library})
    get_target_property(type ${library} TYPE)
    get_target_property(imported ${library} IMPORTED)
    if(type STREQUAL "INTERFACE_LIBRARY" OR imported)
      continue()
    endif()
    get_target_property(folder ${library} SOURCE_DIR)
    get_target_property(library_sources ${library} SOURCES)
    foreach(source ${library_sources})
      cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${folder})
      list(APPEND sources ${source})
      cmake_path(GET source PARENT_PATH source_folder)
      list(APPEND folders ${source_folder})
    endforeach()
    get_target_property(links ${library} LINK_LIBRARIES)
    foreach(link ${links})
      if(link MATCHES "^kestova_")
        list(APPEND pending ${link})
      endif()
    endforeach()
  endwhile()
  list(REMOVE_DUPLICATES folders)
  set(${out_sources} ${sources} PARENT_SCOPE)
  set(${out_folders} ${folders} PARENT_SCOPE)
endfunction()

function(kestova_add_fuzzer name)
  if(NOT KESTOVA_CLANGXX)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 FUZZ "" "SOURCE" "LIBRARIES;LINK;RUN")
  cmake_path(ABSOLUTE_PATH FUZZ_SOURCE BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  kestova_library_sources(sources folders ${FUZZ_LIBRARIES})
  # A header change rebuilds the fuzzer: the headers beside every source.
  set(headers)
  cmake_path(GET FUZZ_SOURCE PARENT_PATH fuzzer_folder)
  foreach(folder ${folders} ${fuzzer_folder})
    file(GLOB folder_headers ${folder}/*.h)
    list(APPEND headers ${folder_headers})
  endforeach()

  set(fuzzer ${CMAKE_BINARY_DIR}/fuzz/${name}_fuzzer)
  add_custom_command(
    OUTPUT ${fuzzer}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/fuzz
    COMMAND ${KESTOVA_CLANGXX} -std=c++20 -g -O1 -Wall -Wextra -Werror
            -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
            -I${CMAKE_SOURCE_DIR} ${FUZZ_SOURCE} ${sources} ${FUZZ_LINK} -o ${fuzzer}
    DEPENDS ${FUZZ_SOURCE} ${sources} ${headers}
    COMMENT "Building the ${name} fuzzer with clang"
    VERBATIM)
  add_custom_target(fuzz_${name} ALL DEPENDS ${fuzzer})
  if(FUZZ_RUN)
    add_test(NAME fuzz.${name} COMMAND ${fuzzer} ${FUZZ_RUN})
  endif()
endfunction()
