# Tests of a sanitizer build suppress the leaks LeakSanitizer reports inside the system's libraries.
set(VANTRY_SANITIZER_TEST_ENV)
if(VANTRY_SANITIZE)
  set(VANTRY_SANITIZER_TEST_ENV LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/scripts/lsan-suppressions.txt)
endif()

# vantry_add_test(NAME name SOURCES a.cpp b.cpp LIBS lib1 lib2 [LABELS l])
# One GoogleTest executable registered with CTest; every test gets its own
# temporary HOME, XDG folders and store so no test touches the user's files, and a
# session bus address that leads nowhere so that none reaches the user's keyring.
function(vantry_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT VANTRY_BUILD_TESTS)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  if(NOT T_LABELS)
    set(T_LABELS unit)
  endif()
  # The test environment goes through an "emulator" that sets it, because the
  # ENVIRONMENT property of discovered tests would be split at its semicolons.
  set(home ${CMAKE_BINARY_DIR}/test-home)
  set_property(TARGET ${T_NAME} PROPERTY CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env
    HOME=${home} XDG_CONFIG_HOME=${home}/config XDG_DATA_HOME=${home}/data
    XDG_CACHE_HOME=${home}/cache VANTRY_STORE=${home}/store QT_QPA_PLATFORM=offscreen
    DBUS_SESSION_BUS_ADDRESS=unix:path=${home}/no-session-bus ${VANTRY_SANITIZER_TEST_ENV})
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${T_LABELS}")
endfunction()
