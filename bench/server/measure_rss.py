#!/usr/bin/env python3
"""Resident memory of zarnevo-server with many slots and several consoles connected, and after
rounds of many connections that come and go.

Usage: bench/server/measure_rss.py build/bin/zarnevo-server [--slots 255] [--consoles 10]
           [--rounds 6] [--connections 1000]
Starts the server on loopback (a random high port, database in memory, demo café), connects the
consoles, has each greet and ask for the client list, waits a few seconds of demo time, then
prints VmRSS and VmHWM from /proc/<pid>/status. With --rounds, it then opens --connections
connections at once per round (each that gets through greets and asks for the list), closes
them all, and prints VmRSS after each round and how long the slowest connect took. It stops the
server with SIGTERM. Bounded: every wait has a deadline, and the server is always stopped.
"""
import argparse
import random
import selectors
import signal
import socket
import subprocess
import time

GREETING = ("AUTHENTICATING||FALSE||STATE||Authenticating ..||LOCALIP||[127.0.0.1]||"
            "LOCALHOSTNAME||Kestova[bench]||")


def encode(text):
    data = text.encode("cp1252", "replace")[::-1]
    return "".join(str(byte + 500)[::-1] for byte in data).encode()


def memory(pid):
    fields = {}
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            key, _, value = line.partition(":")
            if key in ("VmRSS", "VmHWM"):
                fields[key] = value.strip()
    return fields


def connection_round(address, count, deadline_s=30.0):
    """Opens count connections at once; each that connects greets and asks for the list. Returns
    the slowest connect in seconds and how many connected; all are closed again."""
    selector = selectors.DefaultSelector()
    started = time.monotonic()
    pending = set()
    sockets = []
    for _ in range(count):
        sock = socket.socket()
        sock.setblocking(False)
        sock.connect_ex(address)
        selector.register(sock, selectors.EVENT_WRITE)
        pending.add(sock)
        sockets.append(sock)
    slowest = 0.0
    connected = 0
    while pending and time.monotonic() - started < deadline_s:
        for key, _ in selector.select(timeout=0.5):
            sock = key.fileobj
            selector.unregister(sock)
            pending.discard(sock)
            slowest = max(slowest, time.monotonic() - started)
            if sock.getsockopt(socket.SOL_SOCKET, socket.SO_ERROR) == 0:
                connected += 1
                try:
                    sock.send(encode(GREETING) + encode("||UPDATE||||"))
                except OSError:
                    pass  # closed at once: the server serves enough consoles already
    time.sleep(0.5)
    for sock in sockets:
        sock.close()
    selector.close()
    if pending:
        slowest = float("inf")
    return slowest, connected


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("server")
    parser.add_argument("--slots", type=int, default=255)
    parser.add_argument("--consoles", type=int, default=10)
    parser.add_argument("--seconds", type=float, default=5.0)
    parser.add_argument("--rounds", type=int, default=0)
    parser.add_argument("--connections", type=int, default=1000)
    args = parser.parse_args()

    offset = random.randint(30000, 60000)
    server = subprocess.Popen(
        [args.server, "--listen", "127.0.0.1", "--port-offset", str(offset), "--db", ":memory:",
         "--demo", "--slots", str(args.slots)],
        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    try:
        line = server.stdout.readline()
        if "listening" not in line:
            raise SystemExit("the server did not start: " + line)
        idle = memory(server.pid)
        consoles = []
        for _ in range(args.consoles):
            console = socket.create_connection(("127.0.0.1", 999 + offset), timeout=5)
            console.sendall(encode(GREETING))
            console.sendall(encode("||UPDATE||||"))
            consoles.append(console)
        deadline = time.monotonic() + args.seconds
        while time.monotonic() < deadline:
            for console in consoles:
                console.setblocking(False)
                try:
                    while console.recv(65536):
                        pass
                except BlockingIOError:
                    pass
            time.sleep(0.1)
        busy = memory(server.pid)
        print(f"slots={args.slots} consoles=0: VmRSS {idle['VmRSS']}")
        print(f"slots={args.slots} consoles={args.consoles}: VmRSS {busy['VmRSS']}, "
              f"peak VmHWM {busy['VmHWM']}")
        for console in consoles:
            console.close()
        for round_number in range(1, args.rounds + 1):
            slowest, connected = connection_round(("127.0.0.1", 999 + offset), args.connections)
            time.sleep(1.0)
            print(f"round {round_number}: {args.connections} connections at once, {connected} "
                  f"connected, slowest connect {slowest * 1000:.0f} ms, "
                  f"then VmRSS {memory(server.pid)['VmRSS']}")
    finally:
        server.send_signal(signal.SIGTERM)
        try:
            server.wait(timeout=10)
        except subprocess.TimeoutExpired:
            server.kill()
    print(f"server exit code {server.returncode}")


if __name__ == "__main__":
    main()
