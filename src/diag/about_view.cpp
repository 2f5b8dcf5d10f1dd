#include "diag/about_view.h"

#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/qt_text.h"

namespace {

// Image1: the maker's logo, drawn so that no image file has to travel with the program.
class MakerLogo : public QWidget {
public:
    explicit MakerLogo(QWidget* parent) : QWidget(parent) { setFixedSize(72, 72); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(2, 2, -2, -2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(24, 60, 120));
        p.drawEllipse(r);
        // Three sound arcs leaving a speaker: the intercom.
        p.setPen(QPen(QColor(128, 255, 128), 3, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        const QPointF c = r.center() - QPointF(10, 0);
        for (int i = 1; i <= 3; ++i) {
            const qreal radius = 7.0 * i;
            p.drawArc(QRectF(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius), -45 * 16,
                      90 * 16);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(254, 255, 244));
        p.drawRect(QRectF(c.x() - 12, c.y() - 5, 7, 10));
        QPainterPath cone;
        cone.moveTo(c.x() - 5, c.y() - 5);
        cone.lineTo(c.x() + 2, c.y() - 12);
        cone.lineTo(c.x() + 2, c.y() + 12);
        cone.lineTo(c.x() - 5, c.y() + 5);
        cone.closeSubpath();
        p.drawPath(cone);
        p.setPen(QColor(254, 255, 244));
        QFont font = p.font();
        font.setBold(true);
        font.setPointSizeF(9);
        p.setFont(font);
        p.drawText(QRectF(r.left(), r.bottom() - 22, r.width(), 16), Qt::AlignCenter,
                   QStringLiteral("ZEB"));
    }
};

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// A caption and its value in the setup frame's next row.
QLabel* AddPair(QGridLayout* grid, const char* labelName, const char* caption,
                const char* valueName) {
    const int row = grid->rowCount();
    grid->addWidget(NewLabel(grid->parentWidget(), labelName, QString::fromLatin1(caption)), row,
                    0);
    QLabel* value = NewLabel(grid->parentWidget(), valueName, QString());
    grid->addWidget(value, row, 1);
    return value;
}

}  // namespace

AboutView::AboutView(kv::Services& s, QWidget* parent) : QDialog(parent), s_(s) {
    setObjectName(QStringLiteral("frmIntercAbout"));
    setWindowTitle(QStringLiteral("ZEB Intercom Keyvane Information"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    auto* logo = new MakerLogo(this);
    logo->setObjectName(QStringLiteral("Image1"));
    QLabel* title = NewLabel(this, "lblZEBtitle", QString::fromLatin1(kv::kMakerName));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    title->setFont(bold);
    auto* maker = new QVBoxLayout;
    maker->addWidget(title);
    maker->addWidget(NewLabel(this, "lblZEBaddress", QString::fromLatin1(kv::kMakerAddress)));
    maker->addWidget(NewLabel(this, "lblZEBaddress2", QString::fromLatin1(kv::kMakerContact)));
    auto* header = new QHBoxLayout;
    header->addWidget(logo);
    header->addLayout(maker, 1);

    auto* versionFrame = new QGroupBox(QStringLiteral("Version Information"), this);
    versionFrame->setObjectName(QStringLiteral("frmVersionInfo"));
    versionInfo_ = NewLabel(versionFrame, "lblVersionInfo", QString());
    (new QVBoxLayout(versionFrame))->addWidget(versionInfo_);

    auto* setupFrame = new QGroupBox(QStringLiteral("Setup Information"), this);
    setupFrame->setObjectName(QStringLiteral("frmSetupInfo"));
    auto* grid = new QGridLayout(setupFrame);
    timeOut_ = AddPair(grid, "lblTimeOutPeriod", "Timeout Period:", "LblTimeOut");
    rate_ = AddPair(grid, "lblRefresh", "Poll Period:", "lblRate");
    output_ = AddPair(grid, "lblOtCtl", "Destination Under Control", "lblOutputControlled");
    server_ = AddPair(grid, "lblSrvLoc", "ZEB Intercom Server Location", "lblServerLocation");
    grid->setColumnStretch(1, 1);

    auto* filesFrame = new QGroupBox(QStringLiteral("Files"), this);
    filesFrame->setObjectName(QStringLiteral("frmFiles"));
    files_ = NewLabel(filesFrame, "lblFiles", QString());
    files_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    (new QVBoxLayout(filesFrame))->addWidget(files_);

    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("cmdAboutquit"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(versionFrame);
    layout->addWidget(setupFrame);
    layout->addWidget(filesFrame);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutView::Open() {
    a_ = kv::ActivateAbout(s_.ctx.v);
    Render();
    exec();
}

void AboutView::Render() {
    versionInfo_->setText(kv::platform::ToQt(a_.VersionInfo));
    timeOut_->setText(kv::platform::ToQt(a_.TimeOut));
    rate_->setText(kv::platform::ToQt(a_.Rate));
    output_->setText(kv::platform::ToQt(a_.OutputControlled));
    server_->setText(kv::platform::ToQt(a_.ServerLocation));
    files_->setText(QString::fromStdString(a_.Files));  // paths are UTF-8
}
