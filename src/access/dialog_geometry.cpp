#include "access/dialog_geometry.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "base/file_text.h"
#include "base/layout_units.h"

using kv::Place;
using kv::Px;

void SetFixedDialog(QDialog* dialog, int width, int height) {
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setFixedSize(Px(width), Px(height));
}

void CenterOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

QLineEdit* NewTextBox(QWidget* parent, const char* name, int left, int top, bool masked,
                      int width) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    Place(box, left, top, width, 345);
    // The file keeps no more of a user name or password.
    box->setMaxLength(static_cast<int>(kv::kCredentialLength));
    if (masked) {
        // Every character shown as "*", whatever the style's own mask character is.
        box->setEchoMode(QLineEdit::Password);
        box->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    }
    return box;
}

QLabel* NewLabel(QWidget* parent, const char* name, const char* text, int left, int top,
                 QWidget* buddy, int width) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    Place(label, left, top, width, 285);
    label->setBuddy(buddy);
    return label;
}

QPushButton* NewButton(QWidget* parent, const char* name, const char* text, int left, int top) {
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    Place(button, left, top, 1140, 390);
    return button;
}

void ApplyFocus(QLineEdit* box, kv::FocusRequest& request) {
    if (box == nullptr) {
        return;
    }
    box->setFocus(Qt::OtherFocusReason);
    if (request.SelectAll) {
        box->selectAll();
    }
    request = {};
}
