# The configuration file reader on arbitrary file contents. The reader's sources
# are compiled into the target so that libFuzzer sees their coverage.
get_target_property(kv_ini_fuzz_sources kv_config SOURCES)
add_executable(ini_fuzz
    ${CMAKE_CURRENT_LIST_DIR}/ini_fuzz.cpp
    ${kv_ini_fuzz_sources}
    ${PROJECT_SOURCE_DIR}/src/panel/button_indications.cpp
)
target_compile_options(ini_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(ini_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(ini_fuzz PRIVATE kv_panel_state kv_diag kv_state)
