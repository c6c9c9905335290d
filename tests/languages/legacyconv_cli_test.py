#!/usr/bin/python3
"""legacyconv as a program: arguments, --table, --font, exit status and messages.

Usage: legacyconv_cli_test.py LEGACYCONV WORKDIR
"""

import os
import subprocess
import sys

TABLE = ("# two glyphs\n"
         "0x41\tka\t\u0915\tconsonant\tbase\tmarks=right i=i3\t\u0915\n"
         "0x42\ti\t\u093f\tmatra\tPREPEND\ti=i3\t\u0915\u093f:0\n")
results = []


def check(name, ok, detail=""):
    results.append(ok)
    print("%s %s%s" % ("PASS" if ok else "FAIL", name, (": %r" % (detail,)) if not ok else ""))


def main():
    exe, work = sys.argv[1], sys.argv[2]
    os.makedirs(work, exist_ok=True)
    table = os.path.join(work, "two.tsv")
    with open(table, "w", encoding="utf-8") as f:
        f.write(TABLE)
    bad = os.path.join(work, "bad.tsv")
    with open(bad, "w", encoding="utf-8") as f:
        f.write("0x41\tka\n")

    def run(args, data=b""):
        return subprocess.run([exe] + args, input=data, capture_output=True)

    r = run([])
    check("no mode is a usage error", r.returncode == 2 and b"usage:" in r.stderr, r)
    r = run(["--to-unicode", "--from-unicode"])
    check("two modes are a usage error", r.returncode == 2, r)
    r = run(["--to-unicode", "--table"])
    check("--table without a file is a usage error", r.returncode == 2, r)
    r = run(["--to-unicode", "--table", table], b"BA AZ")
    check("--table selects another table; other bytes pass",
          r.returncode == 0 and r.stdout == "\u0915\u093f \u0915Z".encode(), r.stdout)
    r = run(["--from-unicode", "--table", table], "\u0915\u093f".encode())
    check("--from-unicode with another table", r.returncode == 0 and r.stdout == b"BA", r.stdout)
    r = run(["--to-unicode", "--table", os.path.join(work, "none.tsv")])
    check("a missing table fails", r.returncode == 1 and b"could not open" in r.stderr, r.stderr)
    r = run(["--to-unicode", "--table", bad])
    check("a malformed table fails naming the line",
          r.returncode == 1 and b"line 1: expected 7 columns" in r.stderr, r.stderr)
    r = run(["--from-unicode"], "\u0928\n\u0931\u0928\n".encode())
    check("undrawable characters are named, the rest converted",
          r.returncode == 1 and r.stderr == b"legacyconv: line 2: cannot draw U+0931\n"
          and r.stdout.count(b"\n") == 2, (r.stdout, r.stderr))
    r = run(["--to-unicode", "--font", "Kruti Dev 010"], b"ueLrs Hkkjr")
    check("--font names a built-in table, case and blanks aside",
          r.returncode == 0 and r.stdout == "नमस्ते भारत".encode(), r.stdout)
    r = run(["--from-unicode", "--font", "preeti"], "नेपाल".encode())
    check("--font in both directions", r.returncode == 0 and r.stdout == b"g]kfn", r.stdout)
    r = run(["--to-unicode", "--font", "Mangal"])
    check("an unknown font is a usage error naming the fonts",
          r.returncode == 2 and b"'Mangal'" in r.stderr and b"Preeti" in r.stderr, r.stderr)
    r = run(["--to-unicode", "--font", "Preeti", "--table", table])
    check("--font and --table together are a usage error", r.returncode == 2, r)
    r = run(["--to-unicode"], bytes(range(256)))
    check("any byte sequence converts", r.returncode == 0 and len(r.stdout) > 256, r.returncode)

    failed = results.count(False)
    print("%d passed, %d failed" % (len(results) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
