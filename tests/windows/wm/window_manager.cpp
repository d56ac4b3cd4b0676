#include "tests/windows/wm/window_manager.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QThread>

namespace kestova::wm {
namespace {

constexpr int kStartMs = 10'000;

// The values of a property as xprop prints them ("_NET_ACTIVE_WINDOW(WINDOW): window id #
// 0x400006" or "_NET_FRAME_EXTENTS(CARDINAL) = 1, 1, 20, 1"): every number after the name.
std::vector<qulonglong> PropertyValues(const QStringList& whose, const char* property) {
    QProcess xprop;
    xprop.start("xprop", whose + QStringList{property});
    xprop.waitForFinished();
    const QString line = QString::fromUtf8(xprop.readAllStandardOutput()).section('\n', 0, 0);
    const QString values = line.section(QRegularExpression("[:=]"), 1);
    std::vector<qulonglong> numbers;
    const QRegularExpression number(R"((0x[0-9a-fA-F]+|\b\d+\b))");
    for (auto match = number.globalMatch(values); match.hasNext();) {
        bool ok = false;
        const qulonglong value = match.next().captured(1).toULongLong(&ok, 0);
        if (ok) {
            numbers.push_back(value);
        }
    }
    return numbers;
}

}  // namespace

WindowManager::WindowManager() {
    openbox_.setProcessChannelMode(QProcess::MergedChannels);
    openbox_.start("openbox", {});
    const QDeadlineTimer deadline(kStartMs);
    while (openbox_.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        if (!PropertyValues({"-root"}, "_NET_SUPPORTING_WM_CHECK").empty()) {
            running_ = true;
            return;
        }
        QThread::msleep(50);
    }
}

WindowManager::~WindowManager() {
    openbox_.terminate();
    if (!openbox_.waitForFinished(3000)) {
        openbox_.kill();
        openbox_.waitForFinished();
    }
}

QString WindowManager::log() {
    return openbox_.errorString() + ": " + QString::fromUtf8(openbox_.readAll());
}

WId ActiveWindow() {
    const auto values = PropertyValues({"-root"}, "_NET_ACTIVE_WINDOW");
    return values.empty() ? 0 : static_cast<WId>(values.front());
}

std::vector<WId> StackingOrder() {
    std::vector<WId> windows;
    for (const qulonglong id : PropertyValues({"-root"}, "_NET_CLIENT_LIST_STACKING")) {
        windows.push_back(static_cast<WId>(id));
    }
    return windows;
}

QMargins FrameExtents(WId window) {
    const auto values =
        PropertyValues({"-id", QString::number(window)}, "_NET_FRAME_EXTENTS");  // l, r, t, b
    if (values.size() != 4) {
        return {};
    }
    return QMargins(static_cast<int>(values[0]), static_cast<int>(values[2]),
                    static_cast<int>(values[1]), static_cast<int>(values[3]));
}

}  // namespace kestova::wm
