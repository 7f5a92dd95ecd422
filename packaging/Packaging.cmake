# The two ways a user gets the program, made by CPack from this build: a per-user installer
# (NSIS, from the template NSIS.template.in here) and a portable zip. The target "packages" makes
# both in packages/ of the build folder; it is part of the default build when makensis is there.
# CPack installs through the "preinstall" target, which must not build "all" first: "all" holds
# "packages", which runs CPack.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(TARGETS quillmere RUNTIME DESTINATION . COMPONENT program)
configure_file(${CMAKE_CURRENT_LIST_DIR}/portable.txt.in ${CMAKE_BINARY_DIR}/packaging/README.txt @ONLY
  NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/packaging/README.txt DESTINATION . COMPONENT portable)

set(QUILLMERE_SETUP_NAME Quillmere-${PROJECT_VERSION}-setup)
set(QUILLMERE_ZIP_NAME Quillmere-${PROJECT_VERSION}-win64)
set(QUILLMERE_PACKAGES_DIR ${CMAKE_BINARY_DIR}/packages)
set(QUILLMERE_SETUP_EXE ${QUILLMERE_PACKAGES_DIR}/${QUILLMERE_SETUP_NAME}.exe)
set(QUILLMERE_PORTABLE_ZIP ${QUILLMERE_PACKAGES_DIR}/${QUILLMERE_ZIP_NAME}.zip)

set(CPACK_PACKAGE_NAME Quillmere)
set(CPACK_PACKAGE_VENDOR Tarnholt)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Quillmere: a memory monitor that frees physical memory")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quillmere)
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_DIRECTORY ${QUILLMERE_PACKAGES_DIR})
# The installer gets the program only, the zip also the text about running it without installing.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/packaging/PerGenerator.cmake)
file(CONFIGURE OUTPUT ${CPACK_PROJECT_CONFIG_FILE} @ONLY CONTENT [[
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "@QUILLMERE_SETUP_NAME@")
  set(CPACK_INSTALL_CMAKE_PROJECTS "@CMAKE_BINARY_DIR@;Quillmere;program;/")
else()
  set(CPACK_PACKAGE_FILE_NAME "@QUILLMERE_ZIP_NAME@")
endif()
]])
# CPack finds the installer's template here.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})

# What the template needs besides CPack's own values (CPack passes on variables named CPACK_*).
# The main window's class and the exit request's name come from the program's own declarations.
function(quillmere_outside_name constant variable)
  file(STRINGS ${CMAKE_SOURCE_DIR}/src/win32/OutsideRequests.h line REGEX "${constant} = L\"")
  string(REGEX REPLACE ".*L\"([^\"]+)\".*" "\\1" name "${line}")
  if(NOT name MATCHES "^[A-Za-z.]+$")
    message(FATAL_ERROR "packaging: no ${constant} found in src/win32/OutsideRequests.h")
  endif()
  set(${variable} ${name} PARENT_SCOPE)
endfunction()
quillmere_outside_name(kExitRequestName CPACK_QUILLMERE_EXIT_REQUEST)
quillmere_outside_name(kMainWindowClass CPACK_QUILLMERE_MAIN_WINDOW_CLASS)
set(CPACK_QUILLMERE_ICON ${QUILLMERE_ICON})
set(CPACK_QUILLMERE_FILE_VERSION ${QUILLMERE_FILE_VERSION})
include(CPack)

find_program(QUILLMERE_MAKENSIS makensis)
option(QUILLMERE_PACKAGES "Make the installer and the zip as part of the build" ON)
if(QUILLMERE_PACKAGES AND QUILLMERE_MAKENSIS)
  add_custom_command(OUTPUT ${QUILLMERE_SETUP_EXE} ${QUILLMERE_PORTABLE_ZIP}
    COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake -C $<CONFIG>
    DEPENDS quillmere $<TARGET_FILE:quillmere> ${CMAKE_CURRENT_LIST_DIR}/NSIS.template.in
      ${CMAKE_BINARY_DIR}/packaging/README.txt ${CPACK_PROJECT_CONFIG_FILE}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    COMMENT "Making ${QUILLMERE_SETUP_NAME}.exe and ${QUILLMERE_ZIP_NAME}.zip"
    VERBATIM)
  add_custom_target(packages ALL DEPENDS ${QUILLMERE_SETUP_EXE} ${QUILLMERE_PORTABLE_ZIP})
else()
  message(STATUS "Packages not made: QUILLMERE_PACKAGES is off or makensis is missing")
  set(QUILLMERE_SETUP_EXE "")
  set(QUILLMERE_PORTABLE_ZIP "")
endif()
