#!/usr/bin/python3
"""Types every word of Debian's Hindi, Nepali and Marathi word lists through a language.

Each unique word is spelled in the key chart's keys (itrans_keys.py), typed
through the real composer (gkfcheck --type, many words per process), and the
glyph bytes on screen are converted back with legacyconv --to-unicode and
compared with the word (both in NFC). A word with a letter the chart has no key
for counts as a failure too. Each list must come back exactly for GOAL of its
words; every failure is listed with its reason.

It also converts each typed word with legacyconv --from-unicode and counts the
words whose bytes differ from the typed ones (the converter and the language
file drawing a word differently); that figure is reported, not required.

With --unicode the words are typed with Unicode output instead (gkfcheck
--unicode --type, the encoding table beside the language file) and the text
the Unicode keystrokes leave is compared with the word; legacyconv is not used.

--language picks the language file (Vedrokan's by default) and --lists the lists
(hi, ne, mr). With --drawable-only (for a font Tolvar does not make, which lacks
letters) a word with a letter the font cannot draw (legacyconv --from-unicode
names it) is left out and counted apart; the goal holds for the rest.

Usage: wordlist_test.py --gkfcheck EXE (--legacyconv EXE | --unicode) [--language FILE]
                        [--lists hi,ne,mr] [--goal FRACTION] [--drawable-only --font NAME]
                        [--emulator CMD] [--failures FILE]
"""

import argparse
import gzip
import os
import subprocess
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)
import itrans_keys  # noqa: E402

# (name, file): hunspell .dic files list stems with affix flags after "/";
# aspell's compressed list (.cwl.gz) is read through precat.
WORD_LISTS = {"hi": ("Hindi (hunspell-hi)", "/usr/share/hunspell/hi_IN.dic"),
              "ne": ("Nepali (hunspell-ne)", "/usr/share/hunspell/ne_NP.dic"),
              "mr": ("Marathi (aspell-mr)", "/usr/share/aspell/mr.cwl.gz")}
LANGUAGE = os.path.join(REPO, "languages", "vedrokan", "Vedrokan.gkf")
BATCH_BYTES = 60000  # keys per gkfcheck run, well inside the argument length limit


def list_words(path):
    if path.endswith(".cwl.gz"):
        with gzip.open(path) as f:
            text = subprocess.run(["precat"], input=f.read(), capture_output=True,
                                  check=True).stdout.decode("utf-8")
        lines = text.splitlines()
    else:
        with open(path, encoding="utf-8") as f:
            lines = f.read().splitlines()[1:]  # the first line is the count
    words = []
    seen = set()
    for line in lines:
        word = unicodedata.normalize("NFC", line.split("/")[0].strip())
        if word and word not in seen:
            seen.add(word)
            words.append(word)
    return words


def type_words(command, key_strings, unicode=False):
    """Screen bytes (with unicode: the text) of each key string, typed one after the other
    with line feeds between (a key the language file does not map, so it ends the letter
    and reaches the screen)."""
    results = []
    batch = []
    size = 0

    def run():
        text = "\n".join(batch)
        mode = ["--unicode"] if unicode else []
        out = subprocess.run(command + [LANGUAGE] + mode + ["--type", text], capture_output=True,
                             check=True).stdout.decode("utf-8")
        if unicode:
            # The text runs to the end of the output, its line feeds included.
            parts = out[out.rindex("\ntext: ") + len("\ntext: "):].replace("\r\n", "\n")[:-1].split("\n")
        else:
            screen = [line for line in out.splitlines() if line.startswith("screen:")][-1]
            data = bytes(int(h, 16) for h in screen[len("screen:"):].split())
            parts = data.split(b"\n")
        if len(parts) != len(batch):
            raise RuntimeError("typed %d words, screen holds %d" % (len(batch), len(parts)))
        results.extend(parts)

    for keys in key_strings:
        if size + len(keys) + 1 > BATCH_BYTES:
            run()
            batch, size = [], 0
        batch.append(keys)
        size += len(keys) + 1
    if batch:
        run()
    return results


def legacyconv(command, mode, data):
    return subprocess.run(command + [mode], input=data, capture_output=True, check=False).stdout


def spell_words(words):
    """The words spelled in the key chart's keys, as (word, keys), and those
    that cannot be, with the reason."""
    spelled = []
    failures = []
    for word in words:
        keys, reason = itrans_keys.spell(word)
        if keys is None:
            failures.append("%s  %s" % (word, reason))
        else:
            spelled.append((word, keys))
    return spelled, failures


