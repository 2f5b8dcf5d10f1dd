#include "config/setup_window_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <utility>

#include "base/qt_text.h"
#include "dialogs/button_label_view.h"
#include "dialogs/button_programming_view.h"
#include "dialogs/value_entry_view.h"

namespace kv {
namespace {

QPushButton* Command(QWidget* parent, const char* name, const char* caption, const char* tooltip) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(QString::fromUtf8(tooltip));
    return button;
}

QLabel* Label(QWidget* parent, const char* name, const char* caption) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromUtf8(name));
    return label;
}

void SetRows(QComboBox* combo, const std::vector<std::string>& rows, int32_t selected) {
    const QSignalBlocker blocker(combo);
    combo->clear();
    for (const std::string& row : rows) {
        combo->addItem(kv::platform::ToQt(row));
    }
    combo->setCurrentIndex(selected);
}

}  // namespace

SetupWindowView::SetupWindowView(Services& s, QWidget* parent) : QDialog(parent), s_(s) {
    setObjectName(QStringLiteral("frmIntercFile"));
    setWindowTitle(QStringLiteral("Intercom Keyvane Setup"));

    address_ = new QLineEdit(this);
    address_->setObjectName(QStringLiteral("txtIPAddr"));
    address_->setValidator(new platform::CharRuleValidator(IPAddressCharAccepted, address_));
    port_ = new QLineEdit(this);
    port_->setObjectName(QStringLiteral("txtIPPort"));
    port_->setValidator(new platform::CharRuleValidator(IPPortCharAccepted, port_));
    outputs_ = new QComboBox(this);
    outputs_->setObjectName(QStringLiteral("cmboOutputSelect"));
    inputs_ = new QComboBox(this);
    inputs_->setObjectName(QStringLiteral("cmboInputSelect"));
    stayOnTop_ = new QCheckBox(QStringLiteral("Keep Control Panel On Top"), this);
    stayOnTop_->setObjectName(QStringLiteral("chkStayOnTop"));

    // Each label names its field to a screen reader.
    auto* fields = new QGridLayout;
    const std::pair<QLabel*, QWidget*> rows[] = {
        {Label(this, "lblIpAddr", "IP Address"), address_},
        {Label(this, "lblIPPort", "IP Port"), port_},
        {Label(this, "lblDestinationSelect", "Intercom Speaker"), outputs_},
        {Label(this, "Label1", "Intercom Microphone"), inputs_}};
    for (int row = 0; row < 4; ++row) {
        rows[row].first->setBuddy(rows[row].second);
        fields->addWidget(rows[row].first, row, 0);
        fields->addWidget(rows[row].second, row, 1);
    }
    fields->addWidget(stayOnTop_, 4, 0, 1, 2);
    fields->setColumnMinimumWidth(1, 260);

    auto* refresh = Command(this, "cmdRefresh", "&Poll Rate", "Change the Poll Rate");
    auto* timeOut = Command(this, "cmdTimeOut", "&Time Out", "Change the Time Out Period");
    auto* flashRate = Command(this, "cmdFlashRate", "&Flash Rate", "Change the Button Flash Rate");
    auto* overHang = Command(this, "cmdOverHang", "Over &Hang", "Change the Button Overhang");
    auto* buttonSetup =
        Command(this, "cmdButtonSetup", "Program &Button ", "Change the Refresh Rate");
    auto* labelSetup =
        Command(this, "cmdButtonLabelSetup", "Setup Button &Labels", "Change the Refresh Rate");
    auto* commands = new QVBoxLayout;
    for (QPushButton* button : {refresh, timeOut, flashRate, overHang, buttonSetup, labelSetup}) {
        commands->addWidget(button);
    }
    commands->addStretch();

    auto* helpFrame = new QGroupBox(QStringLiteral("Setup Help"), this);
    helpFrame->setObjectName(QStringLiteral("frmSetupHelp"));
    auto* help =
        Label(helpFrame, "lblSetupHelp",
              "Specify the IP address and IP Port where ZEB Intercom Server software is installed "
              "and then select the destination (output) which will be controlled and set the Stay "
              "On Top option.");
    help->setWordWrap(true);
    auto* helpLayout = new QVBoxLayout(helpFrame);
    helpLayout->addWidget(help);

    auto* ok = Command(this, "cmdOk", "&Ok", "Accept current settings");
    ok->setDefault(true);
    auto* cancel = Command(this, "cmdCancel", "&Cancel", "Abort any changes and exit");
    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(ok);
    closing->addWidget(cancel);

    auto* upper = new QHBoxLayout;
    upper->addLayout(fields, 1);
    upper->addLayout(commands);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper);
    layout->addWidget(helpFrame);
    layout->addLayout(closing);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(outputs_, &QComboBox::activated, this, [this](int row) {
        Collect();
        SetupOutputSelected(s_.ctx.v, f_, row);
        Render();
    });
    connect(inputs_, &QComboBox::activated, this, [this](int row) {
        Collect();
        SetupInputSelected(s_.ctx.v, f_, row);
        Render();
    });
    connect(refresh, &QPushButton::clicked, this, [this] { OpenValueEntry("Refresh"); });
    connect(timeOut, &QPushButton::clicked, this, [this] { OpenValueEntry("TimeOut"); });
    connect(flashRate, &QPushButton::clicked, this, [this] { OpenValueEntry("FlashRate"); });
    connect(overHang, &QPushButton::clicked, this, [this] { OpenValueEntry("OverHang"); });
    connect(buttonSetup, &QPushButton::clicked, this,
            [this] { OpenButtonProgrammingDialog(s_, this); });
    connect(labelSetup, &QPushButton::clicked, this,
            [this] { OpenButtonLabelDialog(s_, this, "9999"); });
    connect(ok, &QPushButton::clicked, this, [this] { Ok(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
}

void SetupWindowView::Open(const std::string& tag) {
    f_.Tag = tag;
    exec();
}

void SetupWindowView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Activate();
}

void SetupWindowView::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        Activate();
    }
}

void SetupWindowView::Activate() {
    const bool filling = f_.Tag == kSetupTagInitial;
    ActivateSetupWindow(s_, f_);
    if (filling) {
        Render();
        // Each opening starts where the operator types first: the server address.
        address_->setFocus();
        address_->selectAll();
    }
}

// What the operator typed or ticked, so that redrawing the window does not undo it.
void SetupWindowView::Collect() {
    f_.IPAddrText = kv::platform::FromQt(address_->text());
    f_.IPPortText = kv::platform::FromQt(port_->text());
    f_.StayOnTopChecked = stayOnTop_->isChecked();
}

void SetupWindowView::Ok() {
    Collect();
    SetupOk(s_, f_);
    Render();
    if (!f_.Visible) {
        accept();
    }
}

void SetupWindowView::reject() {
    SetupCancel(f_);
    QDialog::reject();
}

void SetupWindowView::OpenValueEntry(const char* mode) {
    if (valueEntry_ == nullptr) {
        valueEntry_ = new ValueEntryView(s_, this);
    }
    valueEntry_->Open(mode);
}

void SetupWindowView::Render() {
    address_->setText(kv::platform::ToQt(f_.IPAddrText));
    port_->setText(kv::platform::ToQt(f_.IPPortText));
    SetRows(outputs_, f_.OutputRows, f_.OutputSelected);
    SetRows(inputs_, f_.InputRows, f_.InputSelected);
    stayOnTop_->setChecked(f_.StayOnTopChecked);
    if (f_.FocusIPAddr) {
        f_.FocusIPAddr = false;
        address_->setFocus();
    }
}

}  // namespace kv
