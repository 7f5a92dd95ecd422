# The end-to-end suite: probe.exe, which inspects and drives the running program from outside, and the
# tests that run the real quillmere.exe under Wine in a virtual X server (label "e2e").
file(GLOB QUILLMERE_PROBE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/probe/*.cpp)
# A console program; the run-times are linked in statically like every program of this build.
add_executable(probe ${QUILLMERE_PROBE_SOURCES})
target_link_libraries(probe PRIVATE user32 shell32 oleacc ole32 oleaut32)
# The stand-in browser and mail program that the link tests register in their prefix; a GUI program,
# so that starting it opens no console.
add_executable(link-recorder WIN32 ${CMAKE_CURRENT_LIST_DIR}/link-recorder.cpp)
# The program as built, except that it reads the high-contrast setting from the user's registry
# value: Wine's system answers "off" whatever that value says, and cannot be told otherwise. The
# high-contrast test runs it beside quillmere.exe.
add_executable(quillmere-contrast WIN32 ${QUILLMERE_PROGRAM_SOURCES} ${CMAKE_CURRENT_LIST_DIR}/StoredHighContrast.cpp)
target_link_libraries(quillmere-contrast PRIVATE quillmere_win32)
if(MSVC)
  target_link_options(quillmere-contrast PRIVATE /MANIFEST:NO)
endif()

find_program(QUILLMERE_WINE wine)
find_program(QUILLMERE_XVFB Xvfb)
if(NOT CMAKE_HOST_UNIX OR NOT QUILLMERE_WINE OR NOT QUILLMERE_XVFB)
  message(STATUS "End-to-end tests not registered: they need a Linux host with wine and Xvfb")
  return()
endif()

set(QUILLMERE_E2E_ARGUMENTS $<TARGET_FILE:quillmere> $<TARGET_FILE:probe>
  ${CMAKE_BINARY_DIR}/e2e ${CMAKE_BINARY_DIR}/e2e-artifacts)

# One template prefix per run of the suite; each test copies it.
add_test(NAME e2e.wine_prefix
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/make-prefix.sh ${QUILLMERE_E2E_ARGUMENTS})
set_tests_properties(e2e.wine_prefix PROPERTIES LABELS e2e TIMEOUT 300 FIXTURES_SETUP quillmere_wine_prefix)

# Every script here is a test, except the shared library and the prefix maker.
file(GLOB QUILLMERE_E2E_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.sh)
list(REMOVE_ITEM QUILLMERE_E2E_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/lib.sh ${CMAKE_CURRENT_LIST_DIR}/make-prefix.sh)
foreach(script ${QUILLMERE_E2E_SCRIPTS})
  get_filename_component(test ${script} NAME_WE)
  string(REPLACE "-" "_" name ${test})
  add_test(NAME e2e.${name}
    COMMAND bash ${script} ${QUILLMERE_E2E_ARGUMENTS})
  # The packaging tests find the installer and the zip here, and skip when this build made none.
  set_tests_properties(e2e.${name} PROPERTIES
    LABELS e2e TIMEOUT 600 FIXTURES_REQUIRED quillmere_wine_prefix SKIP_RETURN_CODE 77
    ENVIRONMENT "QUILLMERE_SETUP_EXE=${QUILLMERE_SETUP_EXE};QUILLMERE_PORTABLE_ZIP=${QUILLMERE_PORTABLE_ZIP}")
endforeach()
