# Installs the build into a fresh folder and checks what lands there: the three programs, the
# desktop entry that starts vantry by its installed path in ~/Vantry, and the icon; then asks
# the installed vantry for its help and version with no display at all.
# Run as: cmake -DBUILD_DIR=... -DPREFIX=... -DVERSION=... -P InstallRuleTest.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(program vantry vantry-store rquenz)
  execute_process(COMMAND test -x "${PREFIX}/bin/${program}" RESULT_VARIABLE missing)
  if(missing)
    message(FATAL_ERROR "bin/${program} is not installed")
  endif()
endforeach()
if(NOT EXISTS "${PREFIX}/share/icons/hicolor/scalable/apps/vantry.svg")
  message(FATAL_ERROR "the icon is not installed")
endif()

set(entry_file "${PREFIX}/share/applications/vantry.desktop")
if(NOT EXISTS "${entry_file}")
  message(FATAL_ERROR "the desktop entry is not installed")
endif()
file(STRINGS "${entry_file}" entry)
foreach(line "[Desktop Entry]" "Type=Application" "Name=Vantry" "Icon=vantry"
             "Exec=\"${PREFIX}/bin/vantry\" --desktop")
  if(NOT line IN_LIST entry)
    message(FATAL_ERROR "the desktop entry lacks the line ${line}: ${entry}")
  endif()
endforeach()

# No display, no platform plugin chosen: both answers come before any window would.
foreach(option --help --version)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                          --unset=QT_QPA_PLATFORM "${PREFIX}/bin/vantry" ${option}
                  RESULT_VARIABLE result OUTPUT_VARIABLE answer ERROR_VARIABLE errors TIMEOUT 30)
  if(NOT result EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "vantry ${option} failed (${result}): ${errors}")
  endif()
  list(APPEND answers "${answer}")
endforeach()
list(GET answers 0 help)
list(GET answers 1 version)
if(NOT help MATCHES "^Usage: vantry" OR NOT help MATCHES "--desktop")
  message(FATAL_ERROR "vantry --help answered: ${help}")
endif()
if(NOT version STREQUAL "vantry ${VERSION}\n")
  message(FATAL_ERROR "vantry --version answered: ${version}")
endif()
