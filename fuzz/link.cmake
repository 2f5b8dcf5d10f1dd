# Arbitrary byte streams through the data-arrival path and the decoder. The link's
# and the display's sources are compiled into the target so libFuzzer sees their coverage.
get_target_property(kv_link_fuzz_sources kv_link SOURCES)
list(TRANSFORM kv_link_fuzz_sources PREPEND ${PROJECT_SOURCE_DIR}/src/link/)
add_executable(link_fuzz
    ${CMAKE_CURRENT_LIST_DIR}/link_fuzz.cpp
    ${kv_link_fuzz_sources}
    ${PROJECT_SOURCE_DIR}/src/panel/button_indications.cpp
    ${PROJECT_SOURCE_DIR}/src/panel/quick_sort.cpp
    ${PROJECT_SOURCE_DIR}/src/panel/station_display.cpp
)
target_compile_options(link_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(link_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(link_fuzz PRIVATE kv_config kv_platform kv_testsupport)
