#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/socket.h"
#include "tests/sim/sim_loop.h"

namespace sim {

class SimListener;
class SimNetwork;

// One attempt of a socket to connect, as the network saw it.
struct ConnectAttempt {
    int socketId = 0;
    std::string host;
    int port = 0;
    Ms atMs = 0;
};

// The far end of one connection the program opened: what the server sees. Everything the socket
// sends is logged here; what the peer sends arrives at the socket cut exactly as the test says.
class SimPeer {
public:
    SimPeer(SimNetwork& network, SimListener& listener, int socketId, int connection);
    SimPeer(const SimPeer&) = delete;
    SimPeer& operator=(const SimPeer&) = delete;

    // Every byte the program sent on this connection, in order.
    const std::string& received() const { return received_; }
    // The same bytes, one entry per SendData call.
    const std::vector<std::string>& writes() const { return writes_; }
    void clearReceived();

    // True until either side closes the connection.
    bool isConnected() const;
    // The bytes reach the socket as one read (one DataArrival) after the network's latency.
    // Returns false (and sends nothing) once the connection is closed.
    bool send(const std::string& bytes);
    // Each piece is a read of its own; the first after the latency, then one every spacingMs.
    bool sendInReads(const std::vector<std::string>& pieces, Ms spacingMs = 1);
    // Closes the connection from this end; the socket sees it after everything already sent.
    void disconnect();

    SimListener& listener() const { return listener_; }
    int socketId() const { return socketId_; }

private:
    friend class SimSocket;
    void receiveFromSocket(const std::string& bytes);
    void closedBySocket();
    // Bytes keep their order: nothing arrives before what was sent earlier.
    Ms nextArrivalDelay(Ms extra);

    SimNetwork& network_;
    SimListener& listener_;
    int socketId_;
    int connection_;
    bool open_ = true;
    Ms lastArrivalAt_ = 0;
    std::string received_;
    std::vector<std::string> writes_;
};

// A host and port that accepts connections: a scripted server. Its callbacks run on the loop.
class SimListener {
public:
    SimListener(std::string host, int port) : host_(std::move(host)), port_(port) {}
    SimListener(const SimListener&) = delete;
    SimListener& operator=(const SimListener&) = delete;

    const std::string& host() const { return host_; }
    int port() const { return port_; }
    bool isAccepting() const { return accepting_; }

    // A connection was accepted (before the socket's Connect event).
    std::function<void(SimPeer&)> onAccept;
    // The program's bytes reached the server (one call per SendData, after the latency).
    std::function<void(SimPeer&, const std::string& bytes)> onReceive;
    // The program closed the connection (or dropped its socket).
    std::function<void(SimPeer&)> onClose;

    std::size_t acceptedCount() const { return peers_.size(); }
    // The connections accepted so far, oldest first.
    SimPeer& peer(std::size_t index) const;
    // The newest connection; throws (failing the test) when there is none.
    SimPeer& lastPeer() const;

private:
    friend class SimNetwork;
    std::string host_;
    int port_;
    bool accepting_ = true;
    std::vector<std::unique_ptr<SimPeer>> peers_;
};

// The program's end of a TCP connection, inside the simulated network.
class SimSocket : public platform::Socket {
public:
    SimSocket(SimNetwork& network, int id);
    ~SimSocket() override;

    // Drops any connection this socket had (like abort()) and connects to RemoteHost:RemotePort.
    void Connect() override;
    void Close() override;
    void SendData(const std::string& bytes) override;
    std::string GetData() override;
    State GetState() const override { return state_; }
    std::string LocalIP() const override { return "127.0.0.1"; }
    std::string LocalHostName() const override;

    // Assertions.
    int id() const { return id_; }
    // The server's end while connected, else nullptr.
    SimPeer* peer() const { return peer_; }
    // Everything SendData put on the wire, over all connections.
    const std::string& sentBytes() const { return sent_; }
    // SendData calls made while not connected (their bytes went nowhere).
    int droppedSends() const { return droppedSends_; }
    // Bytes arrived and not yet read with GetData.
    const std::string& unreadBytes() const { return unread_; }

private:
    friend class SimNetwork;
    friend class SimPeer;
    void dropConnection();
    void connected(SimPeer& peer);
    void refused();
    void arrive(const std::string& bytes);
    void closedByPeer();

    SimNetwork& network_;
    int id_;
    // Counts Connect and Close calls, so events of an abandoned connection are ignored.
    int connection_ = 0;
    State state_ = Closed;
    SimPeer* peer_ = nullptr;
    std::string unread_;
    std::string sent_;
    int droppedSends_ = 0;
};

// The simulated network: listeners the test sets up, every socket the program made and every
// connect attempt. A connect to a host and port nobody listens on is refused.
class SimNetwork {
public:
    explicit SimNetwork(SimLoop& loop) : loop_(loop) {}
    SimNetwork(const SimNetwork&) = delete;
    SimNetwork& operator=(const SimNetwork&) = delete;

    std::unique_ptr<SimSocket> createSocket();

    // Starts (or resumes) accepting connections on host:port.
    SimListener& listen(const std::string& host, int port);
    // New connections are refused; established ones stay.
    void stopListening(const std::string& host, int port);
    // Connects to host:port never complete (the socket stays Connecting): a host that is silent.
    void makeSilent(const std::string& host, int port);
    SimListener* listenerAt(const std::string& host, int port) const;

    // Virtual delays: connecting, being refused, and a byte's trip between the two ends.
    void setConnectDelay(Ms ms) { connectDelay_ = ms; }
    void setRefusalDelay(Ms ms) { refusalDelay_ = ms; }
    void setLatency(Ms ms) { latency_ = ms; }
    Ms latency() const { return latency_; }

    void setLocalHostName(std::string name) { localHostName_ = std::move(name); }
    const std::string& localHostName() const { return localHostName_; }

    const std::vector<ConnectAttempt>& connectAttempts() const { return attempts_; }
    // The ports of every attempt in order: what port rotation is checked against.
    std::vector<int> attemptedPorts() const;
    // The program's sockets that still exist, in the order they were made.
    std::vector<SimSocket*> sockets() const;
    int socketsCreated() const { return nextSocketId_; }

    SimLoop& loop() const { return loop_; }

private:
    friend class SimSocket;
    friend class SimPeer;
    void connect(SimSocket& socket);
    void forget(int socketId) { live_.erase(socketId); }
    // The socket, if it still exists and is still on the given connection.
    SimSocket* live(int socketId, int connection) const;

    SimLoop& loop_;
    std::map<std::pair<std::string, int>, std::unique_ptr<SimListener>> listeners_;
    std::set<std::pair<std::string, int>> silent_;
    std::map<int, SimSocket*> live_;
    std::vector<ConnectAttempt> attempts_;
    int nextSocketId_ = 0;
    Ms connectDelay_ = 1;
    Ms refusalDelay_ = 1;
    Ms latency_ = 1;
    std::string localHostName_ = "COUNTER-PC";
};

}  // namespace sim
