#include "hotkeys/hotkeys_view.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QSettings>
#include <QStringList>

#include "hotkeys/hotkeys_dialog_view.h"
#include "panel/main_window_view.h"
#include "panel/panel_snapshot.h"

namespace kv {
namespace {

std::vector<std::pair<std::string, std::string>> ReadSettings(const std::string& file) {
    QSettings settings(QString::fromStdString(file), QSettings::IniFormat);
    settings.beginGroup(kHotkeysSection);
    std::vector<std::pair<std::string, std::string>> values;
    for (const QString& key : settings.childKeys()) {
        // A bare comma in a hand-written value reads as a list: it was the comma key.
        const QVariant value = settings.value(key);
        const QString text = value.typeId() == QMetaType::QStringList
                                 ? value.toStringList().join(',')
                                 : value.toString();
        values.emplace_back(key.toStdString(), text.toStdString());
    }
    return values;
}

// The chord of a key event in the panel's own window, as the bindings name it.
std::optional<HotkeyChord> ChordOf(const QKeyEvent& e) {
    const int key = e.key();
    if (key == 0 || key == Qt::Key_unknown || key == Qt::Key_Shift || key == Qt::Key_Control ||
        key == Qt::Key_Alt || key == Qt::Key_Meta) {
        return std::nullopt;
    }
    const Qt::KeyboardModifiers mods = e.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier |
                                                        Qt::AltModifier | Qt::MetaModifier);
    return ReadChord(QKeySequence(QKeyCombination(mods, Qt::Key(key)))
                         .toString(QKeySequence::PortableText)
                         .toStdString());
}

}  // namespace

HotkeysView::HotkeysView(Services& s, MainWindow& window, std::string settingsFile)
    : s_(s),
      window_(window),
      settingsFile_(std::move(settingsFile)),
      grab_({[this](int control) { Press(control); }, [this](int control) { Release(control); },
             [this] { LetGo(); }}) {
    ReadBindings read = ReadSection(ReadSettings(settingsFile_));
    bindings_ = read.Bindings;
    problems_ = std::move(read.Problems);
    for (const std::string& problem : problems_) {
        qWarning("keyvane: %s [hotkeys] %s", settingsFile_.c_str(), problem.c_str());
    }
    TakeUp();
    qApp->installEventFilter(this);
    window_.AddGuardedFileEntry(QStringLiteral("&Hotkeys"), [this] { OpenDialog(); });
    // A closing panel has released every hold already; no key presses it again.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        closed_ = true;
        grab_.Ungrab();
    });
    if (QGuiApplication::platformName() == QLatin1String("wayland")) {
        AskForPortal();
    }
}

HotkeysView::~HotkeysView() {
    qApp->removeEventFilter(this);
    grab_.Ungrab();  // while the holds it may let go of are still here
}

bool HotkeysView::Apply(const HotkeyBindings& bindings, std::string& reason) {
    bindings_ = bindings;
    TakeUp();
    QSettings settings(QString::fromStdString(settingsFile_), QSettings::IniFormat);
    settings.beginGroup(kHotkeysSection);
    for (const auto& [name, value] : SectionValues(bindings)) {
        if (value.empty()) {
            settings.remove(QString::fromStdString(name));
        } else {
            settings.setValue(QString::fromStdString(name), QString::fromStdString(value));
        }
    }
    settings.endGroup();
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        reason = "the hotkeys could not be saved in " + settingsFile_;
        return false;
    }
    problems_.clear();
    return true;
}

void HotkeysView::OpenDialog() {
    HotkeysDialog::Facts facts{bindings_, {}, Reach(), refused_, problems_};
    const PanelSnapshot snapshot = TakeSnapshot(s_.ctx.v, s_.ctx.w);
    for (int control = 0; control < kPanelControls; ++control) {
        facts.Rows[static_cast<std::size_t>(control)] = RowLabel(control, snapshot);
    }
    HotkeysDialog dialog(std::move(facts), &window_);
    Pause(true);
    const bool kept = dialog.exec() == QDialog::Accepted;
    Pause(false);
    std::string reason;
    if (kept && !Apply(dialog.Bindings(), reason)) {
        s_.box.Show(reason, "Hotkeys", platform::MessageIcon::Exclamation);
    }
}

