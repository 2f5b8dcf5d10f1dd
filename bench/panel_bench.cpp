// Measures the panel window: refilling the station list with 16383 outputs, and the
// time from a mouse press on a Talk button to its 9 bytes arriving at the server.
#include <QElapsedTimer>
#include <chrono>

#include "bench_panel.h"
#include "display/station_display.h"
#include "panel/colour_button.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    BenchServer server;
    BenchPanel panel(server);
    kv::IntercVariables& v = panel.v;
    kv::MainWindowView& w = panel.w;
    kv::MainWindow& window = panel.window;
    if (!panel.Connect()) {
        std::fprintf(stderr, "panel_bench: the panel did not connect\n");
        return 1;
    }

    ColourButton* talk = window.findChild<ColourButton*>("cmdButton0");

    // Station list: 16383 outputs, logic and the combo's model together.
    v.NumOutputs = 16383;
    v.OutputNames.resize(16383);
    for (int i = 0; i < 16383; ++i) {
        v.OutputNames[static_cast<std::size_t>(i)] = "STATION " + std::to_string(i + 1);
    }
    std::vector<double> fills;
    for (int run = 0; run < 10; ++run) {
        const auto start = std::chrono::steady_clock::now();
        kv::LoadStationCombo(v, w);
        window.Render();
        fills.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::printf("LoadStationCombo+render 16383 outputs: median %.2f ms, max %.2f ms\n",
                Median(fills), *std::max_element(fills.begin(), fills.end()));

    // Press to wire: 200 presses of the Talk button.
    std::vector<double> latencies;
    for (int i = 0; i < 200; ++i) {
        QTest::qWait(2);
        const std::size_t before = server.received;
        QElapsedTimer t;
        t.start();
        QTest::mousePress(talk, Qt::LeftButton);
        while (server.received < before + 9 && t.elapsed() < 1000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
        latencies.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        QTest::mouseRelease(talk, Qt::LeftButton);
    }
    std::printf("press to 9 bytes at the server, 200 presses: median %.3f ms, max %.3f ms\n",
                Median(latencies), *std::max_element(latencies.begin(), latencies.end()));
    return 0;
}
