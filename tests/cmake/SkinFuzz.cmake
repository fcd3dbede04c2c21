# libFuzzer targets of the skin library, built with clang beside the host
# build like the report line fuzzer, and run briefly on every host test run:
#   build/host/fuzz/skin_archive_fuzzer -max_total_time=600
#   build/host/fuzz/skin_options_fuzzer -dict=fuzz/skin_options.dict -max_total_time=600
#   build/host/fuzz/skin_paint_fuzzer -max_total_time=600
#   build/host/fuzz/skin_picture_fuzzer build/host/fuzz/skin_picture_corpus -max_len=160000 \
#     -malloc_limit_mb=256 -max_total_time=600
# A malloc limit far below the sizes a hostile archive can declare shows any
# allocation made on the archive's word.
if(WIN32 OR CMAKE_CROSSCOMPILING)
  return()
endif()
if(NOT KESTOVA_CLANGXX)
  return()
endif()

# The skin library stands on the portable control layer and runtime support,
# which come along as the libraries it links.
foreach(target skin_archive skin_options skin_paint skin_picture)
  kestova_add_fuzzer(${target} SOURCE ${CMAKE_SOURCE_DIR}/fuzz/${target}_fuzzer.cpp LIBRARIES kestova_skin
    LINK -lz -ljpeg)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz/${target}_corpus)
endforeach()

# Seeds: the internal skin's archive and its options text.
add_custom_target(fuzz_skin_seeds ALL
  COMMAND ${CMAKE_COMMAND} -E copy ${ZUR_ARCHIVE} ${CMAKE_BINARY_DIR}/fuzz/skin_archive_corpus/zur.qtz
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/skins/zur/Options.dat
          ${CMAKE_BINARY_DIR}/fuzz/skin_options_corpus/Options.dat
  DEPENDS kestova_zur_skin)

# The picture decoders are seeded with the internal skin's own bitmaps, each
# also written as a baseline, a progressive and a greyscale JPEG.
set(SKIN_PICTURE_SEEDS ${CMAKE_BINARY_DIR}/fuzz/skin_picture_seeds)
add_custom_command(
  OUTPUT ${SKIN_PICTURE_SEEDS}
  COMMAND ${KESTOVA_CLANGXX} -std=c++20 -g -O1 -Wall -Wextra -Werror -I${CMAKE_SOURCE_DIR}
          ${CMAKE_SOURCE_DIR}/fuzz/skin_picture_seeds.cpp ${CMAKE_SOURCE_DIR}/skin/sBmp.cpp -ljpeg
          -o ${SKIN_PICTURE_SEEDS}
  DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/skin_picture_seeds.cpp ${CMAKE_SOURCE_DIR}/skin/sBmp.cpp
          ${CMAKE_SOURCE_DIR}/skin/sBitmap.h
  COMMENT "Building the picture fuzzer's seed writer with clang"
  VERBATIM)
add_custom_target(fuzz_skin_picture_seeds ALL
  COMMAND ${SKIN_PICTURE_SEEDS} ${ZUR_SKIN_FOLDER} ${CMAKE_BINARY_DIR}/fuzz/skin_picture_corpus
  DEPENDS ${SKIN_PICTURE_SEEDS} kestova_zur_skin)

add_test(NAME fuzz.skin_archive
  COMMAND ${CMAKE_BINARY_DIR}/fuzz/skin_archive_fuzzer ${CMAKE_BINARY_DIR}/fuzz/skin_archive_corpus
          -max_total_time=10 -max_len=8192 -malloc_limit_mb=256 -print_final_stats=1)
add_test(NAME fuzz.skin_options
  COMMAND ${CMAKE_BINARY_DIR}/fuzz/skin_options_fuzzer ${CMAKE_BINARY_DIR}/fuzz/skin_options_corpus
          -dict=${CMAKE_SOURCE_DIR}/fuzz/skin_options.dict -max_total_time=10 -max_len=8192
          -malloc_limit_mb=256 -print_final_stats=1)
# Masks, areas and states drawn as frames, glyphs and textures (no seeds needed).
add_test(NAME fuzz.skin_paint
  COMMAND ${CMAKE_BINARY_DIR}/fuzz/skin_paint_fuzzer ${CMAKE_BINARY_DIR}/fuzz/skin_paint_corpus
          -max_total_time=10 -max_len=4096 -malloc_limit_mb=256 -print_final_stats=1)
# Bitmaps and JPEG files; the limit keeps the skin's largest bitmap whole.
add_test(NAME fuzz.skin_picture
  COMMAND ${CMAKE_BINARY_DIR}/fuzz/skin_picture_fuzzer ${CMAKE_BINARY_DIR}/fuzz/skin_picture_corpus
          -max_total_time=10 -max_len=160000 -malloc_limit_mb=256 -print_final_stats=1)