void HotkeysView::TakeUp() {
    // A key held under the old bindings is let go before the new ones take over.
    LetGo();
    refused_ = grab_.Grab(bindings_);
    for (const auto& [control, reason] : refused_) {
        qWarning("keyvane: hotkey of %s: %s", ControlName(control).c_str(), reason.c_str());
    }
}

QString HotkeysView::Reach() const {
    if (grab_.Available()) {
        // Under Xwayland the X server hears only the keys typed into X programs.
        return qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                   ? QStringLiteral("Hotkeys work whichever program has the focus.")
                   : QStringLiteral(
                         "On this Wayland desktop hotkeys work while the panel or "
                         "another X11 program has the focus.");
    }
    if (QGuiApplication::platformName() == QLatin1String("wayland")) {
        return portal_ ? QStringLiteral(
                             "This Wayland desktop offers global shortcuts, but the panel does "
                             "not use them yet: hotkeys work only while the panel has the focus.")
                       : QStringLiteral(
                             "This Wayland desktop lets no program take keys pressed in "
                             "other programs: hotkeys work only while the panel has the focus.");
    }
    return QStringLiteral("Hotkeys work only while the panel has the focus.");
}

// Only the portal's answer tells: Debian 12's desktop portal has no GlobalShortcuts yet.
void HotkeysView::AskForPortal() {
    QDBusMessage ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    ask << QStringLiteral("org.freedesktop.portal.GlobalShortcuts") << QStringLiteral("version");
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        portal_ = !w->isError();
        w->deleteLater();
    });
}

void HotkeysView::Pause(bool paused) {
    paused_ = paused;
    if (paused) {
        grab_.Ungrab();  // the dialog hears every key, grabbed ones too
        LetGo();
    } else if (!closed_) {
        TakeUp();
    }
}

void HotkeysView::Press(int control) {
    if (paused_ || closed_) {
        return;
    }
    if (PressControl(s_.ctx, window_, control, kHotkeyHolder)) {
        window_.AfterOutsideEvent();
    }
}

void HotkeysView::Release(int control) {
    if (ReleaseControl(s_.ctx, control, kHotkeyHolder)) {
        window_.AfterOutsideEvent();
    }
}

void HotkeysView::LetGo() {
    focusHeld_.clear();
    bool any = false;
    for (int control = 0; control < kPanelControls; ++control) {
        any = any || HoldsControl(s_.ctx.w, control, kHotkeyHolder);
    }
    if (any) {
        ReleaseHolder(s_.ctx, kHotkeyHolder);
        window_.AfterOutsideEvent();
    }
}

// Keys pressed in the panel window itself: the bindings the desktop does not grab for us.
bool HotkeysView::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == &window_ && type == QEvent::WindowDeactivate && !focusHeld_.empty()) {
        // A window that loses the keyboard never hears the key's release.
        for (const auto& [key, control] : focusHeld_) {
            Release(control);
        }
        focusHeld_.clear();
        return false;
    }
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || paused_ ||
        !watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != &window_) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (type == QEvent::KeyRelease) {
        const auto it = focusHeld_.find(key.key());
        if (it == focusHeld_.end()) {
            return false;
        }
        if (!key.isAutoRepeat()) {
            Release(it->second);
            focusHeld_.erase(it);
        }
        return true;
    }
    const std::optional<HotkeyChord> chord = ChordOf(key);
    const std::optional<int> control = chord ? ControlOf(bindings_, *chord) : std::nullopt;
    if (!control) {
        return false;
    }
    if (!key.isAutoRepeat() && focusHeld_.emplace(key.key(), *control).second) {
        Press(*control);
    }
    return true;
}

}  // namespace kv
