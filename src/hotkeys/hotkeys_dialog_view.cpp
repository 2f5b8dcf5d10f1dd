#include "hotkeys/hotkeys_dialog_view.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/qt_text.h"

namespace kv {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

bool IsModifier(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr || key == 0 || key == Qt::Key_unknown;
}

}  // namespace

HotkeysDialog::HotkeysDialog(Facts facts, QWidget* parent)
    : QDialog(parent), bindings_(facts.Bindings), refused_(std::move(facts.Refused)) {
    setWindowTitle(QStringLiteral("Hotkeys"));
    setObjectName(QStringLiteral("frmHotkeys"));
    auto* layout = new QVBoxLayout(this);
    auto* reach = new QLabel(facts.Reach, this);
    reach->setObjectName(QStringLiteral("lblReach"));
    reach->setWordWrap(true);
    layout->addWidget(reach);
    for (const std::string& problem : facts.Problems) {
        layout->addWidget(new QLabel(QStringLiteral("keyvane.conf: ") + Text(problem), this));
    }
    auto* grid = new QGridLayout;
    for (int control = 0; control < kPanelControls; ++control) {
        const std::size_t i = static_cast<std::size_t>(control);
        grid->addWidget(new QLabel(platform::ToQt(facts.Rows[i]), this), control, 0);
        keys_[i] = new QPushButton(this);
        keys_[i]->setObjectName(QStringLiteral("cmdKey%1").arg(control));
        keys_[i]->setAutoDefault(false);  // Return after a capture is OK, not a new capture
        keys_[i]->installEventFilter(this);
        connect(keys_[i], &QPushButton::clicked, this, [this, control] { Capture(control); });
        grid->addWidget(keys_[i], control, 1);
        auto* clear = new QPushButton(QStringLiteral("Clear"), this);
        clear->setObjectName(QStringLiteral("cmdClear%1").arg(control));
        clear->setAutoDefault(false);
        connect(clear, &QPushButton::clicked, this, [this, control] {
            Clear(bindings_, control);
            refused_.erase(control);
            message_->clear();
            Show(control);
        });
        grid->addWidget(clear, control, 2);
        notes_[i] = new QLabel(this);
        grid->addWidget(notes_[i], control, 3);
        Show(control);
    }
    layout->addLayout(grid);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("lblMessage"));
    layout->addWidget(message_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void HotkeysDialog::Show(int control) {
    const std::size_t i = static_cast<std::size_t>(control);
    const std::optional<HotkeyChord>& chord = bindings_.Chords[i];
    keys_[i]->setText(control == capturing_ ? QStringLiteral("Press a key...")
                      : chord               ? Text(ChordText(*chord))
                                            : QStringLiteral("(none)"));
    const auto refused = refused_.find(control);
    notes_[i]->setText(refused == refused_.end() ? QString() : Text(refused->second));
}

void HotkeysDialog::Capture(int control) {
    const int before = capturing_;
    capturing_ = control;
    if (before >= 0) {
        Show(before);
    }
    Show(control);
    message_->setText(QStringLiteral("Press the key for %1, or Esc to leave it as it is.")
                          .arg(Text(ControlName(control))));
    keys_[static_cast<std::size_t>(control)]->setFocus();
}

void HotkeysDialog::Take(int control, const QString& text) {
    capturing_ = -1;
    const std::optional<std::string> refused = Bind(bindings_, control, text.toStdString());
    if (!refused) {
        refused_.erase(control);
    }
    message_->setText(refused ? Text(*refused) : QString());
    Show(control);
}

// The row waiting for its key takes every key, Tab and Return too; Esc leaves it unchanged.
bool HotkeysDialog::eventFilter(QObject* watched, QEvent* event) {
    if (capturing_ < 0 || watched != keys_[static_cast<std::size_t>(capturing_)] ||
        event->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(watched, event);
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (IsModifier(key.key()) || key.isAutoRepeat()) {
        return true;
    }
    const int control = capturing_;
    if (key.key() == Qt::Key_Escape && key.modifiers() == Qt::NoModifier) {
        capturing_ = -1;
        message_->clear();
        Show(control);
        return true;
    }
    const Qt::KeyboardModifiers mods = key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier |
                                                          Qt::AltModifier | Qt::MetaModifier);
    Take(control, QKeySequence(QKeyCombination(mods, Qt::Key(key.key())))
                      .toString(QKeySequence::PortableText));
    return true;
}

}  // namespace kv
