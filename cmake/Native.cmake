# Native (Linux) build: the program's core, its unit tests and its benchmarks.
find_package(GTest REQUIRED)

file(GLOB QUILLMERE_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(quillmere_tests ${QUILLMERE_UNIT_TESTS})
target_include_directories(quillmere_tests PRIVATE tests/unit)
target_link_libraries(quillmere_tests PRIVATE quillmere_core GTest::gtest GTest::gmock GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(quillmere_tests DISCOVERY_TIMEOUT 60)

option(QUILLMERE_BENCHMARKS "Build the benchmarks" ON)
if(QUILLMERE_BENCHMARKS AND NOT QUILLMERE_SANITIZE)
  find_package(benchmark REQUIRED)
  file(GLOB QUILLMERE_BENCHES CONFIGURE_DEPENDS bench/*.cpp)
  add_executable(quillmere_bench ${QUILLMERE_BENCHES})
  target_include_directories(quillmere_bench PRIVATE tests/unit)
  target_link_libraries(quillmere_bench PRIVATE quillmere_core benchmark::benchmark benchmark::benchmark_main)
endif()
