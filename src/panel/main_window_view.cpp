#include "panel/main_window_view.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QStringListModel>
#include <QWindow>
#include <algorithm>

#include "access/credential_view.h"
#include "access/login_view.h"
#include "config/setup_window_view.h"
#include "diag/about_view.h"
#include "dialogs/button_label_view.h"
#include "link/framing.h"
#include "link/poll_timer.h"
#include "link/receive_buffer.h"
#include "panel/call_alert.h"
#include "panel/call_answer.h"
#include "panel/click_box.h"
#include "panel/colour_button.h"
#include "panel/layout_units.h"
#include "panel/main_window_logic.h"
#include "panel/panel_buttons.h"
#include "panel/station_choice.h"
#include "panel/station_combo.h"
#include "panel/window_order.h"
#include "platform/qt_text.h"

namespace kv {
namespace {

// imgPanel: the panel face behind the controls.
class PanelFace : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(58, 66, 78));
        p.setPen(QColor(96, 106, 120));
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
};

QFont CourierNew(double points, bool bold) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QColor ToQColor(Colour c) {
    return QColor(c.Red, c.Green, c.Blue);
}

void SetTextColour(QWidget* widget, int16_t paletteIndex) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, ToQColor(PaletteColour(paletteIndex)));
    widget->setPalette(palette);
}

template <class T>
bool Changed(T& shown, const T& now, bool force) {
    if (!force && shown == now) {
        return false;
    }
    shown = now;
    return true;
}

constexpr int kLayoutWidth = 8775;
constexpr int kPanelHeight = 1485;

}  // namespace

