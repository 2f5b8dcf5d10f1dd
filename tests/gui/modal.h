#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>

// Runs the operator's part once a modal window is up: exec() blocks the test meanwhile.
inline void WhenModal(std::function<void(QWidget*)> act, int waitedMs = 0) {
    QTimer::singleShot(10, [act = std::move(act), waitedMs] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible()) {
            act(modal);
        } else if (waitedMs > 5000) {
            ADD_FAILURE() << "no modal window came up";
        } else {
            WhenModal(act, waitedMs + 10);
        }
    });
}

template <class T = QLineEdit>
T* Child(QWidget* parent, const QString& name) {
    T* child = parent->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name.toStdString();
    return child;
}

// A button clicked, a check or radio box clicked on its indicator.
inline void Click(QWidget* parent, const char* name) {
    QWidget* w = Child<QWidget>(parent, name);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, w->height() / 2));
}

// The box cleared and typed into key by key, as the operator would.
inline void Type(QWidget* parent, const char* box, const QString& text) {
    Child(parent, box)->clear();
    QTest::keyClicks(Child(parent, box), text);
}
