# Configures and builds the fuzz targets with clang in a folder of their own, so that the
# main build never needs clang. Run by the fuzz_build test:
#   cmake -DSOURCE=... -DBINARY=... -DGENERATOR=... -DCLANG=... -DCLANGXX=... [-DLAUNCHER=...] -P BuildFuzzTargets.cmake
set(configure ${CMAKE_COMMAND} -S ${SOURCE} -B ${BINARY} -G ${GENERATOR} -DCMAKE_BUILD_TYPE=RelWithDebInfo
    -DCMAKE_C_COMPILER=${CLANG} -DCMAKE_CXX_COMPILER=${CLANGXX} -DVANTRY_FUZZ=ON -DVANTRY_BUILD_TESTS=OFF
    -DVANTRY_BUILD_GUI=OFF -DVANTRY_BUILD_BENCH=OFF)
if(LAUNCHER)
  list(APPEND configure -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER} -DCMAKE_C_COMPILER_LAUNCHER=${LAUNCHER})
endif()
execute_process(COMMAND ${configure} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Configuring the fuzz targets in ${BINARY} failed")
endif()
cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY} --target vantry_fuzz_targets -j ${cores}
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Building the fuzz targets in ${BINARY} failed")
endif()
