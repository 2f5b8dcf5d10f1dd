# The main window's logic (no Qt): buttons, Call Answer, Dial Up, station choice,
# start-up, menus and unload.
add_library(kv_panel STATIC
    ${CMAKE_CURRENT_LIST_DIR}/call_alert.cpp
    ${CMAKE_CURRENT_LIST_DIR}/call_answer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_window_logic.cpp
    ${CMAKE_CURRENT_LIST_DIR}/momentary_break.cpp
    ${CMAKE_CURRENT_LIST_DIR}/panel_buttons.cpp
    ${CMAKE_CURRENT_LIST_DIR}/socket_wiring.cpp
    ${CMAKE_CURRENT_LIST_DIR}/station_choice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_order.cpp
)
target_link_libraries(kv_panel PUBLIC kv_panel_state kv_link kv_config kv_diag kv_state kv_platform)

# The main window's Qt view.
add_library(kv_panel_view STATIC
    ${CMAKE_CURRENT_LIST_DIR}/click_box.cpp
    ${CMAKE_CURRENT_LIST_DIR}/colour_button.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_window_view.cpp
    ${CMAKE_CURRENT_LIST_DIR}/station_combo.cpp
)
target_link_libraries(kv_panel_view PUBLIC
    kv_panel kv_access_view kv_about_view kv_setup_view kv_dialogs_view Qt6::Widgets)
