#include "dialogs/button_programming_view.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "base/qt_text.h"
#include "dialogs/button_types.h"

namespace kv {
namespace {

QString Css(Colour c) {
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.Red).arg(c.Green).arg(c.Blue);
}

Colour Faded(Colour text, Colour back) {
    const auto mix = [](uint8_t a, uint8_t b) { return static_cast<uint8_t>((a + 2 * b) / 3); };
    return {mix(text.Red, back.Red), mix(text.Green, back.Green), mix(text.Blue, back.Blue)};
}

void SetRows(QComboBox* combo, const std::vector<std::string>& rows) {
    QStringList texts;
    for (const std::string& row : rows) {
        texts.append(kv::platform::ToQt(row));
    }
    combo->addItems(texts);
}

}  // namespace

ButtonProgrammingView::ButtonProgrammingView(Services& s, QWidget* parent)
    : QDialog(parent), s_(s) {
    setObjectName(QStringLiteral("frmButtonProgramming"));
    setWindowTitle(QStringLiteral("Program Button"));
    LoadButtonProgramming(s_.ctx.v, d_);

    buttons_ = new QComboBox(this);
    buttons_->setObjectName(QStringLiteral("cmbButton"));
    buttons_->setAccessibleName(QStringLiteral("Button"));
    SetRows(buttons_, d_.ButtonRows);

    auto* frame = new QGroupBox(QStringLiteral("Button Type"), this);
    frame->setObjectName(QStringLiteral("frButType"));
    auto* grid = new QGridLayout(frame);
    types_ = new QButtonGroup(this);
    for (const TypeOption& option : kTypeOptions) {
        auto* radio = new QRadioButton(QString::fromUtf8(option.Caption), frame);
        radio->setObjectName(QStringLiteral("optButType%1").arg(option.Code));
        radio->setToolTip(QString::fromUtf8(option.Tooltip));
        radio->setAutoFillBackground(true);
        // A type that cannot be chosen keeps its colours, its text faded.
        radio->setStyleSheet(
            QStringLiteral("QRadioButton { background-color: %1; color: %2; padding: 2px; }"
                           "QRadioButton:disabled { color: %3; }")
                .arg(Css(option.Back), Css(option.Text), Css(Faded(option.Text, option.Back))));
        radio->setEnabled(option.Choosable && d_.OkEnabled);
        grid->addWidget(radio, option.Row - 1, option.Column - 1);
        types_->addButton(radio, option.Code);
    }

    inputs_ = new QComboBox(this);
    inputs_->setObjectName(QStringLiteral("cmboInputSelect"));
    inputs_->setAccessibleName(QStringLiteral("Input"));
    SetRows(inputs_, d_.InputRows);
    outputs_ = new QComboBox(this);
    outputs_->setObjectName(QStringLiteral("cmboOutputSelect"));
    outputs_->setAccessibleName(QStringLiteral("Output"));
    SetRows(outputs_, d_.OutputRows);
    // The two lists share one place; at most one shows.
    for (QComboBox* list : {inputs_, outputs_}) {
        QSizePolicy policy = list->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        list->setSizePolicy(policy);
    }
    auto* lists = new QGridLayout;
    lists->addWidget(inputs_, 0, 0);
    lists->addWidget(outputs_, 0, 0);

    ok_ = new QPushButton(QStringLiteral("&Ok"), this);
    ok_->setObjectName(QStringLiteral("cmdOk"));
    ok_->setEnabled(d_.OkEnabled);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* commands = new QHBoxLayout;
    commands->addStretch();
    commands->addWidget(ok_);
    commands->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buttons_);
    layout->addWidget(frame);
    layout->addLayout(lists);
    layout->addLayout(commands);

    connect(buttons_, &QComboBox::activated, this, [this](int row) {
        ButtonRowPicked(s_.ctx.v, d_, row);
        Render();
    });
    connect(types_, &QButtonGroup::idClicked, this, [this](int code) {
        TypeOptionClicked(s_.ctx.v, d_, code);
        Render();
    });
    connect(inputs_, &QComboBox::activated, this, [this](int row) {
        InputRowPicked(s_.ctx.v, d_, row);
        Render();
    });
    connect(outputs_, &QComboBox::activated, this, [this](int row) {
        OutputRowPicked(s_.ctx.v, d_, row);
        Render();
    });
    connect(ok_, &QPushButton::clicked, this, [this] {
        ButtonProgrammingOk(s_.ctx.v, d_);
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    Render();
}

void ButtonProgrammingView::reject() {
    ButtonProgrammingCancel(d_);
    QDialog::reject();
}

void ButtonProgrammingView::Render() {
    const QSignalBlocker b1(buttons_);
    const QSignalBlocker b2(inputs_);
    const QSignalBlocker b3(outputs_);
    buttons_->setCurrentIndex(d_.ButtonSelected);
    if (QAbstractButton* option = types_->button(d_.TypeSelected)) {
        option->setChecked(true);
    } else {
        // No option for this type: none is shown checked.
        types_->setExclusive(false);
        for (QAbstractButton* radio : types_->buttons()) {
            radio->setChecked(false);
        }
        types_->setExclusive(true);
    }
    inputs_->setVisible(d_.InputVisible);
    inputs_->setCurrentIndex(d_.InputSelected);
    outputs_->setVisible(d_.OutputVisible);
    outputs_->setCurrentIndex(d_.OutputSelected);
}

void OpenButtonProgrammingDialog(Services& s, QWidget* parent) {
    ButtonProgrammingView view(s, parent);
    view.exec();
}

}  // namespace kv
