#!/usr/bin/env python3
"""Soak run of zarnevo-server: a 255-slot demo café at high speed, 20 consoles on loopback, for a
bounded time (10 minutes by default). Every console greets, answers the keep-alive probes, and
asks for the client list every few seconds; each list must bring a record for every slot. The
server's resident memory is sampled throughout. Prints, at the end: lists asked and complete,
consoles dropped, and the memory at warm-up and its growth after it.

Usage: bench/soak_server.py build/bin/zarnevo-server [--minutes 10] [--consoles 20]
Bounded: every wait has a deadline, and the server is always stopped.
"""
import argparse
import random
import re
import selectors
import socket
import subprocess
import time

SLOTS = 255
LIST_EVERY_S = 3.0
LIST_DEADLINE_S = 10.0
WARM_UP_S = 60.0


def encode(text):
    data = text.encode("cp1252", "replace")[::-1]
    return "".join(str(byte + 500)[::-1] for byte in data).encode()


# In the groups decoded in arrival order every message is reversed: a record of the client list
# "||UPDATE||255==<slot>==..." reads "...==<slot reversed>==552||ETADPU||".
RECORD = re.compile(r"==(\d{1,3})==552\|\|ETADPU\|\|")
PROBE = "||||DETCENNOC LLITS||"


class Console:
    def __init__(self, port, name):
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=5)
        self.sock.setblocking(False)
        self.digits = ""
        self.reversed = ""
        self.open = True
        self.asked_at = None
        self.seen = set()
        self.lists_asked = 0
        self.lists_complete = 0
        self.lists_late = 0
        self.send(f"AUTHENTICATING||FALSE||STATE||Authenticating ..||LOCALIP||[127.0.0.1]"
                  f"||LOCALHOSTNAME||Kestova[{name}]||")

    def send(self, text):
        try:
            self.sock.sendall(encode(text))
        except OSError:
            self.open = False

    def ask_for_list(self, now):
        if self.asked_at is not None and now - self.asked_at > LIST_DEADLINE_S:
            self.lists_late += 1
        self.asked_at = now
        self.seen = set()
        self.lists_asked += 1
        self.send("UPDATE||||")

    def read(self, now):
        try:
            data = self.sock.recv(1 << 20)
        except BlockingIOError:
            return
        except OSError:
            data = b""
        if not data:
            self.open = False
            return
        self.digits += data.decode("ascii", "replace")
        whole = len(self.digits) - len(self.digits) % 3
        chars = []
        for i in range(0, whole, 3):
            code = int(self.digits[i:i + 3][::-1]) - 500
            chars.append(chr(code) if 0 <= code <= 255 else "?")
        self.digits = self.digits[whole:]
        self.reversed += "".join(chars)
        for _ in range(self.reversed.count(PROBE)):
            self.send("||YESCONNECT||||")
        if self.asked_at is not None:
            for match in RECORD.finditer(self.reversed):
                self.seen.add(int(match.group(1)[::-1]))
            if len(self.seen) == SLOTS:
                self.lists_complete += 1
                self.asked_at = None
        # Keep only a tail long enough for a record or probe cut across reads.
        self.reversed = self.reversed[-400:]


def rss_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("server")
    parser.add_argument("--minutes", type=float, default=10.0)
    parser.add_argument("--consoles", type=int, default=20)
    parser.add_argument("--speed", type=float, default=60.0)
    args = parser.parse_args()

    offset = random.randrange(30001, 32700)
    server = subprocess.Popen(
        [args.server, "--demo", "--slots", str(SLOTS), "--speed", str(args.speed), "--db",
         ":memory:", "--listen", "127.0.0.1", "--port-offset", str(offset)],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        deadline = time.monotonic() + 10
        consoles = None
        while consoles is None and time.monotonic() < deadline:
            try:
                consoles = [Console(999 + offset, f"SOAK-{i}") for i in range(args.consoles)]
            except OSError:
                time.sleep(0.2)
        if consoles is None:
            raise SystemExit("the server did not listen")
        selector = selectors.DefaultSelector()
        for console in consoles:
            selector.register(console.sock, selectors.EVENT_READ, console)
        started = time.monotonic()
        end = started + args.minutes * 60
        next_list = started
        samples = []
        next_sample = started
        while time.monotonic() < end and server.poll() is None:
            now = time.monotonic()
            if now >= next_list:
                for console in consoles:
                    if console.open:
                        console.ask_for_list(now)
                next_list = now + LIST_EVERY_S
            if now >= next_sample:
                samples.append((now - started, rss_kb(server.pid)))
                next_sample = now + 5
            for key, _ in selector.select(timeout=0.2):
                key.data.read(now)
        warm = [kb for t, kb in samples if t >= WARM_UP_S]
        asked = sum(c.lists_asked for c in consoles)
        complete = sum(c.lists_complete for c in consoles)
        dropped = sum(not c.open for c in consoles)
        print(f"{args.minutes:g} min, {args.consoles} consoles, {SLOTS} slots, demo speed {args.speed:g}x")
        print(f"client lists: {asked} asked, {complete} complete "
              f"(the last round may still have been arriving), {sum(c.lists_late for c in consoles)} "
              f"not complete within {LIST_DEADLINE_S:g} s")
        print(f"consoles dropped: {dropped}")
        if warm:
            print(f"server VmRSS: {warm[0]} kB at warm-up ({WARM_UP_S:g} s), "
                  f"max {max(warm)} kB, end {warm[-1]} kB, growth after warm-up "
                  f"{max(warm) - warm[0]} kB")
    finally:
        server.terminate()
        try:
            server.wait(timeout=10)
        except subprocess.TimeoutExpired:
            server.kill()


if __name__ == "__main__":
    main()
