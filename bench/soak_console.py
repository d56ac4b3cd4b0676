#!/usr/bin/env python3
"""Soak run of the console: a stand-in server on loopback sends it full refreshes of a 255-slot
café (a client record per slot, every row's texts changed each time), one after another, each
followed by a keep-alive probe whose answer says the console has handled the whole refresh.
After the refreshes the console is left idle for a while. Prints the refreshes handled, the time
per refresh, the console's resident memory at warm-up and its growth after it, and its CPU use
while idle.

Usage: bench/soak_console.py build/bin/kestova [--refreshes 10000] [--idle-seconds 60]
Bounded: every wait has a deadline, and the console is always stopped.
"""
import argparse
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "lib"))
from stand_in import ConsoleOnStandIn, cpu_seconds, encode, record, resident_kb  # noqa: E402

SLOTS = 255
WARM_UP_REFRESHES = 500


def refresh(round_number):
    used = f"{round_number % 2:02d}:{round_number % 60:02d}"
    return b"".join(encode(record(slot, f"{slot}.", used, SLOTS)) for slot in range(1, SLOTS + 1))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("console")
    parser.add_argument("--refreshes", type=int, default=10_000)
    parser.add_argument("--idle-seconds", type=float, default=60.0)
    args = parser.parse_args()

    # Sixty different refreshes, so every refresh rewrites every row.
    refreshes = [refresh(n) for n in range(60)]
    with ConsoleOnStandIn(args.console) as cafe:
        pid = cafe.process.pid
        handled = 0
        warm_kb = None
        peak_kb = 0
        started = time.monotonic()
        cpu_started = cpu_seconds(pid)
        for n in range(args.refreshes):
            cafe.send(refreshes[n % len(refreshes)])
            if not cafe.probe_answered_within(30):
                print(f"refresh {n + 1}: the probe after it was NOT answered within 30 s")
                break
            handled += 1
            if handled == WARM_UP_REFRESHES:
                warm_kb = resident_kb(pid)
            if handled >= WARM_UP_REFRESHES and handled % 100 == 0:
                peak_kb = max(peak_kb, resident_kb(pid))
            if handled % 1000 == 0:
                print(f"after {handled} refreshes: VmRSS {resident_kb(pid)} kB", flush=True)
        elapsed = time.monotonic() - started
        busy = cpu_seconds(pid) - cpu_started
        end_kb = resident_kb(pid)

        idle_from = cpu_seconds(pid)
        time.sleep(args.idle_seconds)
        idle = cpu_seconds(pid) - idle_from

        print(f"{handled} of {args.refreshes} refreshes of {SLOTS} slots handled in {elapsed:.0f} s "
              f"({1000 * elapsed / max(handled, 1):.1f} ms each, console CPU "
              f"{1000 * busy / max(handled, 1):.1f} ms each)")
        if warm_kb is not None:
            print(f"console VmRSS: {warm_kb} kB after {WARM_UP_REFRESHES} refreshes, max "
                  f"{max(peak_kb, end_kb)} kB, end {end_kb} kB, growth after warm-up "
                  f"{max(peak_kb, end_kb) - warm_kb} kB")
        print(f"idle afterwards: {100 * idle / args.idle_seconds:.2f} % of one core over "
              f"{args.idle_seconds:g} s")


if __name__ == "__main__":
    main()
