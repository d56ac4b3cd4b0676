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
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from stand_in import ConsoleOnStandIn, encode, record, resident_kb  # noqa: E402


CASES = [
    ("plain probe", b""),
    ("one stray letter", b"x"),
    ("one stray NUL", b"\0"),
    ("one stray digit", b"7"),
    ("1 MB IMESSAGE", encode("||IMESSAGE||" + "word " * 200_000 + "||")),
    ("1 MB CMESSAGE", encode("||CMESSAGE||" + "word " * 200_000 + "||")),
    ("300 KB message without spaces", encode("||IMESSAGE||" + "x" * 300_000 + "||")),
    ("1 MB grid label", encode(record(3, "L" * 1_000_000))),
    ("1,000 records of 20 slots", b"".join(encode(record(1 + i % 20, f"{i}.")) for i in range(1000))),
]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("console")
    args = parser.parse_args()

    with ConsoleOnStandIn(args.console) as cafe:
        for name, hostile in CASES:
            started = time.monotonic()
            cafe.send(hostile)
            answered = cafe.probe_answered_within(30)
            elapsed = (time.monotonic() - started) * 1000
            print(f"{name:32s} " + (f"probe answered after {elapsed:7.0f} ms" if answered
                                     else "probe NOT answered within 30 s"))
        print(f"console resident memory afterwards: {resident_kb(cafe.process.pid) // 1024} MiB")


if __name__ == "__main__":
    main()
