# Windows build: quillmere.exe, a stand-alone GUI program with a hardened image.
enable_language(RC)

# The manifest's list of the systems the program was made for: every one from the minimum on.
set(QUILLMERE_KNOWN_WINDOWS
  "6.2|Windows 8|{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"
  "6.3|Windows 8.1|{1f676c76-80e1-4239-95bb-83d0f6d0da78}"
  "10.0|Windows 10 and Windows 11|{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}")
set(QUILLMERE_SUPPORTED_OS "")
foreach(entry ${QUILLMERE_KNOWN_WINDOWS})
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 version)
  list(GET entry 1 name)
  list(GET entry 2 id)
  if(version VERSION_GREATER_EQUAL QUILLMERE_MINIMUM_WINDOWS)
    string(APPEND QUILLMERE_SUPPORTED_OS "      <!-- ${name} -->\n      <supportedOS Id=\"${id}\"/>\n")
  endif()
endforeach()
string(STRIP "${QUILLMERE_SUPPORTED_OS}" QUILLMERE_SUPPORTED_OS)
set(QUILLMERE_RESOURCES ${CMAKE_CURRENT_BINARY_DIR}/resources)
configure_file(src/win32/resources/quillmere.manifest.in ${QUILLMERE_RESOURCES}/quillmere.manifest @ONLY)

# The program icon of the executable's resources, written at build time by a tool that draws it with
# the same code as the windows' icons. It runs on the build machine, so a cross build compiles it with
# the build machine's own compiler.
set(QUILLMERE_ICON ${CMAKE_CURRENT_BINARY_DIR}/quillmere.ico)
set(QUILLMERE_ICON_TOOL_SOURCES ${CMAKE_SOURCE_DIR}/src/win32/resources/MakeIcon.cpp
  ${CMAKE_SOURCE_DIR}/src/win32/IconPixels.cpp)
if(CMAKE_CROSSCOMPILING)
  find_program(QUILLMERE_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
  set(QUILLMERE_ICON_TOOL ${CMAKE_CURRENT_BINARY_DIR}/make-icon)
  add_custom_command(OUTPUT ${QUILLMERE_ICON_TOOL}
    COMMAND ${QUILLMERE_HOST_CXX} -std=c++20 -O2 -Wall -Wextra -Werror -I${CMAKE_SOURCE_DIR}/src
      ${QUILLMERE_ICON_TOOL_SOURCES} -o ${QUILLMERE_ICON_TOOL}
    DEPENDS ${QUILLMERE_ICON_TOOL_SOURCES} ${CMAKE_SOURCE_DIR}/src/win32/IconPixels.h
    COMMENT "Building the icon tool for the build machine")
else()
  add_executable(make-icon ${QUILLMERE_ICON_TOOL_SOURCES})
  target_include_directories(make-icon PRIVATE src)
  set(QUILLMERE_ICON_TOOL $<TARGET_FILE:make-icon>)
endif()
add_custom_command(OUTPUT ${QUILLMERE_ICON}
  COMMAND ${QUILLMERE_ICON_TOOL} ${QUILLMERE_ICON}
  DEPENDS ${QUILLMERE_ICON_TOOL}
  COMMENT "Drawing the program icon")
set_source_files_properties(src/win32/resources/quillmere.rc PROPERTIES
  INCLUDE_DIRECTORIES "${CMAKE_CURRENT_BINARY_DIR};${QUILLMERE_RESOURCES};${CMAKE_CURRENT_BINARY_DIR}/generated"
  OBJECT_DEPENDS "${QUILLMERE_ICON};${QUILLMERE_RESOURCES}/quillmere.manifest")

# The Win32 layer (services and renderer) apart from the entry point and the reading of the
# high-contrast setting, for the program and its repaint benchmark (the end-to-end tests build the
# program once more with a reading of their own).
file(GLOB QUILLMERE_WIN32_SOURCES CONFIGURE_DEPENDS src/win32/*.cpp)
list(FILTER QUILLMERE_WIN32_SOURCES EXCLUDE REGEX "/(WinMain|HighContrastSetting)\\.cpp$")
add_library(quillmere_win32 STATIC ${QUILLMERE_WIN32_SOURCES})
target_link_libraries(quillmere_win32 PUBLIC quillmere_core user32 gdi32 comctl32 shell32 advapi32 ole32 oleacc oleaut32)
set(QUILLMERE_PROGRAM_SOURCES src/win32/WinMain.cpp src/win32/resources/quillmere.rc ${QUILLMERE_ICON})

add_executable(quillmere WIN32 ${QUILLMERE_PROGRAM_SOURCES} src/win32/HighContrastSetting.cpp)
target_link_libraries(quillmere PRIVATE quillmere_win32)
if(MSVC)
  # The manifest is part of the resource file; the linker must not add one of its own.
  target_link_options(quillmere PRIVATE /MANIFEST:NO /SUBSYSTEM:WINDOWS,${QUILLMERE_MSVC_SUBSYSTEM_VERSION})
else()
  # The shipped program carries no symbols: they go to quillmere.debug beside it, which a debugger
  # or addr2line finds through the program's debug link, so a crash address can still be read.
  add_custom_command(TARGET quillmere POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug quillmere.exe quillmere.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=quillmere.debug quillmere.exe
    WORKING_DIRECTORY $<TARGET_FILE_DIR:quillmere>
    BYPRODUCTS ${CMAKE_CURRENT_BINARY_DIR}/quillmere.debug
    COMMENT "Splitting the symbols off quillmere.exe into quillmere.debug")
endif()

# The once-a-second repaint of the main window against a repaint of the whole window, under the real
# renderer: a console program, with the program's manifest so that it draws with the same controls
# at the same DPI. bench/repaint/measure.sh runs it under Wine.
add_executable(repaint-bench bench/repaint/RepaintBench.cpp bench/repaint/repaint-bench.rc
  src/win32/HighContrastSetting.cpp)
set_source_files_properties(bench/repaint/repaint-bench.rc PROPERTIES
  INCLUDE_DIRECTORIES ${QUILLMERE_RESOURCES} OBJECT_DEPENDS ${QUILLMERE_RESOURCES}/quillmere.manifest)
target_link_libraries(repaint-bench PRIVATE quillmere_win32)
if(MSVC)
  target_link_options(repaint-bench PRIVATE /MANIFEST:NO)
endif()

# The idle-cost reference: the barest program showing the same figures, for bench/idle/measure.sh.
add_executable(idle-reference WIN32 bench/idle/reference.cpp)
target_compile_definitions(idle-reference PRIVATE UNICODE _UNICODE)
target_link_libraries(idle-reference PRIVATE user32 gdi32 kernel32)

include(${CMAKE_SOURCE_DIR}/packaging/Packaging.cmake)

enable_testing()
if(NOT MSVC)
  # The shipped exe's hardening, symbols, imports and manifest, read from the file itself.
  add_test(NAME pe.release_exe COMMAND bash ${CMAKE_SOURCE_DIR}/tools/check-pe.sh ${CMAKE_OBJDUMP}
    $<TARGET_FILE:quillmere> ${CMAKE_CURRENT_BINARY_DIR}/quillmere.debug ${QUILLMERE_MINIMUM_WINDOWS})
endif()
include(${CMAKE_SOURCE_DIR}/tests/e2e/e2e.cmake OPTIONAL)
