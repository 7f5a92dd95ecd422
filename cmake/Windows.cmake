# Windows build: quillmere.exe, a stand-alone GUI program with a hardened image.
enable_language(RC)

# Every program of this build runs from any folder on its own: the C and C++ run-times are linked in,
# so it needs no DLL but the system's. Address space layout randomisation uses the whole 64-bit range
# (a relocatable image based above 4 GB), and data pages are never executable.
if(MSVC)
  # The static run-time (/MT) comes from CMAKE_MSVC_RUNTIME_LIBRARY in the top-level CMakeLists.txt.
  add_link_options(/DYNAMICBASE /HIGHENTROPYVA /NXCOMPAT)
else()
  add_link_options(-static -static-libgcc -static-libstdc++
    -Wl,--dynamicbase,--high-entropy-va,--nxcompat,--tsaware -Wl,--image-base,0x140000000)
endif()

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
  INCLUDE_DIRECTORIES ${CMAKE_CURRENT_BINARY_DIR} OBJECT_DEPENDS ${QUILLMERE_ICON})

# The Win32 layer (services and renderer) apart from the entry point, for the program and its
# repaint benchmark.
file(GLOB QUILLMERE_WIN32_SOURCES CONFIGURE_DEPENDS src/win32/*.cpp)
list(FILTER QUILLMERE_WIN32_SOURCES EXCLUDE REGEX "/WinMain\\.cpp$")
add_library(quillmere_win32 STATIC ${QUILLMERE_WIN32_SOURCES})
target_link_libraries(quillmere_win32 PUBLIC quillmere_core user32 gdi32 comctl32 shell32 advapi32 ole32 oleacc oleaut32)

add_executable(quillmere WIN32 src/win32/WinMain.cpp src/win32/resources/quillmere.rc ${QUILLMERE_ICON})
target_link_libraries(quillmere PRIVATE quillmere_win32)
if(MSVC)
  # The manifest is part of the resource file; the linker must not add one of its own.
  target_link_options(quillmere PRIVATE /MANIFEST:NO)
endif()

# The once-a-second repaint of the main window against a repaint of the whole window, under the real
# renderer: a console program, with the program's manifest so that it draws with the same controls
# at the same DPI. bench/repaint/measure.sh runs it under Wine.
add_executable(repaint-bench bench/repaint/RepaintBench.cpp bench/repaint/repaint-bench.rc)
set_source_files_properties(bench/repaint/repaint-bench.rc PROPERTIES
  INCLUDE_DIRECTORIES ${CMAKE_SOURCE_DIR}/src/win32/resources)
target_link_libraries(repaint-bench PRIVATE quillmere_win32)
if(MSVC)
  target_link_options(repaint-bench PRIVATE /MANIFEST:NO)
endif()

# The idle-cost reference: the barest program showing the same figures, for bench/idle/measure.sh.
add_executable(idle-reference WIN32 bench/idle/reference.cpp)
target_compile_definitions(idle-reference PRIVATE UNICODE _UNICODE)
target_link_libraries(idle-reference PRIVATE user32 gdi32 kernel32)

enable_testing()
include(${CMAKE_SOURCE_DIR}/tests/e2e/e2e.cmake OPTIONAL)
