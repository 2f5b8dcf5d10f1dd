# The socket on QTcpSocket.
add_library(kv_qt_socket STATIC qt_socket.cpp)
target_link_libraries(kv_qt_socket PUBLIC kv_platform Qt6::Network)
