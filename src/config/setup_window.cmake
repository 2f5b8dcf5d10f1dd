# The setup window's logic (no Qt).
add_library(kv_setup STATIC
    ${CMAKE_CURRENT_LIST_DIR}/setup_window.cpp
)
target_link_libraries(kv_setup PUBLIC kv_config kv_link kv_dialogs kv_diag kv_state kv_platform)

# The setup window's Qt view; it opens the value, programming and caption dialogs.
add_library(kv_setup_view STATIC
    ${CMAKE_CURRENT_LIST_DIR}/setup_window_view.cpp
)
target_link_libraries(kv_setup_view PUBLIC kv_setup kv_dialogs_view Qt6::Widgets)
