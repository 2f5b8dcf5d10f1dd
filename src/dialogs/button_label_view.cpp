#include "dialogs/button_label_view.h"

#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "base/file_text.h"
#include "base/layout_units.h"
#include "base/qt_text.h"

namespace kv {
namespace {

constexpr int kFrameWidth = 2775;
constexpr int kFrameHeight = 1320;
// The window's layout sizes include its border and caption.
constexpr int kBorderWidth = 120;
constexpr int kBorderHeight = 405;

QFont FixedPitch() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

QLineEdit* CaptionBox(QWidget* frame, const QString& name, const std::string& text, int top) {
    auto* box = new QLineEdit(kv::platform::ToQt(text), frame);
    box->setObjectName(name);
    box->setFont(FixedPitch());
    // The file holds only its 8-bit code, on one line.
    box->setValidator(new platform::CharRuleValidator(FileTextChar, box));
    const QFontMetrics metrics(box->font());
    box->setGeometry(Px(1000), Px(top), metrics.horizontalAdvance(QLatin1Char('W')) * 8 + 14,
                     Px(375));
    return box;
}

}  // namespace

ButtonLabelView::ButtonLabelView(Services& s, QWidget* parent, const std::string& tag)
    : QDialog(parent), s_(s) {
    setObjectName(QStringLiteral("frmButtonLabel"));
    setWindowTitle(QStringLiteral("Set Button Caption"));
    OpenButtonLabel(s_.ctx.v, d_, tag);

    for (std::size_t i = 0; i < d_.Frames.size(); ++i) {
        const CaptionFrame& f = d_.Frames[i];
        auto* frame = new QGroupBox(kv::platform::ToQt(f.Caption), this);
        frame->setObjectName(QStringLiteral("frButtonCap%1").arg(i));
        Place(frame, f.Left, f.Top, kFrameWidth, kFrameHeight);
        auto* label1 = new QLabel(QStringLiteral("Line 1"), frame);
        label1->setObjectName(QStringLiteral("lblLine1"));
        Place(label1, 120, 360, 840, 300);
        auto* label2 = new QLabel(QStringLiteral("Line 2"), frame);
        label2->setObjectName(QStringLiteral("lblLine2"));
        Place(label2, 120, 840, 840, 300);
        line1_.push_back(CaptionBox(frame, QStringLiteral("txtLine1_%1").arg(i), f.Line1, 330));
        line2_.push_back(CaptionBox(frame, QStringLiteral("txtLine2_%1").arg(i), f.Line2, 810));
        // Read as "Line 1" of its frame's button.
        label1->setBuddy(line1_.back());
        label2->setBuddy(line2_.back());
        line1_.back()->installEventFilter(this);
        line2_.back()->installEventFilter(this);
    }

    auto* helpFrame = new QGroupBox(this);
    helpFrame->setObjectName(QStringLiteral("frButtonHelp"));
    Place(helpFrame, 120, 3000, 11460, 330);
    auto* help = new QLabel(
        QStringLiteral(
            "Enter Text for Button Line 1 and Button Line 2.  Limit 8 characters per line"),
        helpFrame);
    help->setObjectName(QStringLiteral("lblButtonHelp"));
    Place(help, 60, 30, 11340, 270);

    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    Place(ok, 7000, 3400, 1455, 495);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    Place(cancel, 9000, 3400, 1455, 495);
    connect(ok, &QPushButton::clicked, this, [this] { Ok(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });

    setFixedSize(Px(d_.Width - kBorderWidth), Px(d_.Height - kBorderHeight));
}

bool ButtonLabelView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    // Keys that type no character (arrows, Delete) edit as usual.
    if (text.isEmpty() || key->key() == Qt::Key_Delete) {
        return false;
    }
    for (std::size_t i = 0; i < line1_.size(); ++i) {
        const int line = watched == line1_[i] ? 1 : watched == line2_[i] ? 2 : 0;
        if (line == 0) {
            continue;
        }
        QLineEdit* box = line == 1 ? line1_[i] : line2_[i];
        const CaptionKey verdict =
            CaptionKeyPress(s_.ctx.v, d_, i, line, text.at(0).unicode(),
                            static_cast<std::size_t>(box->text().size()), box->hasSelectedText());
        if (verdict.FocusLine2) {
            line2_[i]->setFocus();
        }
        if (verdict.Restore) {
            box->setText(kv::platform::ToQt(verdict.RestoreText));
        }
        return !verdict.Accept;
    }
    return false;
}

void ButtonLabelView::Ok() {
    for (std::size_t i = 0; i < d_.Frames.size(); ++i) {
        d_.Frames[i].Line1 = kv::platform::FromQt(line1_[i]->text());
        d_.Frames[i].Line2 = kv::platform::FromQt(line2_[i]->text());
    }
    ButtonLabelOk(s_.ctx.v, s_.ctx.w, d_);
    accept();
}

void ButtonLabelView::reject() {
    ButtonLabelCancel(d_);
    QDialog::reject();
}

void OpenButtonLabelDialog(Services& s, QWidget* parent, const std::string& tag) {
    ButtonLabelView view(s, parent, tag);
    view.exec();
}

}  // namespace kv
