#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>

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

// Every window's texts fit their widgets at the scale this run was given (QT_SCALE_FACTOR).

namespace {

// Each label or button text of the window wider or taller than the room it is drawn in.
QString Clipped(QWidget* window) {
    QString clipped;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        QRect room = w->contentsRect();
        QString text;
        bool wrapped = false;  // broken at spaces to the room's width: only its height can grow
        QStyleOptionButton option;
        option.initFrom(w);
        const auto contents = [&](QStyle::SubElement e) {
            return w->style()->subElementRect(e, &option, w);
        };
        if (auto* label = qobject_cast<QLabel*>(w)) {
            text = label->buddy() ? label->text().remove('&') : label->text();
            room.adjust(std::max(0, label->indent()), 0, 0, 0);
            wrapped = label->wordWrap();
        } else if (auto* colour = dynamic_cast<ColourButton*>(w)) {
            text = colour->Caption();
            room = colour->rect().adjusted(2, 2, -2, -2);  // as it paints it
            wrapped = true;
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            text = button->text().remove('&');
            room = contents(qobject_cast<QCheckBox*>(w)      ? QStyle::SE_CheckBoxContents
                            : qobject_cast<QRadioButton*>(w) ? QStyle::SE_RadioButtonContents
                                                             : QStyle::SE_PushButtonContents);
        }
        if (text.isEmpty() || !w->isVisible()) {
            continue;
        }
        const QFontMetrics metrics(w->font());
        QSize need(0, static_cast<int>(text.count('\n') + 1) * metrics.height());
        for (const QString& line : text.split('\n')) {
            need.setWidth(std::max(need.width(), metrics.horizontalAdvance(line)));
        }
        if (wrapped) {  // a word too long for a line still widens it
            need = metrics.boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, text).size();
        }
        if (need.width() > room.width() || need.height() > room.height() + 1) {
            clipped += QStringLiteral("%1 %2x%3 in %4x%5: %6\n")
                           .arg(w->objectName())
                           .arg(need.width())
                           .arg(need.height())
                           .arg(room.width())
                           .arg(room.height())
                           .arg(text);
        }
    }
    return clipped;
}

}  // namespace

TEST(Scale, EveryWindowsTextsFitTheirWidgets) {
    TestPanel t;
    t.ConnectWithTables();
    for (kv::ButtonFace& face : t.w.Buttons) {
        face.Caption = "STUDIO A\rP-Listen";  // the widest: eight characters a line
    }
    kv::MainWindow win{t.s, t.dir.dir()};
    win.show();
    const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
    EXPECT_DOUBLE_EQ(win.devicePixelRatioF(), scale);
    EXPECT_EQ(Clipped(&win).toStdString(), "") << "the panel at " << scale;

    kv::Services& s = t.s;
    const std::function<void()> openings[] = {
        [&] { LoginView(s, &win).Open("1"); },
        [&] { CredentialView(s, &win).Open(); },
        [&] { kv::SetupWindowView(s, &win).Open(kv::kSetupTagInitial); },
        [&] { AboutView(s, &win).Open(); },
        [&] { kv::OpenButtonLabelDialog(s, &win, "9999"); },
        [&] { kv::OpenButtonProgrammingDialog(s, &win); },
        [&] { kv::ValueEntryView(s, &win).Open("Refresh"); },
        [&] { kv::ValueEntryView(s, &win).Open("TimeOut"); },
        [&] { kv::ValueEntryView(s, &win).Open("FlashRate"); },
        [&] { kv::ValueEntryView(s, &win).Open("OverHang"); },
    };
    for (const auto& open : openings) {
        QString title, clipped = "(never opened)";
        WhenModal([&](QWidget* modal) {
            title = modal->windowTitle();
            clipped = Clipped(modal);
            static_cast<QDialog*>(modal)->done(QDialog::Rejected);
        });
        open();
        EXPECT_EQ(clipped.toStdString(), "") << title.toStdString() << " at " << scale;
    }
}
