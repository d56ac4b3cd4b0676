#include "bench/shown_console.h"

#include <QApplication>
#include <QFile>
#include <array>

#include "program/kestova_code.h"

namespace bench {
namespace {
constexpr int kQuietSupervisionMs = 24 * 60 * 60 * 1000;
}

ShownConsole::ShownConsole(platform::Dialogs* answers) : services_(answers) {
    QFile machine(configDir_.filePath("machine.ini"));
    machine.open(QIODevice::WriteOnly);
    machine.write("[HKEY_USERS\\.default\\Software\\Zarnevo]\nServerIP=127.0.0.1\n");
    machine.close();
    qputenv("KESTOVA_CONFIG_DIR", configDir_.path().toUtf8());
    platform::installServices(&services_);
    views_ = std::make_unique<qtplatform::FormViews>();
    views_->attach(kestova::Main());
    kestova::Main().Show();
    kestova::Main().ListenTimer.SetInterval(kQuietSupervisionMs);
    view_ = views_->window(kestova::Main()).findChild<QTableView*>("ConList");
    QApplication::processEvents();
}

ShownConsole::~ShownConsole() {
    views_.reset();
    kestova::ReleaseProgram();
    platform::installServices(nullptr);
    qunsetenv("KESTOVA_CONFIG_DIR");
}

kestova::KestovaMain& ShownConsole::main() {
    return kestova::Main();
}

QWidget& ShownConsole::window() {
    return views_->window(kestova::Main());
}

std::vector<std::string> CafeRefresh(int slotCount, int round) {
    static constexpr std::array<const char*, 4> kModes = {"Logged in", "Paused", "Ready",
                                                          "Self Timer Mode"};
    std::vector<std::string> replies;
    for (int slot = 1; slot <= slotCount; ++slot) {
        const std::string n = std::to_string(slot);
        const std::string seconds = std::to_string((slot * 7 + round) % 60);
        replies.push_back("||UPDATE||" + std::to_string(slotCount) + "==" + n + "==" + n +
                          ".==STATION-" + n + "==ticket" + n + "==01:" + seconds +
                          "==" + kModes[slot % kModes.size()] + "==Connected.==127.0.1." + n +
                          "==10:" + seconds + "==" + std::to_string(1000 + slot) +
                          "==48000==50000==" + std::to_string(slot % 90) + ".5==7.25||");
    }
    return replies;
}

}  // namespace bench
