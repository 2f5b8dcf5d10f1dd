find_package(benchmark REQUIRED)
add_executable(link_bench link_bench.cpp)
target_link_libraries(link_bench PRIVATE kv_link kv_config kv_testsupport benchmark::benchmark_main)
