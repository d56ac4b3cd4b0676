#pragma once

#include <cstdint>
#include <string>

namespace zarnevo {

using ConsoleId = std::uint64_t;

// Where the engine's messages go. Each call carries one plain (decoded) message; the host encodes
// it and writes it in its own write, so the console never sees two replies merged by the engine.
class Outbox {
public:
    virtual ~Outbox() = default;
    virtual void send(ConsoleId console, const std::string& plainMessage) = 0;
    // Drop a console that stopped answering the keep-alive probe.
    virtual void disconnect(ConsoleId console) = 0;
};

}  // namespace zarnevo
