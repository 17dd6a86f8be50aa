# The fuzz targets in the test run: built by clang as a project of their own
# (tests/fuzz), each run over its seed corpus and then for a bounded number
# of generated inputs, seconds each. scripts/fuzz.sh runs them long.
find_program(MORVEX_CLANG_CXX clang++)
if(NOT MORVEX_CLANG_CXX)
  message(STATUS "clang++ not found (Debian clang, libclang-rt-14-dev): the fuzz targets are not built")
  return()
endif()
include(ExternalProject)
set(fuzz_build ${CMAKE_BINARY_DIR}/fuzz)
ExternalProject_Add(fuzz_build
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/tests/fuzz
  BINARY_DIR ${fuzz_build}
  CMAKE_ARGS
    -DCMAKE_CXX_COMPILER=${MORVEX_CLANG_CXX}
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
    -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  TEST_COMMAND "")

set(MORVEX_FUZZ_RUNS 20000 CACHE STRING "Generated inputs per fuzz target in the test run")
foreach(target dxf socketmessage tagset incrementtext serialrun wildcard)
  add_test(NAME fuzz_${target}
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/fuzz/run-fuzzer.sh ${fuzz_build}/${target}_fuzzer
                   ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${target}_fuzzer ${MORVEX_FUZZ_RUNS})
  set_tests_properties(fuzz_${target} PROPERTIES TIMEOUT 300)
endforeach()
