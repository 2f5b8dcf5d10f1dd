#include "panel/station_combo.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QListView>
#include <QTimer>

StationCombo::StationCombo(QWidget* parent) : QComboBox(parent) {
    auto* list = new QListView(this);
    list->setUniformItemSizes(true);  // thousands of names: no per-row measuring
    setView(list);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMaxVisibleItems(16);
}

void StationCombo::hidePopup() {
    QComboBox::hidePopup();
    // A chosen row is reported after the list closes; decide once that has run.
    QTimer::singleShot(0, this, [this] {
        if (onLeft) {
            onLeft();
        }
    });
}

void StationCombo::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    // While the list is dropped the focus sits in it: that is still the open choice.
    if (event->reason() != Qt::PopupFocusReason && !view()->isVisible() && onLeft) {
        onLeft();
    }
}
