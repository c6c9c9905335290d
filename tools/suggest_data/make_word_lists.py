#!/usr/bin/python3
"""Writes the suggestion engine's word lists, suggest/data/{hi,mr,ne}.words.

hi: the Hindi word forms of the OpenSubtitles 2018 frequency list with their
    counts, with the words of Debian's hunspell-hi and the native words of the
    Dakshina training split (count 0 where the frequency list lacks them);
mr: Debian's aspell-mr master word list (`aspell -l mr dump master`);
ne: Debian's hunspell-ne stems (the affix classes are not expanded: a stem
    with its 96-suffix classes would make the list several times longer).
No counts are known for mr and ne: every word has 0.

Only words of Devanagari letters and signs (U+0900..U+0963, U+0971..U+097F)
are kept. Reproducible: the same sources give the same files.

usage: make_word_lists.py DATA_DIR OUT_DIR
DATA_DIR holds romanized-hi/dakshina-hi-train.tsv and hi-frequency/hi-opensubtitles2018.txt.
"""
import os
import subprocess
import sys


def devanagari_word(w):
    return bool(w) and all(0x900 <= ord(c) <= 0x963 or 0x971 <= ord(c) <= 0x97F for c in w) \
        and not (0x93A <= ord(w[0]) <= 0x94F or 0x951 <= ord(w[0]) <= 0x957 or 0x900 <= ord(w[0]) <= 0x903
                 or ord(w[0]) in (0x93C, 0x962, 0x963))


def hunspell_stems(path):
    with open(path, encoding='utf-8') as f:
        lines = f.read().split('\n')[1:]
    return [line.split('/')[0].strip() for line in lines if line.strip()]


def write(path, counts):
    with open(path, 'w', encoding='utf-8', newline='\n') as f:
        f.write('tolvar-words 1\n')
        for w in sorted(counts):
            f.write('%s\t%d\n' % (w, counts[w]))
    print('%s: %d words' % (path, len(counts)))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    data, out = sys.argv[1], sys.argv[2]
    hi = {}
    with open(os.path.join(data, 'hi-frequency', 'hi-opensubtitles2018.txt'), encoding='utf-8') as f:
        for line in f:
            w, c = line.split()
            if devanagari_word(w):
                hi[w] = hi.get(w, 0) + int(c)
    extra = hunspell_stems('/usr/share/hunspell/hi_IN.dic')
    with open(os.path.join(data, 'romanized-hi', 'dakshina-hi-train.tsv'), encoding='utf-8') as f:
        extra += [line.split('\t')[0] for line in f]
    for w in extra:
        if devanagari_word(w):
            hi.setdefault(w, 0)
    write(os.path.join(out, 'hi.words'), hi)

    dump = subprocess.run(['aspell', '-l', 'mr', 'dump', 'master'], check=True, capture_output=True,
                          encoding='utf-8').stdout
    write(os.path.join(out, 'mr.words'), {w: 0 for w in dump.split() if devanagari_word(w)})
    write(os.path.join(out, 'ne.words'),
          {w: 0 for w in hunspell_stems('/usr/share/hunspell/ne_NP.dic') if devanagari_word(w)})


main()
