# Windows build: quillmere.exe, a stand-alone GUI program with a hardened image.
enable_language(RC)

# The oldest Windows the programs run on, as the headers, the linker and the manifest want it.
string(REGEX MATCH "^([0-9]+)\\.([0-9]+)$" _ "${QUILLMERE_MINIMUM_WINDOWS}")
set(QUILLMERE_WINDOWS_MAJOR ${CMAKE_MATCH_1})
set(QUILLMERE_WINDOWS_MINOR ${CMAKE_MATCH_2})
math(EXPR QUILLMERE_WIN32_WINNT "(${QUILLMERE_WINDOWS_MAJOR} << 8) | ${QUILLMERE_WINDOWS_MINOR}"
  OUTPUT_FORMAT HEXADECIMAL)
add_compile_definitions(_WIN32_WINNT=${QUILLMERE_WIN32_WINNT} WINVER=${QUILLMERE_WIN32_WINNT})

# Every program of this build runs from any folder on its own: the C and C++ run-times are linked in,
# so it needs no DLL but the system's. Address space layout randomisation uses the whole 64-bit range
# (a relocatable image based above 4 GB), data pages are never executable, and buffer overruns on
# the stack end the program before a corrupted return address is used.
if(MSVC)
  # The static run-time (/MT) comes from CMAKE_MSVC_RUNTIME_LIBRARY in the top-level CMakeLists.txt.
  # Control-flow guard, shadow stacks (CET) and the compiler's extra security checks.
  add_compile_options(/guard:cf /sdl)
  add_link_options(/DYNAMICBASE /HIGHENTROPYVA /NXCOMPAT /GUARD:CF /CETCOMPAT)
  # The linker wants the minor version with two digits.
  string(LENGTH "${QUILLMERE_WINDOWS_MINOR}" _minor_digits)
  if(_minor_digits EQUAL 1)
    set(QUILLMERE_MSVC_SUBSYSTEM_VERSION ${QUILLMERE_WINDOWS_MAJOR}.0${QUILLMERE_WINDOWS_MINOR})
  else()
    set(QUILLMERE_MSVC_SUBSYSTEM_VERSION ${QUILLMERE_WINDOWS_MAJOR}.${QUILLMERE_WINDOWS_MINOR})
  endif()
else()
  # mingw-w64's run-time has the checked string and memory functions of _FORTIFY_SOURCE, and gcc's
  # libssp the stack protector's guard; fortification needs an optimised build. -g: the symbols
  # that are split off the shipped program below.
  add_compile_options(-g -fstack-protector-strong)
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  add_link_options(-static -static-libgcc -static-libstdc++ -fstack-protector-strong
    -Wl,--dynamicbase,--high-entropy-va,--nxcompat,--tsaware -Wl,--image-base,0x140000000
    -Wl,--major-subsystem-version,${QUILLMERE_WINDOWS_MAJOR},--minor-subsystem-version,${QUILLMERE_WINDOWS_MINOR}
    -Wl,--major-os-version,${QUILLMERE_WINDOWS_MAJOR},--minor-os-version,${QUILLMERE_WINDOWS_MINOR})
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    # gcc links its thread library after its C++ library by itself; clang must be told.
    string(APPEND CMAKE_CXX_STANDARD_LIBRARIES " -lstdc++ -lpthread")
  endif()
endif()

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
