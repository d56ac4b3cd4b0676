#!/usr/bin/env python3
"""Resident memory of zarnevo-server with many slots and several consoles connected.

Usage: bench/server/measure_rss.py build/bin/zarnevo-server [--slots 255] [--consoles 10]
Starts the server on loopback (a random high port, database in memory, demo café), connects the
consoles, has each greet and ask for the client list, waits a few seconds of demo time, then
prints VmRSS and VmHWM from /proc/<pid>/status and stops the server with SIGTERM. Bounded: every
wait has a deadline, and the server is always stopped.
"""
import argparse
import random
import signal
import socket
import subprocess
import time


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


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("server")
    parser.add_argument("--slots", type=int, default=255)
    parser.add_argument("--consoles", type=int, default=10)
    parser.add_argument("--seconds", type=float, default=5.0)
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
            console.sendall(encode("AUTHENTICATING||FALSE||STATE||Authenticating ..||LOCALIP||"
                                   "[127.0.0.1]||LOCALHOSTNAME||Kestova[bench]||"))
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
    finally:
        server.send_signal(signal.SIGTERM)
        try:
            server.wait(timeout=10)
        except subprocess.TimeoutExpired:
            server.kill()
    print(f"server exit code {server.returncode}")


if __name__ == "__main__":
    main()
