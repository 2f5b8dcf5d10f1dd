#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QStringListModel>
#include <array>

#include "base/layout_units.h"
#include "panel/click_box.h"
#include "panel/colour_button.h"
#include "panel/control_holds.h"
#include "panel/main_window_logic.h"
#include "panel/main_window_view.h"
#include "panel/panel_buttons.h"
#include "panel/station_choice.h"
#include "panel/station_combo.h"

// The panel window's controls at their layout positions, wired to the logic, and its menus.

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

constexpr int kLayoutWidth = 8775;
constexpr int kPanelHeight = 1485;

}  // namespace

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
            if (mouse == kRightButton) {
                ButtonPress(s_.ctx, *this, index, mouse);
            } else {
                PressControl(s_.ctx, *this, index, kMouseHolder);
            }
            AfterEvent();
        };
        button->onRelease = [this, index](int16_t mouse) {
            if (mouse != kRightButton) {
                ReleaseControl(s_.ctx, index, kMouseHolder);
            }
            AfterEvent();
        };
        button->onKeyMenu = [this, index] {
            ButtonPress(s_.ctx, *this, index, kRightButton);
            AfterEvent();
        };
        HoldByKeyboard(button, i);
        buttons_[static_cast<std::size_t>(i)] = button;
    }

    // Dial Up and Call Answer: the press makes, the release breaks.
    const auto heldButton = [&](const char* name, int top, const char* caption, int control) {
        auto* button = new ColourButton(face);
        button->setObjectName(QString::fromLatin1(name));
        Place(button, 5400, top, 855, 550);
        button->setFont(buttonFont);
        button->SetCaption(QString::fromLatin1(caption));
        button->onPress = [this, control](int16_t) {
            PressControl(s_.ctx, *this, control, kMouseHolder);
            AfterEvent();
        };
        button->onRelease = [this, control](int16_t) {
            ReleaseControl(s_.ctx, control, kMouseHolder);
            AfterEvent();
        };
        HoldByKeyboard(button, control);
        return button;
    };
    take_ = heldButton("cmdTake", 180, " Dial  Up ", kDialControl);
    answer_ = heldButton("cmdAnswer", 720, "Call Answer", kAnswerControl);

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
        focusBeforeStations_ = QApplication::focusWidget();  // the box itself, from the keys
        PresetWindowClick(s_.ctx);
        AfterEvent();
    };

    station_ = new StationCombo(face);
    station_->setObjectName(QStringLiteral("cmbStation"));
    station_->setAccessibleName(QStringLiteral("Station to dial up"));
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

    // Tab goes as the eye reads: the top row left to right (the station list stands in for
    // the Dial Up box while open), then the bottom row.
    const std::array<QWidget*, 13> order{
        buttons_[0], buttons_[1], buttons_[2], buttons_[3], take_,   station_, preset_,
        buttons_[4], buttons_[5], buttons_[6], buttons_[7], answer_, input_};
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void MainWindow::HoldByKeyboard(ColourButton* button, int control) {
    button->onKeyHold = [this, control](bool down) {
        if (down) {
            PressControl(s_.ctx, *this, control, kKeyboardHolder);
        } else {
            ReleaseControl(s_.ctx, control, kKeyboardHolder);
        }
        AfterEvent();
    };
}

void MainWindow::BuildMenus() {
    QMenu* file = file_ = menuBar()->addMenu(QStringLiteral("&File"));
    connect(file->addAction(QStringLiteral("&Setup")), &QAction::triggered, this, [this] {
        MenuSetupClick(s_, *this);
        AfterEvent();
    });
    connect(file->addAction(QStringLiteral("&Password")), &QAction::triggered, this, [this] {
        MenuPasswordClick(s_, *this);
        AfterEvent();
    });
    fileSeparator_ = file->addSeparator();
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

void MainWindow::AddGuardedFileEntry(const QString& text, std::function<void()> open) {
    QAction* entry = new QAction(text, file_);
    file_->insertAction(fileSeparator_, entry);
    connect(entry, &QAction::triggered, this, [this, open = std::move(open)] {
        MenuGuardedClick(s_, *this, open);
        AfterEvent();
    });
}

}  // namespace kv
