#include <QLabel>
#include <QStringListModel>
#include <algorithm>

#include "base/qt_text.h"
#include "panel/click_box.h"
#include "panel/colour_button.h"
#include "panel/main_window_view.h"
#include "panel/panel_snapshot.h"
#include "panel/station_combo.h"

// Shows the view state the logic wrote, touching only the widgets whose value changed.

namespace kv {
namespace {

QColor ToQColor(Colour c) {
    return QColor(c.Red, c.Green, c.Blue);
}

void SetTextColour(QWidget* widget, int16_t paletteIndex) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, ToQColor(PaletteColour(paletteIndex)));
    widget->setPalette(palette);
}

template <class T>
bool Changed(T& shown, const T& now, bool force) {
    if (!force && shown == now) {
        return false;
    }
    shown = now;
    return true;
}

}  // namespace

void MainWindow::Render() {
    const MainWindowView& w = s_.ctx.w;
    const bool all = !rendered_;
    rendered_ = true;

    if (Changed(shown_.Caption, w.Caption, all)) {
        setWindowTitle(kv::platform::ToQt(w.Caption));
    }
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const ButtonFace& face = w.Buttons[i];
        ButtonFace& old = shown_.Buttons[i];
        if (Changed(old.Caption, face.Caption, all)) {
            buttons_[i]->SetCaption(kv::platform::ToQt(face.Caption));
        }
        if (Changed(old.BackColour, face.BackColour, all)) {
            buttons_[i]->SetBackColour(face.BackColour);
        }
        if (Changed(old.Enabled, face.Enabled, all)) {
            buttons_[i]->setEnabled(face.Enabled);
        }
    }
    if (Changed(shown_.AnswerColour, w.AnswerColour, all)) {
        answer_->SetBackColour(w.AnswerColour);
    }
    if (Changed(shown_.TakeColour, w.TakeColour, all)) {
        take_->SetBackColour(w.TakeColour);
    }
    if (Changed(shown_.InputWindowText, w.InputWindowText, all)) {
        input_->setText(kv::platform::ToQt(w.InputWindowText));
    }
    if (Changed(shown_.InputWindowTextColour, w.InputWindowTextColour, all)) {
        SetTextColour(input_, w.InputWindowTextColour);
    }
    if (Changed(shown_.PresetWindowText, w.PresetWindowText, all)) {
        preset_->setText(kv::platform::ToQt(w.PresetWindowText));
    }
    if (Changed(shown_.PresetWindowTextColour, w.PresetWindowTextColour, all)) {
        SetTextColour(preset_, w.PresetWindowTextColour);
    }
    if (Changed(shown_.PresetWindowVisible, w.PresetWindowVisible, all)) {
        preset_->setVisible(w.PresetWindowVisible);
    }
    RenderStations();
    if (Changed(shown_.StatusPanel1, w.StatusPanel1, all)) {
        status1_->setText(kv::platform::ToQt(w.StatusPanel1));
    }
    if (Changed(shown_.StatusPanel2, w.StatusPanel2, all)) {
        status2_->setText(kv::platform::ToQt(w.StatusPanel2));
    }
    if (Changed(shown_.PollInterval, w.PollInterval, all)) {
        poll_.setInterval(std::max(1, w.PollInterval));  // never a busy loop
    }
    if (Changed(shown_.PollEnabled, w.PollEnabled, all)) {
        if (w.PollEnabled) {
            poll_.start();
        } else {
            poll_.stop();
        }
    }
    if (all || shown_.WindowOrder != w.WindowOrder) {
        ApplyWindowOrder();
    }
    RenderSpeech();
    for (const std::function<void()>& observer : rendered_observers_) {
        observer();
    }
}

// The meaning of the colours, for assistive technology. Each setter sends its own change
// event, so only what changed is set and announced.
void MainWindow::RenderSpeech() {
    const PanelSpeech now = SpeakPanel(TakeSnapshot(s_.ctx.v, s_.ctx.w));
    const bool all = !speechRendered_;
    speechRendered_ = true;
    if (!all && now == spoken_) {
        return;
    }
    const std::array<ColourButton*, kPanelControls> controls{
        buttons_[0], buttons_[1], buttons_[2], buttons_[3], buttons_[4],
        buttons_[5], buttons_[6], buttons_[7], answer_,     take_};
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlSpeech& c = now.Controls[i];
        ControlSpeech& old = spoken_.Controls[i];
        if (Changed(old.Name, c.Name, all)) {
            controls[i]->setAccessibleName(kv::platform::ToQt(c.Name));
        }
        if (Changed(old.Description, c.Description, all)) {
            controls[i]->setAccessibleDescription(kv::platform::ToQt(c.Description));
        }
        controls[i]->SetAccessState({c.Pressed, c.Checkable, c.Checked, c.Animated});
    }
    if (Changed(spoken_.Calling, now.Calling, all)) {
        input_->setAccessibleName(kv::platform::ToQt(now.Calling));
    }
    if (Changed(spoken_.DialUp, now.DialUp, all)) {
        preset_->setAccessibleName(kv::platform::ToQt(now.DialUp));
    }
    spoken_ = now;
}

void MainWindow::RenderStations() {
    const MainWindowView& w = s_.ctx.w;
    if (w.StationRowsRevision != shownRevision_) {
        shownRevision_ = w.StationRowsRevision;
        QStringList rows;
        rows.reserve(static_cast<qsizetype>(w.StationRows.size()));
        for (const std::string& row : w.StationRows) {
            rows.append(kv::platform::ToQt(row));
        }
        const QSignalBlocker block(station_);
        stationModel_->setStringList(rows);
        shown_.StationSelected = -2;  // the model reset cleared the selection
    }
    if (shown_.StationSelected != w.StationSelected) {
        shown_.StationSelected = w.StationSelected;
        const QSignalBlocker block(station_);
        station_->setCurrentIndex(w.StationSelected);
    }
    if (shown_.StationVisible != w.StationVisible) {
        shown_.StationVisible = w.StationVisible;
        // A choice made hands the focus back to where it was when the list opened: the Dial
        // Up box from the keyboard, unchanged for the mouse. Left by a click elsewhere, the
        // focus stays where the click put it.
        const bool handBack = !w.StationVisible && station_->hasFocus();
        station_->setVisible(w.StationVisible);
        if (w.StationVisible) {
            station_->raise();
            station_->setFocus(Qt::OtherFocusReason);
            station_->showPopup();
        } else if (handBack && focusBeforeStations_) {
            focusBeforeStations_->setFocus(Qt::OtherFocusReason);
        }
    }
}

}  // namespace kv
