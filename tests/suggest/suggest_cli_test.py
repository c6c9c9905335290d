#!/usr/bin/python3
"""suggest on hostile input: every input line gets exactly one output line,
candidates only for words of 1-32 letters a-z, and a bad line never disturbs
the lines after it.

usage: suggest_cli_test.py SUGGEST
"""
import subprocess
import sys

suggest = sys.argv[1]
failures = []


def check(what, ok):
    if not ok:
        failures.append(what)


def run(args, data):
    return subprocess.run([suggest] + args, input=data, capture_output=True, timeout=60)


lines = [b'mera', b'', b'\xe0\xa4\x95\xe0\xa4\xae', b'caf\xc3\xa9', b'\xff\xfe', b'a' * 10000, b'x\x00y',
         b'   ', b'NAAM\r', b'kya']
result = run(['--lang', 'hi'], b'\n'.join(lines))  # the last line without its line feed
check('exit status 0, got %d: %r' % (result.returncode, result.stderr), result.returncode == 0)
out = result.stdout.split(b'\n')
check('one line per input line and a final line feed, got %d lines' % (len(out) - 1),
      len(out) == len(lines) + 1 and out[-1] == b'')
if len(out) == len(lines) + 1:
    first = [o.split(b'\t')[0].decode('utf-8') for o in out[:-1]]
    for i, word in ((0, 'मेरा'), (8, 'नाम'), (9, 'क्या')):
        check('line %d: first candidate %s, got %r' % (i + 1, word, first[i]), first[i] == word)
    for i in range(1, 8):
        check('line %d (%r...): no candidates, got %r' % (i + 1, lines[i][:10], out[i][:40]), out[i] == b'')
    count = len(out[0].split(b'\t'))
    check('mera: 1-10 distinct candidates, got %d' % count,
          1 <= count <= 10 and len(set(out[0].split(b'\t'))) == count)

for lang in ('mr', 'ne'):
    result = run(['--lang', lang], b'ghar\n')
    check('%s: a candidate for ghar, got %r %r' % (lang, result.stdout, result.stderr),
          result.returncode == 0 and result.stdout.startswith('घर'.encode()))

result = run(['--lang', 'xx'], b'')
check('an unknown language: usage and exit 2, got %d' % result.returncode,
      result.returncode == 2 and b'usage' in result.stderr)
result = run(['--lang', 'hi', '--data', '/nonexistent'], b'mera\n')
check('missing data: exit 1 naming the file, got %d %r' % (result.returncode, result.stderr),
      result.returncode == 1 and b'/nonexistent/romanization.model' in result.stderr)

for f in failures:
    print('FAIL:', f)
print('%d failures' % len(failures))
sys.exit(1 if failures else 0)
