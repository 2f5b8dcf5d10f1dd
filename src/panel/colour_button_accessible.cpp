#include "panel/colour_button_accessible.h"

#include <QAccessibleWidget>

#include "panel/colour_button.h"

namespace {

class ColourButtonAccessible : public QAccessibleWidget {
public:
    explicit ColourButtonAccessible(ColourButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        const ColourButton::AccessState& a = Button()->Access();
        s.pressed = a.Pressed;
        s.checkable = a.Checkable;
        s.checked = a.Checked;
        s.animated = a.Animated;
        return s;
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    // A press from assistive technology is a click: down and up at once.
    void doAction(const QString& name) override {
        if (name != pressAction()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        ColourButton* b = Button();
        if (b->isEnabled() && b->onKeyHold) {
            b->onKeyHold(true);
            b->onKeyHold(false);
        }
    }

private:
    ColourButton* Button() const { return static_cast<ColourButton*>(widget()); }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (auto* button = dynamic_cast<ColourButton*>(object)) {
        return new ColourButtonAccessible(button);
    }
    return nullptr;
}

}  // namespace

void InstallColourButtonAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&Factory);
        return true;
    }();
    (void)installed;
}
