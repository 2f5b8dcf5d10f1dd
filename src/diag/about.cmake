# The about window's values and the help file's place (no Qt).
add_library(kv_about STATIC
    ${CMAKE_CURRENT_LIST_DIR}/about.cpp
    ${CMAKE_CURRENT_LIST_DIR}/help_file.cpp
)
target_link_libraries(kv_about PUBLIC kv_config kv_state)

# The about window's Qt view.
add_library(kv_about_view STATIC
    ${CMAKE_CURRENT_LIST_DIR}/about_view.cpp
)
target_link_libraries(kv_about_view PUBLIC kv_about kv_platform Qt6::Widgets)
