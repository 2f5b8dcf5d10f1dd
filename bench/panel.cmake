# The panel window's figures: station list refill and press-to-wire latency.
add_executable(panel_bench ${CMAKE_CURRENT_LIST_DIR}/panel_bench.cpp)
target_link_libraries(panel_bench PRIVATE kv_panel_view kv_qt_socket kv_platform_qt kv_testsupport
    Qt6::Test Qt6::Network)
