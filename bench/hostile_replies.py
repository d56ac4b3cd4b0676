#!/usr/bin/env python3
"""How the console copes with hostile server replies: a stand-in server on loopback that the
console (offscreen, configured through a folder of its own that names only 127.0.0.1) connects
to, and that sends it one hostile reply after another, each followed at once by a keep-alive
probe. For each it prints how long the console took to answer the probe, and whether it answered
at all; a console out of step or stalled would answer late or never.

Usage: bench/hostile_replies.py build/bin/kestova
Bounded: every wait has a deadline, and the console is always stopped.
"""
import argparse
import os
import random
import select
import socket
import subprocess
import tempfile
import time

PROBE_ANSWER = "||YESCONNECT||||"


def encode(text):
    data = text.encode("cp1252", "replace")[::-1]
    return "".join(str(byte + 500)[::-1] for byte in data).encode()


def decode(digits):
    groups = [digits[i:i + 3] for i in range(0, len(digits) - len(digits) % 3, 3)]
    data = bytes(int(group[::-1]) - 500 for group in groups if 500 <= int(group[::-1]) <= 755)
    return data[::-1].decode("cp1252", "replace")


def record(slot, label):
    return (f"||UPDATE||20=={slot}=={label}==PC{slot}==john==01:20==Logged in==Connected."
            f"==127.0.0.{slot}==10:15==100{slot}==0==0==0==0||")


CASES = [
    ("plain probe", b""),
    ("one stray letter", b"x"),
    ("one stray NUL", b"\0"),
    ("one stray digit", b"7"),
    ("1 MB IMESSAGE", encode("||IMESSAGE||" + "word " * 200_000 + "||")),
    ("1 MB CMESSAGE", encode("||CMESSAGE||" + "word " * 200_000 + "||")),
    ("300 KB message without spaces", encode("||IMESSAGE||" + "x" * 300_000 + "||")),
    ("1 MB grid label", encode(record(3, "L" * 1_000_000))),
    ("1,000 records of 255 slots", b"".join(encode(record(1 + i % 20, f"{i}.")) for i in range(1000))),
]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("console")
    args = parser.parse_args()

    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    for _ in range(20):
        offset = random.randrange(30001, 32700)
        if offset % 5 == 0:
            continue
        try:
            listener.bind(("127.0.0.1", 999 + offset))
            break
        except OSError:
            continue
    listener.listen(1)

    with tempfile.TemporaryDirectory() as config:
        with open(os.path.join(config, "machine.ini"), "w") as machine:
            machine.write("[HKEY_USERS\\.default\\Software\\Zarnevo]\nServerIP=127.0.0.1\n")
        with open(os.path.join(config, "kestova.ini"), "w") as settings:
            settings.write(f"[Option]\nUsePort=1\nPortNo={offset}\nLoop=32766\nRefresh=600\n")
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", KESTOVA_CONFIG_DIR=config)
        console = subprocess.Popen([args.console], env=env, stderr=subprocess.DEVNULL)
        try:
            listener.settimeout(30)
            peer, _ = listener.accept()
            peer.settimeout(0)
            received = b""

            def answers_within(seconds):
                nonlocal received
                deadline = time.monotonic() + seconds
                while time.monotonic() < deadline:
                    ready, _, _ = select.select([peer], [], [], 0.05)
                    if ready:
                        chunk = peer.recv(1 << 20)
                        if not chunk:
                            return False
                        received += chunk
                    if PROBE_ANSWER in decode(received.decode()):
                        received = b""
                        return True
                return False

            time.sleep(1)  # the greeting and the first list request
            received = b""
            for name, hostile in CASES:
                started = time.monotonic()
                peer.sendall(hostile + encode("||STILL CONNECTED||||"))
                answered = answers_within(30)
                elapsed = (time.monotonic() - started) * 1000
                print(f"{name:32s} " + (f"probe answered after {elapsed:7.0f} ms" if answered
                                         else "probe NOT answered within 30 s"))
            rss = open(f"/proc/{console.pid}/status").read().split("VmRSS:")[1].split()[0]
            print(f"console resident memory afterwards: {int(rss) // 1024} MiB")
        finally:
            console.kill()
            console.wait()


if __name__ == "__main__":
    main()
