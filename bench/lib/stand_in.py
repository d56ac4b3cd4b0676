"""Shared by the Python measurements under bench/: the wire coding, and a stand-in server on
loopback that one console (offscreen, configured through a folder of its own that names only
127.0.0.1 and a fixed high port) connects to. Everything has a deadline; the console is always
stopped when the `with` block ends.
"""
import os
import random
import select
import socket
import subprocess
import tempfile
import time

PROBE = "||STILL CONNECTED||||"
PROBE_ANSWER = "||YESCONNECT||||"


def encode(text):
    data = text.encode("cp1252", "replace")[::-1]
    return "".join(str(byte + 500)[::-1] for byte in data).encode()


def decode(digits):
    groups = [digits[i:i + 3] for i in range(0, len(digits) - len(digits) % 3, 3)]
    data = bytes(int(group[::-1]) - 500 for group in groups if 500 <= int(group[::-1]) <= 755)
    return data[::-1].decode("cp1252", "replace")


def record(slot, label, used="01:20", slots=20):
    """A client record of a café of `slots` slots."""
    return (f"||UPDATE||{slots}=={slot}=={label}==PC{slot}==john=={used}==Logged in==Connected."
            f"==127.0.0.{slot}==10:15==100{slot}==0==0==0==0||")


def resident_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def cpu_seconds(pid):
    fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


class ConsoleOnStandIn:
    """The console connected to a listening socket of this process."""

    def __init__(self, console, refresh_seconds=600):
        self.console_path = console
        self.refresh_seconds = refresh_seconds

    def __enter__(self):
        self.listener = socket.socket()
        self.listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        for _ in range(20):
            # Offsets that are multiples of five would also send the console to the discovery port.
            offset = random.randrange(30001, 32700)
            if offset % 5 == 0:
                continue
            try:
                self.listener.bind(("127.0.0.1", 999 + offset))
                break
            except OSError:
                continue
        self.listener.listen(1)
        self.config = tempfile.TemporaryDirectory()
        with open(os.path.join(self.config.name, "machine.ini"), "w") as machine:
            machine.write("[HKEY_USERS\\.default\\Software\\Zarnevo]\nServerIP=127.0.0.1\n")
        with open(os.path.join(self.config.name, "kestova.ini"), "w") as settings:
            settings.write(f"[Option]\nUsePort=1\nPortNo={offset}\nLoop=32766\n"
                           f"Refresh={self.refresh_seconds}\n")
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", KESTOVA_CONFIG_DIR=self.config.name)
        self.process = subprocess.Popen([self.console_path], env=env, stderr=subprocess.DEVNULL)
        self.listener.settimeout(30)
        self.peer, _ = self.listener.accept()
        self.peer.settimeout(0)
        self.received = b""
        time.sleep(1)  # the greeting and the first list request
        self.received = b""
        return self

    def __exit__(self, *exc):
        self.process.kill()
        self.process.wait()
        self.peer.close()
        self.listener.close()
        self.config.cleanup()

    def send(self, data):
        self.peer.sendall(data)

    def probe_answered_within(self, seconds):
        """Sends a keep-alive probe and waits for its answer: the console answers it only once
        everything sent before has been handled."""
        self.peer.sendall(encode(PROBE))
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            ready, _, _ = select.select([self.peer], [], [], 0.05)
            if ready:
                chunk = self.peer.recv(1 << 20)
                if not chunk:
                    return False
                self.received += chunk
                # Only the tail can hold an answer not yet seen.
                if PROBE_ANSWER in decode(self.received[-600:].decode()):
                    self.received = b""
                    return True
        return False
