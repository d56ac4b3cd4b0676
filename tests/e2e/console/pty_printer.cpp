#include "tests/e2e/console/pty_printer.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

namespace kestova::e2e {
namespace {

constexpr int kStartMs = 5000;
constexpr unsigned long kLookMs = 20;

}  // namespace

PtyPrinter::PtyPrinter() : name_("printer-" + QFileInfo(dir_.path()).fileName()) {
    const QString reader = dir_.filePath("reader");
    socat_.start("socat",
                 {"-d", "-d", "pty,raw,echo=0,link=" + printer(), "pty,raw,echo=0,link=" + reader});
    const QDeadlineTimer deadline(kStartMs);
    while (!deadline.hasExpired() && socat_.state() != QProcess::NotRunning) {
        if (QFileInfo::exists(printer()) && QFileInfo::exists(reader)) {
            readFd_ = ::open(reader.toLocal8Bit().constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
            return;
        }
        QThread::msleep(kLookMs);
    }
}

PtyPrinter::~PtyPrinter() {
    if (readFd_ >= 0) {
        ::close(readFd_);
    }
    socat_.terminate();
    if (!socat_.waitForFinished(kStartMs)) {
        socat_.kill();
        socat_.waitForFinished(kStartMs);
    }
}

const std::string& PtyPrinter::read(std::size_t maxBytes) {
    char buffer[4096];
    while (readFd_ >= 0 && maxBytes > 0) {
        const ssize_t got = ::read(readFd_, buffer, std::min(sizeof buffer, maxBytes));
        if (got <= 0) {
            break;
        }
        received_.append(buffer, static_cast<std::size_t>(got));
        maxBytes -= static_cast<std::size_t>(got);
    }
    return received_;
}

QString PtyPrinter::log() {
    return QString::fromUtf8(socat_.readAllStandardError());
}

}  // namespace kestova::e2e
