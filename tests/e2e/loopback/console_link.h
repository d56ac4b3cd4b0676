#pragma once

#include <QTcpSocket>
#include <functional>
#include <string>
#include <vector>

#include "server/engine/message_assembler.h"

namespace zarnevo::e2e {

// The console's side of the protocol over a real socket: each message encoded and written on its
// own, replies separated into single plain messages.
class ConsoleLink {
public:
    ConsoleLink();

    bool connectTo(quint16 port);
    void send(const std::string& plainMessage);
    // Reads until done(all replies so far) holds or the deadline passes; returns what came.
    const std::vector<std::string>& readUntil(
        const std::function<bool(const std::vector<std::string>&)>& done);
    // Forgets the replies read so far.
    void clear() { replies_.clear(); }
    QTcpSocket& socket() { return socket_; }

private:
    QTcpSocket socket_;
    MessageAssembler assembler_;
    std::vector<std::string> replies_;
};

// The first value of the first reply with this keyword, if any.
std::optional<std::string> ValueOf(const std::vector<std::string>& replies,
                                   std::string_view keyword);
// Position of the first reply with this keyword (replies.size() when absent).
std::size_t IndexOf(const std::vector<std::string>& replies, std::string_view keyword);

}  // namespace zarnevo::e2e
