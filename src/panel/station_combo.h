#pragma once

#include <QComboBox>
#include <functional>

// The station combo: its list drops at once when it opens, typing letters picks a
// name, and it tells when it was left without a choice.
class StationCombo : public QComboBox {
public:
    explicit StationCombo(QWidget* parent = nullptr);

    std::function<void()> onLeft;  // the list closed or the focus went elsewhere

    void hidePopup() override;

protected:
    void focusOutEvent(QFocusEvent* event) override;
};
