#!/usr/bin/python3
"""Every example of the key chart (README, section Vedrokan) types what it says.

The keys are typed through the real composer (gkfcheck --type) and the screen
bytes converted with legacyconv --to-unicode.

Usage: vedrokan_keys_test.py --gkfcheck EXE --legacyconv EXE
"""

import argparse
import os
import subprocess
import sys

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
LANGUAGE = os.path.join(REPO, "languages", "vedrokan", "Vedrokan.gkf")

CHART = [
    # vowels and vowel signs
    ("a", "अ"), ("aa", "आ"), ("A", "आ"), ("i", "इ"), ("ii", "ई"), ("I", "ई"), ("u", "उ"),
    ("uu", "ऊ"), ("U", "ऊ"), ("RRi", "ऋ"), ("R^i", "ऋ"), ("R", "ऋ"), ("e", "ए"), ("ai", "ऐ"),
    ("o", "ओ"), ("au", "औ"), ("oa", "ऑ"),
    ("ka", "क"), ("kaa", "का"), ("kA", "का"), ("ki", "कि"), ("kii", "की"), ("kI", "की"),
    ("ku", "कु"), ("kuu", "कू"), ("kU", "कू"), ("kRRi", "कृ"), ("kR", "कृ"), ("ke", "के"),
    ("kai", "कै"), ("ko", "को"), ("kau", "कौ"), ("koa", "कॉ"), ("k", "क्"),
    # consonants
    ("kha", "ख"), ("Ka", "ख"), ("gha", "घ"), ("Ga", "घ"), ("~Na", "ङ"), ("N^a", "ङ"),
    ("cha", "च"), ("ca", "च"), ("Cha", "छ"), ("Ca", "छ"), ("chha", "छ"), ("jha", "झ"), ("Ja", "झ"),
    ("~na", "ञ"), ("Tha", "ठ"), ("Dha", "ढ"), ("Na", "ण"), ("tha", "थ"), ("dha", "ध"),
    ("pha", "फ"), ("Pa", "फ"), ("bha", "भ"), ("Ba", "भ"), ("La", "ळ"), ("va", "व"), ("wa", "व"),
    ("sha", "श"), ("Sha", "ष"), ("Sa", "ष"), ("shha", "ष"), ("kSha", "क्ष"), ("xa", "क्ष"),
    ("j~na", "ज्ञ"), ("jna", "ज्ञ"), ("GYa", "ज्ञ"),
    ("qa", "क़"), (".ka", "क़"), (".kha", "ख़"), (".Ka", "ख़"), (".ga", "ग़"), ("za", "ज़"),
    (".ja", "ज़"), ("fa", "फ़"), (".pha", "फ़"), (".Da", "ड़"), (".Dha", "ढ़"),
    # signs, digits, clusters
    ("kaM", "कं"), ("meM", "में"), ("haiM", "हैं"), ("hai.n", "हैं"), ("maa.N", "माँ"),
    ("duHkha", "दुःख"), ("so.aham", "सोऽहम्"), ("raama..", "राम।"), ("|", "।"), ("||", "॥"),
    ("1947", "१९४७"), ("karma", "कर्म"), ("prema", "प्रेम"), ("Traka", "ट्रक"), ("shrii", "श्री"),
    ("anka", "अङ्क"), ("aMka", "अंक"), ("pancha", "पञ्च"), ("ghanTaa", "घण्टा"),
    ("namaste bhaarata", "नमस्ते भारत"), ("kShatriya", "क्षत्रिय"), ("j~naana", "ज्ञान"),
    ("sthaana", "स्थान"), ("tRRiShNaa", "तृष्णा"), ("la.Dakaa", "लड़का"), ("pa.Dhanaa", "पढ़ना"),
    (".gazala", "ग़ज़ल"), ("achchhaa", "अच्छा"), ("raama", "राम"), ("raam", "राम्"),
    ("ka_i", "कइ"), ("n_ka", "न्क"), ("ksha", "क्श"), ("lda", "ल्द"), ("FQ", ""),
    ("saMskRRita", "संस्कृत"), ("kiM", "किं"), ("ruupa", "रूप"), ("hRdaya", "हृदय"),
    ("sur.kha", "सुर्ख़"), ("vidyaarthii", "विद्यार्थी"), ("lakShmii", "लक्ष्मी"),
    ("'raama', \"shyaama\" - (sitaa)?", "'राम', \"श्याम\" - (सिता)?"),
    # letters added later: candra E, short e and o, RR, vocalic L, OM, eyelash RA, joiners
    (".c", "ऍ"), ("b.cTa", "बॅट"), ("k.cmeraa", "कॅमेरा"), ("gr.cma", "ग्रॅम"), ("r.clii", "रॅली"),
    ("E", "ऎ"), ("kE", "कॆ"), ("O", "ऒ"), ("kO", "कॊ"), ("RRI", "ॠ"), ("kRRI", "कॄ"), ("kRI", "कॄ"),
    ("LLi", "ऌ"), ("OM", "ॐ"), ("dusar^yaa", "दुसऱ्या"), ("r^haasa", "ऱ्हास"),
    ("shak+ti", "शक्\u200dति"), ("Ch/va", "छ्\u200cव"), ("k.", "क्."), ("l.Di", "ल्ड़ि"),
]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--gkfcheck", required=True)
    parser.add_argument("--legacyconv", required=True)
    args = parser.parse_args()
    failed = 0
    for keys, expected in CHART:
        out = subprocess.run([args.gkfcheck, LANGUAGE, "--type", keys], capture_output=True,
                             text=True, check=True).stdout
        screen = [line for line in out.splitlines() if line.startswith("screen:")][-1]
        data = bytes(int(h, 16) for h in screen[len("screen:"):].split())
        got = subprocess.run([args.legacyconv, "--to-unicode"], input=data, capture_output=True,
                             check=True).stdout.decode("utf-8")
        if got != expected:
            failed += 1
            print("FAIL %-12s expected %s, typed %s (%s)" % (keys, expected, got, data.hex(" ")))
    print("%d passed, %d failed" % (len(CHART) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