MainWindow::MainWindow(Services& s, std::string programDirectory, QWidget* parent)
    : QMainWindow(parent), s_(s), programDirectory_(std::move(programDirectory)) {
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

void MainWindow::BuildPanel() {
    auto* face = new PanelFace(this);
    face->setFixedSize(Px(kLayoutWidth), Px(kPanelHeight));
    setCentralWidget(face);

    const QFont buttonFont = CourierNew(8.25, false);
    constexpr std::array<int, 4> kLefts{480, 1560, 2640, 3720};
    for (int i = 0; i < kPanelButtons; ++i) {
        auto* button = new ColourButton(face);
        Place(button, kLefts[static_cast<std::size_t>(i % 4)], i < 4 ? 180 : 720, 1095, 550);
        button->setFont(buttonFont);
        button->setToolTip(QStringLiteral("Key %1").arg(i + 1));
        button->setObjectName(QStringLiteral("cmdButton%1").arg(i));
        const auto index = static_cast<int16_t>(i);
        button->onPress = [this, index](int16_t mouse) {
            ButtonPress(s_.ctx, *this, index, mouse);
            AfterEvent();
        };
        button->onRelease = [this, index](int16_t mouse) {
            ButtonRelease(s_.ctx, index, mouse);
            AfterEvent();
        };
        buttons_[static_cast<std::size_t>(i)] = button;
    }

    take_ = new ColourButton(face);
    take_->setObjectName(QStringLiteral("cmdTake"));
    Place(take_, 5400, 180, 855, 550);
    take_->setFont(buttonFont);
    take_->SetCaption(QStringLiteral(" Dial  Up "));
    take_->onPress = [this](int16_t) {
        TakeDown(s_.ctx);
        AfterEvent();
    };
    take_->onRelease = [this](int16_t) {
        TakeUp(s_.ctx);
        AfterEvent();
    };

    answer_ = new ColourButton(face);
    answer_->setObjectName(QStringLiteral("cmdAnswer"));
    Place(answer_, 5400, 720, 855, 550);
    answer_->setFont(buttonFont);
    answer_->SetCaption(QStringLiteral("Call Answer"));
    answer_->onPress = [this](int16_t) {
        AnswerDown(s_.ctx);
        AfterEvent();
    };
    answer_->onRelease = [this](int16_t) {
        AnswerUp(s_.ctx);
        AfterEvent();
    };

    auto* click = new QLabel(QStringLiteral("Click to change"), face);
    Place(click, 6405, 60, 1455, 255);
    QPalette labelPalette = click->palette();
    labelPalette.setColor(QPalette::WindowText, QColor(230, 230, 230));
    click->setPalette(labelPalette);

    preset_ = new ClickBox(face);
    preset_->setObjectName(QStringLiteral("txtPresetWindow"));
    Place(preset_, 6405, 310, 1650, 435);
    preset_->setFont(CourierNew(12, true));
    preset_->setToolTip(QStringLiteral("Displays Station to Dial Up"));
    QPalette presetPalette = preset_->palette();
    presetPalette.setColor(QPalette::Base, QColor(255, 0, 0));
    preset_->setPalette(presetPalette);
    preset_->onClick = [this] {
        PresetWindowClick(s_.ctx);
        AfterEvent();
    };

    station_ = new StationCombo(face);
    station_->setObjectName(QStringLiteral("cmbStation"));
    station_->setGeometry(Px(6405), Px(360), Px(1650), station_->sizeHint().height());
    station_->setFont(CourierNew(9.75, true));
    QPalette comboPalette = station_->palette();
    const QColor menuText = QApplication::palette("QMenu").color(QPalette::WindowText);
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window}) {
        comboPalette.setColor(role, menuText);
    }
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText}) {
        comboPalette.setColor(role, QColor(128, 255, 128));
    }
    station_->setPalette(comboPalette);
    station_->view()->setPalette(comboPalette);
    stationModel_ = new QStringListModel(station_);
    station_->setModel(stationModel_);
    station_->hide();
    connect(station_, qOverload<int>(&QComboBox::activated), this, [this](int row) {
        StationClick(s_.ctx, row);
        AfterEvent();
    });
    station_->onLeft = [this] {
        if (s_.ctx.w.StationVisible) {
            StationLostFocus(s_.ctx);
            AfterEvent();
        }
    };

    input_ = new ClickBox(face);
    input_->setObjectName(QStringLiteral("txtInputWindow"));
    Place(input_, 6405, 720, 1650, 435);
    input_->setFont(CourierNew(12, true));
    input_->setToolTip(QStringLiteral("Displays last calling station"));

    status1_ = new QLabel(this);
    status1_->setObjectName(QStringLiteral("StatusBar1Panel1"));
    status1_->setToolTip(QStringLiteral("Intercom Station assigned to this panel"));
    status2_ = new QLabel(this);
    status2_->setObjectName(QStringLiteral("StatusBar1Panel2"));
    status2_->setToolTip(QStringLiteral("Location of ZEB Brannix"));
    for (QLabel* panel : {status1_, status2_}) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setIndent(3);
        statusBar()->addWidget(panel, 1);
    }
    statusBar()->setSizeGripEnabled(false);
}

