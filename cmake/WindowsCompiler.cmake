# Windows build: how every object and program is compiled and linked. Included before the first
# target, since compile options reach only the targets made after them.

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
