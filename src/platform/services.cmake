# The message box and the help viewer on Qt.
add_library(kv_platform_qt STATIC
    ${CMAKE_CURRENT_LIST_DIR}/qt_help_viewer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qt_message_box.cpp
)
target_link_libraries(kv_platform_qt PUBLIC kv_about kv_platform Qt6::Widgets Qt6::Network)
