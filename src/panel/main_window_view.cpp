#include "panel/main_window_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QWindow>

#include "access/credential_view.h"
#include "access/login_view.h"
#include "config/setup_window_view.h"
#include "diag/about_view.h"
#include "dialogs/button_label_view.h"
#include "link/framing.h"
#include "link/poll_timer.h"
#include "link/receive_buffer.h"
#include "panel/call_alert.h"
#include "panel/control_holds.h"
#include "panel/main_window_logic.h"
#include "panel/panel_buttons.h"
#include "panel/window_order.h"

namespace kv {

MainWindow::MainWindow(Services& s, std::string programDirectory, QWidget* parent)
    : MainWindow(s, std::move(programDirectory), FilePlaces{}, parent) {}

MainWindow::MainWindow(Services& s, std::string programDirectory, FilePlaces places,
                       QWidget* parent)
    : QMainWindow(parent),
      s_(s),
      programDirectory_(std::move(programDirectory)),
      places_(std::move(places)),
      digits_([this](int key) {
          if (ReleaseControl(s_.ctx, key - Qt::Key_1, kKeyboardHolder)) {
              AfterEvent();
          }
      }) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    BuildPanel();
    BuildMenus();
    setFixedSize(sizeHint());

    decode_.setObjectName(QStringLiteral("tmrDecode"));
    poll_.setObjectName(QStringLiteral("tmrPoll"));
    decode_.setInterval(10);
    connect(&decode_, &QTimer::timeout, this, [this] {
        DecodeTick(s_.ctx);
        AfterEvent();
    });
    connect(&poll_, &QTimer::timeout, this, [this] {
        PollTick(s_.ctx);
        AfterEvent();
    });
    Render();
}

MainWindow::~MainWindow() = default;

void MainWindow::Load() {
    MainWindowLoad(s_, *this, programDirectory_, places_);
    AfterEvent();
}

void MainWindow::AfterEvent() {
    if (unloading_) {
        return;
    }
    // tmrDecode runs while bytes wait to be decoded; an idle panel does not wake for it.
    // A backlog goes on as soon as the events that came in meanwhile are handled.
    if (!LiveBytes(s_.ctx.v.ReceiveBuffer).empty()) {
        const int interval = s_.ctx.v.ReceiveBuffer.Backlog ? 0 : 10;
        if (decode_.interval() != interval) {
            decode_.setInterval(interval);
        }
        if (!decode_.isActive()) {
            decode_.start();
        }
    } else if (decode_.isActive()) {
        decode_.stop();
    }
    Render();
    if (TakeCallAlert(s_.ctx.v, s_.ctx.w, isActiveWindow())) {
        QApplication::alert(this);
    }
}

void MainWindow::AfterSocketEvent() {
    AfterEvent();
}

void MainWindow::ApplyWindowOrder() {
    const int32_t order = s_.ctx.w.WindowOrder;
    shown_.WindowOrder = order;
    const bool top = order == kTopmost;
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == top) {
        return;
    }
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, top);
    if (QWindow* handle = windowHandle()) {
        // Change the live window in place: re-creating it would hide it.
        overrideWindowFlags(flags);
        handle->setFlags(flags);
    } else {
        setWindowFlags(flags);
    }
}

void MainWindow::LoadWindows() {
    credential_ = new CredentialView(s_, this);
    login_ = new LoginView(s_, this);
    setup_ = new SetupWindowView(s_, this);
    about_ = new AboutView(s_, this);
}

void MainWindow::OpenLogin(const std::string& tag) {
    login_->Open(tag);
}
void MainWindow::OpenCredential() {
    credential_->Open();
}
void MainWindow::OpenSetup(const std::string& tag) {
    setup_->Open(tag);
}
void MainWindow::OpenAbout() {
    about_->Open();
}
void MainWindow::OpenButtonLabel(const std::string& tag) {
    OpenButtonLabelDialog(s_, this, tag);
}

void MainWindow::UnloadAll() {
    unloading_ = true;
    decode_.stop();
    poll_.stop();
    for (QWidget* window : std::initializer_list<QWidget*>{about_, setup_, login_, credential_}) {
        if (window != nullptr) {
            window->close();
        }
    }
    close();
    QApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!unloading_) {
        MainWindowUnload(s_, *this);
    }
    event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_F1) {
        MenuContentsClick(s_, *this);
        AfterEvent();
        return;
    }
    if (key >= Qt::Key_1 && key <= Qt::Key_8 &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (digits_.Press(*event)) {  // a held key is one press
            PressControl(s_.ctx, *this, key - Qt::Key_1, kKeyboardHolder);
            AfterEvent();
        }
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    const int key = event->key();
    // Whatever modifier came meanwhile, the key's release ends its hold.
    if (key >= Qt::Key_1 && key <= Qt::Key_8) {
        digits_.Release(*event);
        return;
    }
    QMainWindow::keyReleaseEvent(event);
}

void MainWindow::changeEvent(QEvent* event) {
    // A window that loses the keyboard never hears the key's release: no key stays held.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        ReleaseHolder(s_.ctx, kKeyboardHolder);
        AfterEvent();
    }
    QMainWindow::changeEvent(event);
}

}  // namespace kv
