#pragma once

#include <QTcpSocket>

#include "platform/socket.h"

namespace qtplatform {

// The classic socket control over QTcpSocket. Events are raised on the event thread from the
// socket's own signals, never from inside Connect, Close or SendData.
class QtSocket : public platform::Socket {
public:
    QtSocket();

    void Connect() override;
    void Close() override;
    void SendData(const std::string& bytes) override;
    std::string GetData() override;
    State GetState() const override;
    std::string LocalIP() const override;
    std::string LocalHostName() const override;

private:
    void drain();

    QTcpSocket socket_;
    std::string received_;
    bool failed_ = false;
    bool ownCall_ = false;  // signals caused by our own abort() are not the peer's doing
};

}  // namespace qtplatform