void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    connect(file->addAction(QStringLiteral("&Setup")), &QAction::triggered, this, [this] {
        MenuSetupClick(s_, *this);
        AfterEvent();
    });
    connect(file->addAction(QStringLiteral("&Password")), &QAction::triggered, this, [this] {
        MenuPasswordClick(s_, *this);
        AfterEvent();
    });
    file->addSeparator();
    connect(file->addAction(QStringLiteral("E&xit")), &QAction::triggered, this,
            [this] { MenuExitClick(s_, *this); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    connect(help->addAction(QStringLiteral("&Contents")), &QAction::triggered, this, [this] {
        MenuContentsClick(s_, *this);
        AfterEvent();
    });
    help->addSeparator();
    connect(help->addAction(QStringLiteral("&About")), &QAction::triggered, this, [this] {
        MenuAboutClick(s_, *this);
        AfterEvent();
    });
}

void MainWindow::Load() {
    MainWindowLoad(s_, *this, programDirectory_);
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

void MainWindow::Render() {
    const MainWindowView& w = s_.ctx.w;
    const bool all = !rendered_;
    rendered_ = true;

    if (Changed(shown_.Caption, w.Caption, all)) {
        setWindowTitle(kv::platform::ToQt(w.Caption));
    }
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const ButtonFace& face = w.Buttons[i];
        ButtonFace& old = shown_.Buttons[i];
        if (Changed(old.Caption, face.Caption, all)) {
            buttons_[i]->SetCaption(kv::platform::ToQt(face.Caption));
        }
        if (Changed(old.BackColour, face.BackColour, all)) {
            buttons_[i]->SetBackColour(face.BackColour);
        }
        if (Changed(old.Enabled, face.Enabled, all)) {
            buttons_[i]->setEnabled(face.Enabled);
        }
    }
    if (Changed(shown_.AnswerColour, w.AnswerColour, all)) {
        answer_->SetBackColour(w.AnswerColour);
    }
    if (Changed(shown_.TakeColour, w.TakeColour, all)) {
        take_->SetBackColour(w.TakeColour);
    }
    if (Changed(shown_.InputWindowText, w.InputWindowText, all)) {
        input_->setText(kv::platform::ToQt(w.InputWindowText));
    }
    if (Changed(shown_.InputWindowTextColour, w.InputWindowTextColour, all)) {
        SetTextColour(input_, w.InputWindowTextColour);
    }
    if (Changed(shown_.PresetWindowText, w.PresetWindowText, all)) {
        preset_->setText(kv::platform::ToQt(w.PresetWindowText));
    }
    if (Changed(shown_.PresetWindowTextColour, w.PresetWindowTextColour, all)) {
        SetTextColour(preset_, w.PresetWindowTextColour);
    }
    if (Changed(shown_.PresetWindowVisible, w.PresetWindowVisible, all)) {
        preset_->setVisible(w.PresetWindowVisible);
    }
    RenderStations();
    if (Changed(shown_.StatusPanel1, w.StatusPanel1, all)) {
        status1_->setText(kv::platform::ToQt(w.StatusPanel1));
    }
    if (Changed(shown_.StatusPanel2, w.StatusPanel2, all)) {
        status2_->setText(kv::platform::ToQt(w.StatusPanel2));
    }
    if (Changed(shown_.PollInterval, w.PollInterval, all)) {
        poll_.setInterval(std::max(1, w.PollInterval));  // never a busy loop
    }
    if (Changed(shown_.PollEnabled, w.PollEnabled, all)) {
        if (w.PollEnabled) {
            poll_.start();
        } else {
            poll_.stop();
        }
    }
    if (all || shown_.WindowOrder != w.WindowOrder) {
        ApplyWindowOrder();
    }
}

void MainWindow::RenderStations() {
    const MainWindowView& w = s_.ctx.w;
    if (w.StationRowsRevision != shownRevision_) {
        shownRevision_ = w.StationRowsRevision;
        QStringList rows;
        rows.reserve(static_cast<qsizetype>(w.StationRows.size()));
        for (const std::string& row : w.StationRows) {
            rows.append(kv::platform::ToQt(row));
        }
        const QSignalBlocker block(station_);
        stationModel_->setStringList(rows);
        shown_.StationSelected = -2;  // the model reset cleared the selection
    }
    if (shown_.StationSelected != w.StationSelected) {
        shown_.StationSelected = w.StationSelected;
        const QSignalBlocker block(station_);
        station_->setCurrentIndex(w.StationSelected);
    }
    if (shown_.StationVisible != w.StationVisible) {
        shown_.StationVisible = w.StationVisible;
        station_->setVisible(w.StationVisible);
        if (w.StationVisible) {
            station_->raise();
            station_->setFocus(Qt::OtherFocusReason);
            station_->showPopup();
        }
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
        if (!event->isAutoRepeat()) {  // a held key is one press
            ButtonPress(s_.ctx, *this, static_cast<int16_t>(key - Qt::Key_1), kLeftButton);
            AfterEvent();
        }
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_1 && key <= Qt::Key_8 &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (!event->isAutoRepeat()) {
            ButtonRelease(s_.ctx, static_cast<int16_t>(key - Qt::Key_1), kLeftButton);
            AfterEvent();
        }
        return;
    }
    QMainWindow::keyReleaseEvent(event);
}

}  // namespace kv
