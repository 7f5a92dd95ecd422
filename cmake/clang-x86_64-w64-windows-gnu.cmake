# Cross-compiling for 64-bit Windows with Debian's clang and lld, against mingw-w64's headers and
# libraries and gcc's C++ library (posix threads): the second compiler the test script builds.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET x86_64-w64-windows-gnu)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_OBJCOPY x86_64-w64-mingw32-objcopy)
set(CMAKE_OBJDUMP x86_64-w64-mingw32-objdump)
# gcc's C++ library and run-time, posix-thread flavour, the same as the mingw-w64 preset links.
# clang's driver does not find Debian's "12-posix" folder by itself.
file(GLOB QUILLMERE_GCC_DIR LIST_DIRECTORIES true /usr/lib/gcc/x86_64-w64-mingw32/*-posix)
if(NOT QUILLMERE_GCC_DIR)
  message(FATAL_ERROR "no posix gcc for x86_64-w64-mingw32 (g++-mingw-w64-x86-64-posix) found")
endif()
list(GET QUILLMERE_GCC_DIR 0 QUILLMERE_GCC_DIR)
set(QUILLMERE_LIBSTDCXX ${QUILLMERE_GCC_DIR}/include/c++)
set(CMAKE_CXX_FLAGS_INIT "-nostdinc++ -isystem ${QUILLMERE_LIBSTDCXX} -isystem ${QUILLMERE_LIBSTDCXX}/x86_64-w64-mingw32 -isystem ${QUILLMERE_LIBSTDCXX}/backward")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${QUILLMERE_GCC_DIR} -Wno-unused-command-line-argument")
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