def check_list_unicode(title, words, gkfcheck, failure_lines):
    """Types one list with Unicode output; returns (words exact, words in all)."""
    spelled, failures = spell_words(words)
    typed = type_words(gkfcheck, [k for _, k in spelled], unicode=True)
    for i, (word, keys) in enumerate(spelled):
        got = unicodedata.normalize("NFC", typed[i])
        if got != word:
            failures.append("%s  keys %s  typed %s" % (word, keys, got))
    passed = len(words) - len(failures)
    print("%s: %d words, %d typed exactly in Unicode (%.2f%%)"
          % (title, len(words), passed, 100 * passed / len(words)))
    for line in failures:
        failure_lines.append("%s: %s" % (title, line))
    return passed, len(words)


def check_list(title, words, gkfcheck, converter, failure_lines):
    """Types one list; returns (words exact, words in all)."""
    spelled, failures = spell_words(words)
    typed = type_words(gkfcheck, [k for _, k in spelled])
    back = legacyconv(converter, "--to-unicode", b"\n".join(typed) + b"\n").decode("utf-8").split("\n")
    drawn = legacyconv(converter, "--from-unicode",
                       "\n".join(w for w, _ in spelled).encode("utf-8") + b"\n").split(b"\n")
    differ = 0
    for i, (word, keys) in enumerate(spelled):
        got = unicodedata.normalize("NFC", back[i])
        if got != word:
            failures.append("%s  keys %s  typed %s  came back %s" % (word, keys, typed[i].hex(" "), got))
        if drawn[i] != typed[i]:
            differ += 1
    passed = len(words) - len(failures)
    print("%s: %d words, %d typed and converted back exactly (%.2f%%); "
          "legacyconv --from-unicode draws %d with other bytes than typing does"
          % (title, len(words), passed, 100 * passed / len(words), differ))
    for line in failures:
        failure_lines.append("%s: %s" % (title, line))
    return passed, len(words)


def drawable(words, converter, font):
    """The words the font can draw, and how many it cannot."""
    out = subprocess.run(converter + ["--from-unicode", "--font", font],
                         input="\n".join(words).encode("utf-8") + b"\n", capture_output=True)
    lines = {int(line.split()[2].rstrip(":")) for line in out.stderr.decode().splitlines()
             if line.startswith("legacyconv: line ")}
    return [w for i, w in enumerate(words, 1) if i not in lines], len(lines)


def main():
    global LANGUAGE
    parser = argparse.ArgumentParser()
    parser.add_argument("--gkfcheck", required=True)
    group = parser.add_mutually_exclusive_group(required=True)
    group.add_argument("--legacyconv")
    group.add_argument("--unicode", action="store_true")
    parser.add_argument("--language", default=LANGUAGE)
    parser.add_argument("--lists", default="hi,ne,mr")
    parser.add_argument("--goal", type=float, default=0.999)
    parser.add_argument("--drawable-only", action="store_true")
    parser.add_argument("--font", default="")
    parser.add_argument("--drawn-by", default="", help="legacyconv for --drawable-only with --unicode")
    parser.add_argument("--emulator", default="")
    parser.add_argument("--failures", default="")
    args = parser.parse_args()
    LANGUAGE = os.path.abspath(args.language)
    emulator = args.emulator.split() if args.emulator else []
    gkfcheck = emulator + [args.gkfcheck]
    converter = emulator + [args.legacyconv] if args.legacyconv else None
    if converter:
        converter += ["--font", args.font] if args.font else []

    failure_lines = []
    ok = True
    for key in args.lists.split(","):
        title, path = WORD_LISTS[key]
        words = list_words(path)
        if args.drawable_only:
            words, left_out = drawable(words, emulator + [args.legacyconv or args.drawn_by], args.font)
            print("%s: %d words have a letter the font cannot draw and are left out" % (title, left_out))
        if args.unicode:
            passed, total = check_list_unicode(title, words, gkfcheck, failure_lines)
        else:
            passed, total = check_list(title, words, gkfcheck, converter, failure_lines)
        ok = ok and passed >= args.goal * total
    for line in failure_lines:
        print("FAIL " + line)
    if args.failures:
        with open(args.failures, "w", encoding="utf-8") as f:
            f.write("\n".join(failure_lines) + "\n")
    print("%d passed, %d failed" % (1 if ok else 0, 0 if ok else 1))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
