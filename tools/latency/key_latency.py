#!/usr/bin/python3
"""Key-to-glyph latency of Tolvar under Wine, seen from typepad.

Presses keys with libxdo (the library behind xdotool) and notes
CLOCK_MONOTONIC just before each press; typepad logs the arrival of every key
message with QueryPerformanceCounter. The two clocks are matched through
e2e_probe's "clock" command: each round trip on its pipe brackets one
QueryPerformanceCounter reading between two CLOCK_MONOTONIC readings, and the
shortest round trip gives the offset and its uncertainty.

  key_latency.py calibrate PROBE...         print the offset of the clocks
  key_latency.py press KEYS GAP_MS OUT      press KEYS (letters and blanks),
                                            GAP_MS apart, write the press times
  key_latency.py report PRESSES LOG OFFSET_US typed-back|passed
                                            latency of each key: from its press
                                            to the last byte that arrived before
                                            the next press: typed back by Tolvar
                                            (ALT+keypad, or a Backspace with
                                            scan code 0), or any character
"""
import ctypes
import statistics
import subprocess
import sys
import time


def monotonic_us():
    return time.clock_gettime_ns(time.CLOCK_MONOTONIC) // 1000


def calibrate(probe_command):
    probe = subprocess.Popen(probe_command, stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    best = None
    raw_minus_mono = []
    for _ in range(200):
        before = monotonic_us()
        probe.stdin.write(b"\n")
        probe.stdin.flush()
        reply = probe.stdout.readline().split()
        after = monotonic_us()
        raw_minus_mono.append(time.clock_gettime_ns(time.CLOCK_MONOTONIC_RAW) // 1000 - monotonic_us())
        counter_us, tick_ms = int(reply[0]), int(reply[1])
        round_trip = after - before
        if best is None or round_trip < best[0]:
            best = (round_trip, counter_us - (before + after) // 2, tick_ms - (before + after) // 2000)
    probe.stdin.close()
    probe.wait()
    round_trip, offset_us, tick_offset_ms = best
    drift = max(raw_minus_mono) - min(raw_minus_mono)
    print(f"offset_us {offset_us}")
    print(f"uncertainty_us {(round_trip + 1) // 2}")
    print(f"tick_offset_ms {tick_offset_ms}")
    print(f"raw_vs_monotonic_spread_us {drift}")


def press(keys, gap_ms, out_path):
    xdo_lib = ctypes.CDLL("libxdo.so.3")
    xdo_lib.xdo_new.restype = ctypes.c_void_p
    xdo_lib.xdo_new.argtypes = [ctypes.c_char_p]
    for name in ("xdo_send_keysequence_window_down", "xdo_send_keysequence_window_up"):
        getattr(xdo_lib, name).argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_char_p,
                                           ctypes.c_uint]
    xdo = xdo_lib.xdo_new(None)
    if not xdo:
        sys.exit("key_latency: cannot open the display")
    times = []
    for key in keys:
        keysym = b"space" if key == " " else key.encode()
        pressed = monotonic_us()
        xdo_lib.xdo_send_keysequence_window_down(xdo, 0, keysym, 0)
        time.sleep(0.005)
        xdo_lib.xdo_send_keysequence_window_up(xdo, 0, keysym, 0)
        times.append((key, pressed))
        time.sleep(gap_ms / 1000.0)
    with open(out_path, "w") as out:
        for key, pressed in times:
            out.write(f"{'space' if key == ' ' else key} {pressed}\n")


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(fraction * (len(ordered) - 1))))]


def report(presses_path, log_path, offset_us, what):
    presses = []
    with open(presses_path) as presses_file:
        for line in presses_file:
            key, pressed = line.split()
            presses.append((key, int(pressed) + offset_us))
    arrivals = []
    with open(log_path) as log:
        for line in log:
            if line.startswith("#"):
                continue
            _, counter_us, message, _, lparam = line.split()
            typed_back = (int(lparam, 16) >> 16) & 0xFF == 0
            if message == "ALTNUM" or (message == "WM_CHAR" and (typed_back or what == "passed")):
                arrivals.append(int(counter_us))
    latencies = []
    silent = 0
    for index, (key, pressed) in enumerate(presses):
        following = presses[index + 1][1] if index + 1 < len(presses) else float("inf")
        typed = [at for at in arrivals if pressed <= at < following]
        if typed:
            latencies.append((typed[-1] - pressed) / 1000.0)
        else:
            silent += 1
    if not latencies:
        sys.exit("key_latency: no key was followed by typed bytes")
    print(f"keys {len(presses)} measured {len(latencies)} without_output {silent}")
    print(f"median_ms {statistics.median(latencies):.2f} p95_ms {percentile(latencies, 0.95):.2f} "
          f"min_ms {min(latencies):.2f} max_ms {max(latencies):.2f}")


def main(argv):
    if len(argv) >= 2 and argv[1] == "calibrate":
        calibrate(argv[2:])
    elif len(argv) == 5 and argv[1] == "press":
        press(argv[2], float(argv[3]), argv[4])
    elif len(argv) == 6 and argv[1] == "report":
        report(argv[2], argv[3], int(argv[4]), argv[5])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
