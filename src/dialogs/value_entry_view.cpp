#include "dialogs/value_entry_view.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/qt_text.h"

namespace kv {

ValueEntryView::ValueEntryView(Services& s, QWidget* parent) : QDialog(parent), s_(s) {
    setObjectName(QStringLiteral("frmIntercRefresh"));
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("lblRefresh"));
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("txtRefreshRate"));
    label_->setBuddy(text_);

    helpFrame_ = new QGroupBox(this);
    helpFrame_->setObjectName(QStringLiteral("FrmRefreshHelp"));
    prompt_ = new QLabel(helpFrame_);
    prompt_->setObjectName(QStringLiteral("lblRefreshHelp"));
    prompt_->setWordWrap(true);
    auto* helpLayout = new QVBoxLayout(helpFrame_);
    helpLayout->addWidget(prompt_);

    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(ok, &QPushButton::clicked, this, [this] { Ok(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(label_, 0, 0);
    grid->addWidget(text_, 0, 1);
    grid->addWidget(helpFrame_, 1, 0, 1, 2);
    auto* commands = new QHBoxLayout;
    commands->addStretch();
    commands->addWidget(ok);
    commands->addWidget(cancel);
    grid->addLayout(commands, 2, 0, 1, 2);
    setFixedWidth(320);
    Render();
}

void ValueEntryView::Open(const std::string& mode) {
    ActivateValueEntry(s_.ctx.v, d_, mode);
    Render();
    exec();
}

void ValueEntryView::Ok() {
    d_.Text = kv::platform::FromQt(text_->text());
    ValueEntryOk(s_.ctx.v, s_.box, d_);
    if (!d_.Visible) {
        accept();
    }
}

void ValueEntryView::reject() {
    ValueEntryCancel(d_);
    QDialog::reject();
}

void ValueEntryView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        ValueEntryHelp(d_, s_.help, s_.box);
        return;
    }
    QDialog::keyPressEvent(event);
}

void ValueEntryView::Render() {
    setWindowTitle(kv::platform::ToQt(d_.Caption));
    label_->setText(kv::platform::ToQt(d_.Label));
    prompt_->setText(kv::platform::ToQt(d_.Prompt));
    text_->setText(kv::platform::ToQt(d_.Text));
    if (d_.FocusText) {
        d_.FocusText = false;
        text_->setFocus();
        text_->selectAll();
    }
}

}  // namespace kv
