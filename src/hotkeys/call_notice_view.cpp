#include "hotkeys/call_notice_view.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

#include "base/qt_text.h"
#include "panel/main_window_view.h"
#include "panel/panel_snapshot.h"

namespace kv {
namespace {

QDBusMessage NotificationCall(const char* method) {
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                          QStringLiteral("/org/freedesktop/Notifications"),
                                          QStringLiteral("org.freedesktop.Notifications"),
                                          QString::fromLatin1(method));
}

}  // namespace

CallNoticeView::CallNoticeView(PanelContext& ctx, MainWindow& window) : ctx_(ctx) {
    window.OnRendered([this] { Follow(); });
}

void CallNoticeView::Follow() {
    const PanelSnapshot snapshot = TakeSnapshot(ctx_.v, ctx_.w);
    switch (NextNotice(notice_, LiveCaller(ctx_.v, snapshot), Answering(snapshot))) {
        case NoticeAction::Show:
            Show();
            break;
        case NoticeAction::Close:
            Close();
            break;
        case NoticeAction::Nothing:
            break;
    }
}

void CallNoticeView::Show() {
    if (waiting_) {
        again_ = true;  // replaces the one out once its number is known
        return;
    }
    QDBusMessage notify = NotificationCall("Notify");
    notify << QStringLiteral("Keyvane") << id_ << QStringLiteral("org.keyvane.Keyvane")
           << platform::ToQt(NoticeSummary(*notice_.Caller)) << QString() << QStringList()
           << QVariantMap{{QStringLiteral("urgency"), QVariant::fromValue<uchar>(2)},
                          {QStringLiteral("desktop-entry"), QStringLiteral("org.keyvane.Keyvane")}}
           << int32_t{-1};
    waiting_ = true;
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(notify), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        const QDBusPendingReply<uint32_t> reply = *w;
        w->deleteLater();
        waiting_ = false;
        if (reply.isError()) {
            again_ = false;
            return;  // no service: the window's own alert stays
        }
        id_ = reply.value();
        if (!notice_.Shown) {
            Close();  // the call ended while the notice was on its way
        } else if (again_) {
            again_ = false;
            Show();
        }
    });
}

void CallNoticeView::Close() {
    if (waiting_ || id_ == 0) {
        return;  // closed when its number comes back
    }
    QDBusMessage close = NotificationCall("CloseNotification");
    close << id_;
    QDBusConnection::sessionBus().asyncCall(close);
    id_ = 0;
}

}  // namespace kv
