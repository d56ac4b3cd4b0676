#include "tests/e2e/loopback/console_link.h"

#include <QDeadlineTimer>

#include "core/wire/codec.h"
#include "core/wire/framing.h"
#include "core/wire/replies.h"
#include "tests/e2e/loopback/server_process.h"

namespace zarnevo::e2e {
namespace {

// The keywords the server's messages begin with.
std::vector<std::string_view> ReplyKeywords() {
    std::vector<std::string_view> names;
    for (const wire::reply::Keyword& keyword : wire::reply::Keywords()) {
        names.push_back(keyword.name);
    }
    return names;
}

}  // namespace

ConsoleLink::ConsoleLink() : assembler_(ReplyKeywords()) {}

bool ConsoleLink::connectTo(quint16 port) {
    socket_.connectToHost(QStringLiteral("127.0.0.1"), port);
    return socket_.waitForConnected(kDeadlineMs);
}

void ConsoleLink::send(const std::string& plainMessage) {
    const std::string digits = wire::EncodeText(plainMessage);
    socket_.write(digits.data(), static_cast<qint64>(digits.size()));
    socket_.waitForBytesWritten(kDeadlineMs);
}

const std::vector<std::string>& ConsoleLink::readUntil(
    const std::function<bool(const std::vector<std::string>&)>& done) {
    QDeadlineTimer deadline(kDeadlineMs);
    while (!done(replies_) && !deadline.hasExpired() &&
           socket_.state() == QAbstractSocket::ConnectedState) {
        if (socket_.bytesAvailable() == 0) {
            socket_.waitForReadyRead(
                static_cast<int>(std::min<qint64>(deadline.remainingTime(), 200)));
        }
        const QByteArray bytes = socket_.readAll();
        for (auto& reply :
             assembler_.feed(std::string_view(bytes.constData(), bytes.size()), 0).messages) {
            replies_.push_back(std::move(reply));
        }
    }
    return replies_;
}

std::optional<std::string> ValueOf(const std::vector<std::string>& replies,
                                   std::string_view keyword) {
    const std::size_t index = IndexOf(replies, keyword);
    if (index == replies.size()) {
        return std::nullopt;
    }
    return wire::SplitPairs(replies[index]).front().value;
}

std::size_t IndexOf(const std::vector<std::string>& replies, std::string_view keyword) {
    for (std::size_t i = 0; i < replies.size(); ++i) {
        const auto pairs = wire::SplitPairs(replies[i]);
        if (!pairs.empty() && pairs.front().keyword == keyword) {
            return i;
        }
    }
    return replies.size();
}

}  // namespace zarnevo::e2e
