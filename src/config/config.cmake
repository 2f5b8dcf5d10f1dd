# The configuration file, program setup and the program directory (no Qt).
add_library(kv_config STATIC
    ${CMAKE_CURRENT_LIST_DIR}/file_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ini_reader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ini_writer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/number_reading.cpp
    ${CMAKE_CURRENT_LIST_DIR}/password_code.cpp
    ${CMAKE_CURRENT_LIST_DIR}/program_directory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/program_setup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/timer_values.cpp
)
target_link_libraries(kv_config PUBLIC kv_panel_state kv_diag kv_state)
