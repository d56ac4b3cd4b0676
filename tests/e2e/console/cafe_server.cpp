#include "tests/e2e/console/cafe_server.h"

#include <QRandomGenerator>
#include <QThread>
#include <optional>
#include <vector>

#include "core/wire/framing.h"
#include "tests/e2e/loopback/console_link.h"

namespace kestova::e2e {
namespace {

constexpr int kConsolePortBase = 999;
constexpr int kLowestOffset = 30'000;
constexpr int kOffsetsToChooseFrom = 2'700;  // below the console's 16-bit limit of 32767
constexpr int kStartAttempts = 8;
constexpr int kRestartAttempts = 10;
constexpr unsigned long kRestartPauseMs = 300;

int RandomOffsetOffTheProbes() {
    int offset = 0;
    do {
        offset = kLowestOffset +
                 static_cast<int>(QRandomGenerator::global()->bounded(kOffsetsToChooseFrom));
    } while (offset % 5 == 0);
    return offset;
}

std::vector<std::string> SplitFields(const std::string& record) {
    std::vector<std::string> fields;
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = record.find("==", begin);
        fields.push_back(record.substr(begin, end - begin));
        if (end == std::string::npos) {
            return fields;
        }
        begin = end + 2;
    }
}

struct ClientRecord {
    int slots = 0;
    int slot = 0;
    bool shown = false;  // a connected client with a row label
    std::string name;
};

// One UPDATE record: slots==slot==label==name==user==time==mode==state==...
std::optional<ClientRecord> ParseRecord(const std::string& record) {
    const std::vector<std::string> fields = SplitFields(record);
    constexpr std::size_t kStateField = 7;
    if (fields.size() <= kStateField) {
        return std::nullopt;
    }
    try {
        return ClientRecord{std::stoi(fields[0]), std::stoi(fields[1]),
                            fields[kStateField] == "Connected." && !fields[2].empty(), fields[3]};
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace

CafeServer::CafeServer(int slots, QString database)
    : slots_(slots), database_(std::move(database)) {}

CafeServer::~CafeServer() = default;  // the process kills a server still running

bool CafeServer::launch() {
    process_ = std::make_unique<zarnevo::e2e::ServerProcess>(QStringList{
        "--demo", "--db", database_, "--listen", "127.0.0.1", "--port-offset",
        QString::number(portOffset_), "--slots", QString::number(slots_), "--speed", "0.001"});
    if (process_->waitForOutput("listening for consoles")) {
        return true;
    }
    process_.reset();
    return false;
}

bool CafeServer::start() {
    for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
        portOffset_ = RandomOffsetOffTheProbes();
        if (launch()) {
            return true;
        }
    }
    return false;
}

bool CafeServer::restart() {
    for (int attempt = 0; attempt < kRestartAttempts; ++attempt) {
        if (launch()) {
            return true;
        }
        QThread::msleep(kRestartPauseMs);
    }
    return false;
}

bool CafeServer::stop() {
    if (process_ == nullptr) {
        return false;
    }
    const bool normal = process_->terminate() == 0;
    lastLog_ = process_->errors().toStdString();
    process_.reset();
    return normal;
}

quint16 CafeServer::consolePort() const {
    return static_cast<quint16>(kConsolePortBase + portOffset_);
}

std::string CafeServer::log() const {
    return process_ != nullptr ? process_->errors().toStdString() : lastLog_;
}

ClientNames ClientsOnServer(quint16 consolePort) {
    zarnevo::e2e::ConsoleLink observer;
    if (!observer.connectTo(consolePort)) {
        return {};
    }
    observer.send(
        "AUTHENTICATING||FALSE||STATE||Authenticating ..||LOCALIP||[127.0.0.1]||LOCALHOSTNAME||"
        "Kestova[observer]||");
    observer.send("||UPDATE||||");
    std::map<int, ClientRecord> bySlot;
    observer.readUntil([&bySlot](const std::vector<std::string>& replies) {
        bySlot.clear();
        int slots = -1;
        for (const std::string& reply : replies) {
            const auto pairs = wire::SplitPairs(reply);
            if (pairs.empty() || pairs.front().keyword != "UPDATE") {
                continue;
            }
            if (const auto record = ParseRecord(pairs.front().value)) {
                bySlot[record->slot] = *record;
                slots = record->slots;
            }
        }
        return static_cast<int>(bySlot.size()) == slots;
    });
    ClientNames names;
    for (const auto& [slot, record] : bySlot) {
        if (record.shown) {
            names[slot] = record.name;
        }
    }
    return names;
}

std::string SellTickets(quint16 consolePort, const std::string& order) {
    using zarnevo::e2e::IndexOf;
    using zarnevo::e2e::ValueOf;
    const auto has = [](std::string_view keyword) {
        return
            [keyword](const auto& replies) { return IndexOf(replies, keyword) < replies.size(); };
    };
    zarnevo::e2e::ConsoleLink pos;
    pos.connectTo(consolePort);
    pos.send("AUTHENTICATING||FALSE||STATE||Authenticating ..||LOCALIP||[127.0.0.1]||");
    pos.send("||F-POSLOG||Username = 'JOHN' and Password = 'john'||");
    pos.readUntil(has("F-POSLOG"));
    pos.send("||POSTICKET||" + order + "||");
    const std::string batch = ValueOf(pos.readUntil(has("PRINTPOS")), "PRINTPOS").value_or("");
    return batch.substr(0, batch.find('|'));
}

}  // namespace kestova::e2e
