#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>

// Drives modal windows from inside their own event loops: each step waits until its
// condition holds on the active modal window, then acts. A step that never comes true
// fails the test and closes the modal windows, so that no test hangs.
class ModalSteps {
public:
    using Ready = std::function<bool(QWidget*)>;
    using Act = std::function<void(QWidget*)>;

    ModalSteps& Then(Ready ready, Act act) {
        steps_.push_back({std::move(ready), std::move(act)});
        return *this;
    }

    // Starts watching; call before the modal window is opened.
    void Start(int timeoutMs = 5000) {
        timer_.setInterval(10);
        clock_.start();
        QObject::connect(&timer_, &QTimer::timeout, [this, timeoutMs] { Tick(timeoutMs); });
        timer_.start();
    }

    bool Done() const { return next_ == steps_.size(); }
    ~ModalSteps() { timer_.stop(); }

private:
    struct Step {
        Ready ready;
        Act act;
    };

    void Tick(int timeoutMs) {
        if (Done()) {
            timer_.stop();
            return;
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible() && steps_[next_].ready(modal)) {
            // Out of this timer's own callback: a timer does not fire again while its
            // callback runs, and the act may open the next modal window.
            QTimer::singleShot(0, modal, [this, modal, i = next_++] { steps_[i].act(modal); });
            return;
        }
        if (clock_.elapsed() > timeoutMs) {
            ADD_FAILURE() << "modal step " << next_ << " never became ready";
            timer_.stop();
            for (int i = 0; i < 10 && QApplication::activeModalWidget() != nullptr; ++i) {
                QWidget* w = QApplication::activeModalWidget();
                w->hide();
                if (auto* dialog = qobject_cast<QDialog*>(w)) {
                    dialog->done(QDialog::Rejected);
                }
            }
        }
    }

    std::vector<Step> steps_;
    std::size_t next_ = 0;
    QTimer timer_;
    QElapsedTimer clock_;
};

template <class T>
ModalSteps::Ready Is() {
    return [](QWidget* w) { return dynamic_cast<T*>(w) != nullptr; };
}

// A message box with this text is the active modal window.
inline ModalSteps::Ready BoxWithText(const std::string& text) {
    return [text](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        return box != nullptr && box->text() == QString::fromStdString(text);
    };
}

template <class T>
T* Child(QWidget* parent, const char* name) {
    T* child = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

inline void Click(QWidget* parent, const char* name) {
    if (auto* button = Child<QPushButton>(parent, name)) {
        QTest::mouseClick(button, Qt::LeftButton);
    }
}

inline void Type(QWidget* parent, const char* box, const QString& text) {
    if (auto* edit = Child<QLineEdit>(parent, box)) {
        edit->clear();
        QTest::keyClicks(edit, text);
    }
}

// The message box's title and its one OK button, then closes it with that button.
inline void ExpectBoxAndClose(QWidget* w, const char* title, QMessageBox::Icon icon) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QString::fromLatin1(title));
    EXPECT_EQ(box->icon(), icon);
    ASSERT_EQ(box->buttons().size(), 1);
    EXPECT_EQ(box->standardButton(box->buttons().front()), QMessageBox::Ok);
    QTest::mouseClick(box->buttons().front(), Qt::LeftButton);
}
