# A short run of every fuzz target in the suite, when clang and its fuzzer runtime are installed
# (clang-14, libclang-rt-14-dev): the first test builds the targets with clang in a folder of
# its own (fuzz-build/ in this build folder), the others run each target for a few seconds.
find_program(VANTRY_CLANG NAMES clang-14 clang)
find_program(VANTRY_CLANGXX NAMES clang++-14 clang++)
if(VANTRY_CLANG AND VANTRY_CLANGXX)
  execute_process(COMMAND ${VANTRY_CLANGXX} -print-runtime-dir OUTPUT_VARIABLE clang_runtime
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT EXISTS "${clang_runtime}/libclang_rt.fuzzer-${CMAKE_SYSTEM_PROCESSOR}.a")
  message(STATUS "Fuzz targets not in the tests: they need clang and its fuzzer runtime")
  return()
endif()

set(fuzz_build ${CMAKE_BINARY_DIR}/fuzz-build)
add_test(NAME fuzz_build COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR} -DBINARY=${fuzz_build}
         -DGENERATOR=${CMAKE_GENERATOR} -DCLANG=${VANTRY_CLANG} -DCLANGXX=${VANTRY_CLANGXX}
         -DLAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER} -P ${PROJECT_SOURCE_DIR}/cmake/BuildFuzzTargets.cmake)
set_tests_properties(fuzz_build PROPERTIES FIXTURES_SETUP vantry_fuzz_targets TIMEOUT 3600 LABELS fuzz)

function(vantry_fuzz_target)
  cmake_parse_arguments(F "" "NAME;SOURCE;MAX_LEN" "LIBS;SEEDS" ${ARGN})
  list(TRANSFORM F_SEEDS PREPEND ${PROJECT_SOURCE_DIR}/)
  add_test(NAME fuzz_${F_NAME}
           COMMAND ${fuzz_build}/fuzz/fuzz_${F_NAME} -max_total_time=5 -max_len=${F_MAX_LEN} -timeout=60
                   -artifact_prefix=${fuzz_build}/fuzz/findings/ ${fuzz_build}/fuzz/corpus/${F_NAME} ${F_SEEDS})
  set_tests_properties(fuzz_${F_NAME} PROPERTIES FIXTURES_REQUIRED vantry_fuzz_targets TIMEOUT 300 LABELS fuzz)
endfunction()
include(${PROJECT_SOURCE_DIR}/fuzz/FuzzTargets.cmake)
