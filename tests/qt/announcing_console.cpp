#include "announcing_console.h"

#include <QCoreApplication>
#include <cstdio>
#include <iostream>
#include <string>

#include "qt/platform/instance_guard.h"

namespace kestova_test {
namespace {

// Generous bounds for a loaded machine; they only stop a broken helper from hanging the test.
constexpr int kHelperWaitMs = 30000;

}  // namespace

int runAnnouncingConsole(const char* title) {
    qtplatform::QtInstanceGuard guard;
    if (guard.previousInstanceRunning()) {
        std::puts("previous");
        std::fflush(stdout);
        return 1;
    }
    std::printf("%d\n", guard.windowsTitled(title));
    std::fflush(stdout);
    // The locks are held until the test closes the input or the test program is gone.
    for (std::string line; std::getline(std::cin, line);) {
    }
    return 0;
}

AnnouncingConsole::AnnouncingConsole(const QString& title) {
    process_.setProgram(QCoreApplication::applicationFilePath());
    process_.setArguments({kAnnounceOption, title});
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start();
    if (!process_.waitForStarted(kHelperWaitMs)) {
        return;
    }
    while (!process_.canReadLine() && process_.state() == QProcess::Running &&
           process_.waitForReadyRead(kHelperWaitMs)) {
    }
    bool isNumber = false;
    const int found = process_.readLine().trimmed().toInt(&isNumber);
    if (isNumber) {
        windowsFound_ = found;
    }
}

AnnouncingConsole::~AnnouncingConsole() {
    if (process_.state() != QProcess::NotRunning) {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(kHelperWaitMs)) {
            process_.kill();
            process_.waitForFinished(kHelperWaitMs);
        }
    }
}

void AnnouncingConsole::crash() {
    process_.kill();
    process_.waitForFinished(kHelperWaitMs);
}

}  // namespace kestova_test
