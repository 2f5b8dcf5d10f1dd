#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <functional>
#include <optional>

#include "access/credential_view.h"
#include "access/login_view.h"
#include "config/setup_window_view.h"
#include "diag/about_view.h"
#include "dialog_fakes.h"
#include "dialogs/button_label_view.h"
#include "dialogs/button_programming_view.h"
#include "dialogs/value_entry_view.h"
#include "modal.h"
#include "panel/colour_button.h"
#include "panel/main_window_view.h"

// Every window's texts fit their widgets at the scale this run was given (QT_SCALE_FACTOR):
// no line wider, no lines taller than the room the widget gives them.

namespace {

struct Text {
    QRect room;  // where the widget draws it
    QString text;
    bool wrapped = false;  // broken into lines at spaces to fit the room's width
};

// The text of a label or button as it is drawn; none for other widgets.
std::optional<Text> TextOf(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w)) {
        QString text = label->text();
        if (label->buddy() != nullptr) {
            text.remove('&');  // the access key, drawn underlined
        }
        return Text{label->contentsRect().adjusted(std::max(0, label->indent()), 0, 0, 0), text,
                    label->wordWrap()};
    }
    if (auto* colour = dynamic_cast<ColourButton*>(w)) {
        return Text{colour->rect().adjusted(2, 2, -2, -2), colour->Caption(), true};
    }
    auto* button = qobject_cast<QAbstractButton*>(w);
    if (button == nullptr) {
        return std::nullopt;
    }
    QStyleOptionButton option;
    option.initFrom(w);
    const QStyle::SubElement contents = qobject_cast<QCheckBox*>(w) ? QStyle::SE_CheckBoxContents
                                        : qobject_cast<QRadioButton*>(w)
                                            ? QStyle::SE_RadioButtonContents
                                            : QStyle::SE_PushButtonContents;
    return Text{w->style()->subElementRect(contents, &option, w), button->text().remove('&')};
}

// Each text of the window that does not fit, as "object: text".
QStringList Clipped(QWidget* window) {
    QStringList clipped;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const std::optional<Text> t = w->isVisible() ? TextOf(w) : std::nullopt;
        if (!t) {
            continue;
        }
        const QFontMetrics metrics(w->font());
        QSize need;
        if (t->wrapped) {  // a word too long for a line widens it
            need =
                metrics.boundingRect(t->room, Qt::AlignCenter | Qt::TextWordWrap, t->text).size();
        } else {
            const QStringList lines = t->text.split('\n');
            for (const QString& line : lines) {
                need.setWidth(std::max(need.width(), metrics.horizontalAdvance(line)));
            }
            need.setHeight(static_cast<int>(lines.size()) * metrics.height());
        }
        if (need.width() > t->room.width() || need.height() > t->room.height() + 1) {
            clipped << QStringLiteral("%1 (%2x%3 in %4x%5): %6")
                           .arg(w->objectName())
                           .arg(need.width())
                           .arg(need.height())
                           .arg(t->room.width())
                           .arg(t->room.height())
                           .arg(t->text);
        }
    }
    return clipped;
}

struct Opening {
    const char* name;
    std::function<void(kv::Services&, QWidget*)> open;
};

}  // namespace

TEST(Scale, EveryWindowsTextsFitTheirWidgets) {
    TestPanel t;
    t.ConnectWithTables();
    for (std::size_t i = 0; i < t.w.Buttons.size(); ++i) {
        t.w.Buttons[i].Caption = "STUDIO A\rP-Listen";  // the widest: eight characters a line
    }
    t.w.StatusPanel1 = "Intercom Station Assignment: Bravo";
    kv::MainWindow win{t.s, t.dir.dir()};
    win.show();
    win.Render();
    const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
    EXPECT_DOUBLE_EQ(win.devicePixelRatioF(), scale);
    EXPECT_EQ(Clipped(&win).join('\n').toStdString(), "") << "main window at " << scale;

    const Opening openings[] = {
        {"login", [](kv::Services& s, QWidget* p) { LoginView(s, p).Open("1"); }},
        {"credential", [](kv::Services& s, QWidget* p) { CredentialView(s, p).Open(); }},
        {"setup", [](kv::Services& s, QWidget* p) { kv::SetupWindowView(s, p).Open("Initial"); }},
        {"about", [](kv::Services& s, QWidget* p) { AboutView(s, p).Open(); }},
        {"labels", [](kv::Services& s, QWidget* p) { kv::OpenButtonLabelDialog(s, p, "9999"); }},
        {"programming", [](kv::Services& s, QWidget* p) { kv::OpenButtonProgrammingDialog(s, p); }},
        {"poll rate",
         [](kv::Services& s, QWidget* p) { kv::ValueEntryView(s, p).Open("Refresh"); }},
        {"time out", [](kv::Services& s, QWidget* p) { kv::ValueEntryView(s, p).Open("TimeOut"); }},
        {"flash rate",
         [](kv::Services& s, QWidget* p) { kv::ValueEntryView(s, p).Open("FlashRate"); }},
        {"overhang",
         [](kv::Services& s, QWidget* p) { kv::ValueEntryView(s, p).Open("OverHang"); }},
    };
    for (const Opening& o : openings) {
        QStringList clipped{"(never opened)"};
        WhenModal([&](QWidget* modal) {
            clipped = Clipped(modal);
            static_cast<QDialog*>(modal)->done(QDialog::Rejected);
        });
        o.open(t.s, &win);
        EXPECT_EQ(clipped.join('\n').toStdString(), "") << o.name << " at " << scale;
    }
}
