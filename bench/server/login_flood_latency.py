#!/usr/bin/env python3
"""How fast a well-behaved console gets the client list while other connections flood log-ins.

Usage: bench/server/login_flood_latency.py build/bin/zarnevo-server [--flooders 3]
           [--attempts 800] [--requests 20] [--interval 0.5] [--slots 20]

Starts zarnevo-server on loopback (a random high port, database in memory, the demo café slowed
down so it pushes little of its own). One console greets and logs in as ADMINISTRATOR. Then each
flooding connection greets and writes --attempts wrong log-ins in one write. The console asks
for the client list (||UPDATE||||) --requests times, one every --interval seconds, and the time
from each request to the last of its slot records is measured. Prints the latencies, whether the console
was still connected at the end and what the server logged about the flood, then stops the
server. Bounded: every wait has a deadline, the flood is finite, and the server is always stopped.
"""
import argparse
import random
import signal
import socket
import statistics
import subprocess
import tempfile
import time

DEADLINE_S = 120.0


def encode(text):
    data = text.encode("cp1252", "replace")[::-1]
    return "".join(str(byte + 500)[::-1] for byte in data).encode()


class Reader:
    """Decodes what the server sends. Every message is encoded reversed on its own, so the
    groups decoded in arrival order give each message reversed, in send order."""

    def __init__(self, sock):
        self.sock = sock
        self.carry = b""
        self.text = ""

    def pump(self, timeout):
        self.sock.settimeout(timeout)
        try:
            chunk = self.sock.recv(1 << 20)
        except (socket.timeout, BlockingIOError):
            return True
        if not chunk:
            return False
        digits = self.carry + chunk
        whole = len(digits) - len(digits) % 3
        self.carry = digits[whole:]
        for at in range(0, whole, 3):
            self.text += chr(int(digits[at:at + 3][::-1].decode()) - 500)
        return True

    def count(self, plain):
        return self.text.count(plain[::-1])

    def wait_for(self, plain, times, deadline):
        while self.count(plain) < times:
            if time.monotonic() > deadline or not self.pump(0.2):
                return False
        return True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("server")
    parser.add_argument("--flooders", type=int, default=3)
    parser.add_argument("--attempts", type=int, default=800)
    parser.add_argument("--requests", type=int, default=20)
    parser.add_argument("--interval", type=float, default=0.5)
    parser.add_argument("--slots", type=int, default=20)
    args = parser.parse_args()

    offset = random.randint(30000, 60000)
    log = tempfile.TemporaryFile(mode="w+")
    server = subprocess.Popen(
        [args.server, "--listen", "127.0.0.1", "--port-offset", str(offset), "--db", ":memory:",
         "--demo", "--speed", "0.01", "--slots", str(args.slots)],
        stdout=subprocess.PIPE, stderr=log, text=True)
    flooders = []
    try:
        line = server.stdout.readline()
        if "listening" not in line:
            raise SystemExit("the server did not start: " + line)
        address = ("127.0.0.1", 999 + offset)
        greeting = ("AUTHENTICATING||FALSE||STATE||Authenticating ..||LOCALIP||[127.0.0.1]||"
                    "LOCALHOSTNAME||Kestova[bench]||")
        console = socket.create_connection(address, timeout=5)
        reader = Reader(console)
        console.sendall(encode(greeting))
        console.sendall(encode(
            "||F-LOGIN||Username = 'ADMINISTRATOR' and Password = 'admin'||"))
        if not reader.wait_for("||F-LOGIN||TRUE||", 1, time.monotonic() + 30):
            raise SystemExit("the console could not log in")

        for n in range(args.flooders):
            flooder = socket.create_connection(address, timeout=5)
            flooder.sendall(encode(greeting) + b"".join(
                encode(f"||F-LOGIN||Username = 'ADMINISTRATOR' and Password = 'guess{n}-{i}'||")
                for i in range(args.attempts)))
            flooders.append(flooder)

        latencies = []
        end = time.monotonic() + DEADLINE_S
        for request in range(args.requests):
            if request > 0:
                time.sleep(args.interval)
                reader.pump(0.01)
            reader.text = ""
            started = time.monotonic()
            console.sendall(encode("||UPDATE||||"))
            if not reader.wait_for("||UPDATE||", args.slots, end):
                print("the client list did not come before the deadline")
                break
            latencies.append(time.monotonic() - started)
        connected = reader.pump(0.5)
        if latencies:
            print(f"client list of {args.slots} slots while {args.flooders} connections flood "
                  f"{args.attempts} wrong log-ins each: {len(latencies)} requests, "
                  f"min {min(latencies) * 1000:.1f} ms, "
                  f"median {statistics.median(latencies) * 1000:.1f} ms, "
                  f"max {max(latencies) * 1000:.1f} ms")
        print(f"console still connected: {'yes' if connected else 'no'}")
        console.close()
    finally:
        for flooder in flooders:
            flooder.close()
        server.send_signal(signal.SIGTERM)
        try:
            server.wait(timeout=10)
        except subprocess.TimeoutExpired:
            server.kill()
            server.wait()
    log.seek(0)
    text = log.read()
    print(f"server log: {text.count('operator log-in refused')} log-ins refused, "
          f"{text.count('answered in')} refusals delayed, "
          f"{text.count('wait for their turn already')} reads with requests dropped, "
          f"{text.count('dropped while it waited')} waits with requests dropped")
    print(f"server exit code {server.returncode}")


if __name__ == "__main__":
    main()
