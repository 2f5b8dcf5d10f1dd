#include "platform/qt_message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace kv::platform {
namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QtMessageBox::QtMessageBox(QWidget* parent) : parent_(parent) {}

void QtMessageBox::Show(const std::string& text, const std::string& title, MessageIcon icon) {
    // Over whichever window the operator is working in, so the box comes to the front.
    QWidget* owner = parent_ != nullptr ? parent_ : QApplication::activeWindow();
    QMessageBox box(ToQt(icon), QString::fromStdString(title), QString(), QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("MessageBox"));
    // Carriage returns alone are the line breaks of our texts.
    QString lines = QString::fromStdString(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(lines);
    box.exec();
}

}  // namespace kv::platform
