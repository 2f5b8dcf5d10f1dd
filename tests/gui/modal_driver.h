#pragma once

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

// Runs the operator's part once the next modal window is up; exec() blocks the test meanwhile.
inline void WhenModal(std::function<void(QWidget*)> act, std::shared_ptr<bool> ran = nullptr) {
    QTimer::singleShot(0, [act = std::move(act), ran] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            QTimer::singleShot(10, [act, ran] { WhenModal(act, ran); });
            return;
        }
        if (ran) {
            *ran = true;
        }
        act(modal);
    });
}

template <class T>
T* Child(QWidget* parent, const char* name) {
    return parent->findChild<T*>(QString::fromUtf8(name));
}

inline void Click(QWidget* parent, const char* name) {
    QWidget* widget = Child<QWidget>(parent, name);
    if (widget != nullptr) {
        QTest::mouseClick(widget, Qt::LeftButton);
    }
}

#include <QDialog>

// Closes every open dialog after a while, so that a test whose script went wrong fails instead of
// hanging.
class Watchdog {
public:
    Watchdog() {
        timer_.setInterval(10000);
        QObject::connect(&timer_, &QTimer::timeout, [] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QDialog*>(widget);
                    dialog != nullptr && dialog->isVisible()) {
                    dialog->reject();
                }
            }
        });
        timer_.start();
    }

private:
    QTimer timer_;
};
