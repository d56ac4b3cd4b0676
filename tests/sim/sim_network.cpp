#include "tests/sim/sim_network.h"

#include <algorithm>
#include <stdexcept>

#include "ui/control.h"

namespace sim {

// --- SimPeer ---

SimPeer::SimPeer(SimNetwork& network, SimListener& listener, int socketId, int connection)
    : network_(network), listener_(listener), socketId_(socketId), connection_(connection) {}

void SimPeer::clearReceived() {
    received_.clear();
    writes_.clear();
}

bool SimPeer::isConnected() const {
    return open_ && network_.live(socketId_, connection_) != nullptr;
}

Ms SimPeer::nextArrivalDelay(Ms extra) {
    SimLoop& loop = network_.loop();
    lastArrivalAt_ = std::max(loop.now() + network_.latency() + extra, lastArrivalAt_);
    return lastArrivalAt_ - loop.now();
}

bool SimPeer::send(const std::string& bytes) {
    return sendInReads({bytes}, 0);
}

bool SimPeer::sendInReads(const std::vector<std::string>& pieces, Ms spacingMs) {
    if (!isConnected()) {
        return false;
    }
    Ms extra = 0;
    for (const std::string& piece : pieces) {
        network_.loop().schedule(nextArrivalDelay(extra), [&network = network_, id = socketId_,
                                                           connection = connection_, piece] {
            if (SimSocket* socket = network.live(id, connection)) {
                socket->arrive(piece);
            }
        });
        extra += spacingMs;
    }
    return true;
}

void SimPeer::disconnect() {
    if (!isConnected()) {
        return;
    }
    open_ = false;
    network_.loop().schedule(nextArrivalDelay(0),
                             [&network = network_, id = socketId_, connection = connection_] {
                                 if (SimSocket* socket = network.live(id, connection)) {
                                     socket->closedByPeer();
                                 }
                             });
}

void SimPeer::receiveFromSocket(const std::string& bytes) {
    if (!open_) {
        return;
    }
    received_ += bytes;
    writes_.push_back(bytes);
    network_.loop().schedule(network_.latency(),
                             [this, bytes] { ui::Raise(listener_.onReceive, *this, bytes); });
}

void SimPeer::closedBySocket() {
    if (!open_) {
        return;
    }
    open_ = false;
    network_.loop().schedule(network_.latency(), [this] { ui::Raise(listener_.onClose, *this); });
}

// --- SimListener ---

SimPeer& SimListener::peer(std::size_t index) const {
    if (index >= peers_.size()) {
        throw std::out_of_range("no connection #" + std::to_string(index) + " was accepted on " +
                                host_ + ":" + std::to_string(port_));
    }
    return *peers_[index];
}

SimPeer& SimListener::lastPeer() const {
    if (peers_.empty()) {
        throw std::out_of_range("no connection was accepted on " + host_ + ":" +
                                std::to_string(port_));
    }
    return *peers_.back();
}

// --- SimSocket ---

SimSocket::SimSocket(SimNetwork& network, int id) : network_(network), id_(id) {}

SimSocket::~SimSocket() {
    dropConnection();
    network_.forget(id_);
}

std::string SimSocket::LocalHostName() const {
    return network_.localHostName();
}

void SimSocket::dropConnection() {
    if (peer_ != nullptr) {
        peer_->closedBySocket();
        peer_ = nullptr;
    }
    ++connection_;
    unread_.clear();
}

void SimSocket::Connect() {
    dropConnection();
    state_ = Connecting;
    network_.connect(*this);
}

void SimSocket::Close() {
    dropConnection();
    state_ = Closed;
}

void SimSocket::SendData(const std::string& bytes) {
    if (state_ != Connected || peer_ == nullptr) {
        ++droppedSends_;
        return;
    }
    sent_ += bytes;
    peer_->receiveFromSocket(bytes);
}

std::string SimSocket::GetData() {
    std::string data;
    data.swap(unread_);
    return data;
}

void SimSocket::connected(SimPeer& peer) {
    state_ = Connected;
    peer_ = &peer;
    ui::Raise(OnConnect);
}

void SimSocket::refused() {
    state_ = Error;
    ui::Raise(OnError, std::string("Connection refused"));
}

void SimSocket::arrive(const std::string& bytes) {
    if (bytes.empty()) {
        return;
    }
    unread_ += bytes;
    ui::Raise(OnDataArrival, unread_.size());
}

void SimSocket::closedByPeer() {
    peer_ = nullptr;
    state_ = Closed;
    ui::Raise(OnClose);
}

// --- SimNetwork ---

std::unique_ptr<SimSocket> SimNetwork::createSocket() {
    const int id = nextSocketId_++;
    auto socket = std::make_unique<SimSocket>(*this, id);
    live_.emplace(id, socket.get());
    return socket;
}

SimListener& SimNetwork::listen(const std::string& host, int port) {
    auto& slot = listeners_[{host, port}];
    if (!slot) {
        slot = std::make_unique<SimListener>(host, port);
    }
    slot->accepting_ = true;
    silent_.erase({host, port});
    return *slot;
}

void SimNetwork::stopListening(const std::string& host, int port) {
    if (SimListener* listener = listenerAt(host, port)) {
        listener->accepting_ = false;
    }
}

void SimNetwork::makeSilent(const std::string& host, int port) {
    stopListening(host, port);
    silent_.insert({host, port});
}

SimListener* SimNetwork::listenerAt(const std::string& host, int port) const {
    const auto it = listeners_.find({host, port});
    return it == listeners_.end() ? nullptr : it->second.get();
}

std::vector<int> SimNetwork::attemptedPorts() const {
    std::vector<int> ports;
    for (const ConnectAttempt& attempt : attempts_) {
        ports.push_back(attempt.port);
    }
    return ports;
}

std::vector<SimSocket*> SimNetwork::sockets() const {
    std::vector<SimSocket*> sockets;
    for (const auto& [id, socket] : live_) {
        sockets.push_back(socket);
    }
    return sockets;
}

SimSocket* SimNetwork::live(int socketId, int connection) const {
    const auto it = live_.find(socketId);
    return (it != live_.end() && it->second->connection_ == connection) ? it->second : nullptr;
}

void SimNetwork::connect(SimSocket& socket) {
    const std::string host = socket.RemoteHost;
    const int port = socket.RemotePort;
    attempts_.push_back(ConnectAttempt{socket.id(), host, port, loop_.now()});
    if (silent_.count({host, port}) != 0) {
        return;
    }
    const int id = socket.id();
    const int connection = socket.connection_;
    SimListener* listener = listenerAt(host, port);
    if (listener == nullptr || !listener->isAccepting()) {
        loop_.schedule(refusalDelay_, [this, id, connection] {
            if (SimSocket* refused = live(id, connection)) {
                refused->refused();
            }
        });
        return;
    }
    loop_.schedule(connectDelay_, [this, listener, id, connection] {
        SimSocket* accepted = live(id, connection);
        if (accepted == nullptr) {
            return;
        }
        listener->peers_.push_back(std::make_unique<SimPeer>(*this, *listener, id, connection));
        SimPeer& peer = *listener->peers_.back();
        ui::Raise(listener->onAccept, peer);
        // The server may have hung up or the program closed the socket inside onAccept.
        if (live(id, connection) == accepted) {
            accepted->connected(peer);
        }
    });
}

}  // namespace sim
