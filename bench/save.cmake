# The configuration file's saves under stress: two writers at once, and saves killed midway.
add_executable(save_stress ${CMAKE_CURRENT_LIST_DIR}/save_stress.cpp)
target_link_libraries(save_stress PRIVATE kv_config)
