#pragma once

#include <functional>
#include <string>

namespace platform {

// A TCP client socket with the states and events of the classic socket control the console was
// designed around. Data is passed as raw bytes.
class Socket {
public:
    enum State {
        Closed = 0,
        Open = 1,
        Listening = 2,
        ConnectionPending = 3,
        ResolvingHost = 4,
        HostResolved = 5,
        Connecting = 6,
        Connected = 7,
        Closing = 8,
        Error = 9,
    };

    virtual ~Socket() = default;

    std::string RemoteHost;
    int RemotePort = 0;

    virtual void Connect() = 0;
    virtual void Close() = 0;
    // Queues bytes for sending; silently dropped unless connected.
    virtual void SendData(const std::string& bytes) = 0;
    // Everything received and not yet read, emptied by the call.
    virtual std::string GetData() = 0;
    virtual State GetState() const = 0;
    virtual std::string LocalIP() const = 0;
    virtual std::string LocalHostName() const = 0;

    // Events, raised on the event thread.
    std::function<void()> OnConnect;
    std::function<void(std::size_t bytesTotal)> OnDataArrival;
    std::function<void()> OnClose;
    std::function<void(const std::string& description)> OnError;
};

}  // namespace platform
