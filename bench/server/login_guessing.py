#!/usr/bin/env python3
"""How many password guesses one address gets answered over many connections, and how fast the
rightful operator logs in from another address meanwhile.

Usage: bench/server/login_guessing.py build/bin/zarnevo-server [--connections 8] [--seconds 20]

Starts zarnevo-server on loopback (a random high port, database in memory, the demo café's
accounts). --connections guessers from 127.0.0.5 each send a wrong ADMINISTRATOR password as
soon as the last was answered and reconnect after every five answers, for --seconds. Every two
seconds the rightful operator logs in from 127.0.0.1 on a new connection. Prints the guesses
answered and the operator's log-in times, then stops the server. Bounded: every wait has a
deadline and the server is always stopped.
"""
import argparse
import os
import random
import select
import signal
import socket
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "lib"))
from stand_in import decode, encode  # noqa: E402

GREETING = ("AUTHENTICATING||FALSE||STATE||Authenticating ..||LOCALIP||[127.0.0.1]||"
            "LOCALHOSTNAME||Kestova[bench]||")
GUESS = "||F-LOGIN||Username = 'ADMINISTRATOR' and Password = 'guess'||"
RIGHT = "||F-LOGIN||Username = 'ADMINISTRATOR' and Password = 'admin'||"


class Connection:
    """A console connection from a given loopback address that counts the answers it got."""

    def __init__(self, server, source):
        self.sock = socket.socket()
        self.sock.bind((source, 0))
        self.sock.settimeout(5)
        self.sock.connect(server)
        self.sock.setblocking(False)
        self.digits = b""
        self.sock.sendall(encode(GREETING))

    def answers(self, plain):
        return decode(self.digits.decode()).count(plain)

    def read(self):
        try:
            chunk = self.sock.recv(1 << 16)
        except BlockingIOError:
            return True
        self.digits += chunk
        return bool(chunk)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("server")
    parser.add_argument("--connections", type=int, default=8)
    parser.add_argument("--seconds", type=float, default=20)
    args = parser.parse_args()

    offset = random.randint(30000, 60000)
    server = subprocess.Popen(
        [args.server, "--listen", "127.0.0.1", "--port-offset", str(offset), "--db", ":memory:",
         "--demo", "--speed", "0.01", "--slots", "5"],
        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    guessers = []
    try:
        if "listening" not in server.stdout.readline():
            raise SystemExit("the server did not start")
        address = ("127.0.0.1", 999 + offset)
        for _ in range(args.connections):
            guesser = Connection(address, "127.0.0.5")
            guesser.sock.sendall(encode(GUESS))
            guessers.append([guesser, 0])
        answered = 0
        logins = []
        rightful, rightful_since = None, 0.0
        start = time.monotonic()
        next_login = start + 1
        while time.monotonic() < start + args.seconds:
            now = time.monotonic()
            if rightful is None and now >= next_login:
                rightful, rightful_since = Connection(address, "127.0.0.1"), now
                rightful.sock.sendall(encode(RIGHT))
            watched = [g[0].sock for g in guessers] + ([rightful.sock] if rightful else [])
            readable, _, _ = select.select(watched, [], [], 0.05)
            if rightful and rightful.sock in readable:
                rightful.read()
                if rightful.answers("||F-LOGIN||TRUE||"):
                    logins.append(time.monotonic() - rightful_since)
                    rightful.sock.close()
                    rightful, next_login = None, time.monotonic() + 2
            for entry in guessers:
                guesser, seen = entry
                if guesser.sock not in readable:
                    continue
                open_ = guesser.read()
                refused = guesser.answers("||F-LOGIN||FALSE||")
                if refused > seen:
                    answered += refused - seen
                    entry[1] = refused
                if not open_ or (refused > seen and refused % 5 == 0):
                    guesser.sock.close()
                    entry[0], entry[1] = Connection(address, "127.0.0.5"), 0
                    entry[0].sock.sendall(encode(GUESS))
                elif refused > seen:
                    guesser.sock.sendall(encode(GUESS))
        print(f"{args.connections} connections from 127.0.0.5, reconnecting after every five "
              f"answers: {answered} guesses answered in {args.seconds:g} s")
        if logins:
            print(f"rightful operator from 127.0.0.1: {len(logins)} log-ins, "
                  f"min {min(logins) * 1000:.0f} ms, median {statistics.median(logins) * 1000:.0f} "
                  f"ms, max {max(logins) * 1000:.0f} ms")
        if rightful is not None:
            print(f"rightful operator from 127.0.0.1: a log-in still unanswered after "
                  f"{time.monotonic() - rightful_since:.1f} s")
    finally:
        for guesser, _ in guessers:
            guesser.sock.close()
        server.send_signal(signal.SIGTERM)
        try:
            server.wait(timeout=10)
        except subprocess.TimeoutExpired:
            server.kill()
            server.wait()


if __name__ == "__main__":
    main()
