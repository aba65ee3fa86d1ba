#!/usr/bin/python3
"""`varimo extract --all` and `varimo cue` on the sample albums and on a ZIP with names that
must not be written. Members are checked against Python's own zipfile and the byte ranges
that `list --json` reports; cue sheets are read back with a small cue parser of this test's
own, not the plug-in's reader."""
import json
import os
import shutil
import subprocess
import sys
import zipfile

VARIMO, SAMPLES, WORK = sys.argv[1], sys.argv[2], sys.argv[3]
failures = []

# What make_samples puts in every album (titles decoded from their Shift-JIS bytes).
SONGS = [  # (title, artist, ms)
    ('桜 (Sakura)', 'Hanako', 21000),
    ('夜の海 (Yoru no Umi)', 'Hanako', 18000),
    ('Morning Drive', 'The Varimo Band', 16000),
    ('風 (Kaze)', 'Hanako', 24000),
    ('Interlude', 'The Varimo Band', 9000),
    ('Long Way Home', 'Hanako', 27000),
]
MEMBER_NAMES = [f'{i:02d} {title}.mp3' for i, (title, _, _) in enumerate(SONGS, 1)]


def check(condition, message):
    if not condition:
        failures.append(message)


def run(*args, cwd=WORK):
    p = subprocess.run([VARIMO, *args], cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    return p.returncode, p.stdout, p.stderr


def parse_cue(data, encoding):
    """The sheet as {'performer', 'title', 'files': [{'name', 'tracks': [...]}]}; every
    line must end in CR LF and every command must be one this parser knows."""
    check(data.endswith(b'\r\n') and b'\n' not in data.replace(b'\r\n', b''),
          'cue lines do not all end in CR LF')
    sheet = {'performer': None, 'title': None, 'files': []}
    track = None
    for raw in data.decode(encoding).split('\r\n')[:-1]:
        words = raw.strip().split(' ', 1)
        command, rest = words[0], words[1] if len(words) > 1 else ''
        quoted = rest[1:rest.index('"', 1)] if rest.startswith('"') else None
        if command == 'FILE':
            check(rest.endswith('" MP3'), f'FILE line without type MP3: {raw!r}')
            sheet['files'].append({'name': quoted, 'tracks': []})
        elif command == 'TRACK':
            number, kind = rest.split()
            check(kind == 'AUDIO', f'TRACK not AUDIO: {raw!r}')
            track = {'number': int(number), 'width': len(number), 'title': None,
                     'performer': None, 'index': None}
            sheet['files'][-1]['tracks'].append(track)
        elif command in ('TITLE', 'PERFORMER'):
            check(quoted is not None and rest == f'"{quoted}"', f'unquoted value: {raw!r}')
            (track if track else sheet)[command.lower()] = quoted
        elif command == 'INDEX':
            number, time = rest.split()
            check(number == '01', f'INDEX other than 01: {raw!r}')
            m, s, f = (int(x) for x in time.split(':'))
            check(s < 60 and f < 75 and len(time) == 8, f'bad cue time: {raw!r}')
            track['index'] = (m * 60 + s) * 1000 + f * 1000 // 75
        else:
            failures.append(f'unknown cue command: {raw!r}')
    return sheet


def tracks_of(sheet):
    return [t for f in sheet['files'] for t in f['tracks']]


def check_track_texts(sheet, songs, what):
    tracks = tracks_of(sheet)
    check([t['number'] for t in tracks] == list(range(1, len(songs) + 1)),
          f'{what}: tracks not numbered 1 to {len(songs)}')
    check(all(t['width'] == 2 for t in tracks), f'{what}: track numbers not two digits')
    check([(t['title'], t['performer']) for t in tracks] == [(s[0], s[1]) for s in songs],
          f'{what}: titles and performers {[(t["title"], t["performer"]) for t in tracks]}')


def album_ranges(album):
    status, out, _ = run('list', '--json', album, cwd=SAMPLES)
    return [(t['startPos'], t['endPos']) for t in json.loads(out)['tracks']]


# Every track of each member album, byte for byte, under the names single extraction uses.
for album in ('sampler.zip', 'sampler.lzh', 'sampler.pack.mp3'):
    out_dir = os.path.join(WORK, album + '.out')
    os.makedirs(out_dir)
    status, out, err = run('extract', '--all', os.path.join(SAMPLES, album), out_dir)
    check(status == 0 and err == b'', f'extract --all {album}: exit {status}, stderr {err!r}')
    names = sorted(os.listdir(os.fsencode(out_dir)))
    expected = sorted(n.encode('utf-8') for n in MEMBER_NAMES)
    check(names == expected, f'extract --all {album} wrote {names}')
    data = open(os.path.join(SAMPLES, album), 'rb').read()
    for name, (start, end) in zip(MEMBER_NAMES, album_ranges(album)):
        path = os.path.join(os.fsencode(out_dir), name.encode('utf-8'))
        check(os.path.exists(path) and open(path, 'rb').read() == data[start:end],
              f'extract --all {album}: {name} is not the bytes {start}..{end}')
    lines = out.decode('utf-8').splitlines()
    sizes = [end - start for start, end in album_ranges(album)]
    want = [f'{i:3d}  {n}  {s} bytes' for i, (n, s) in enumerate(zip(MEMBER_NAMES, sizes), 1)]
    want.append(f'6 tracks written to {out_dir} ({sum(sizes)} bytes)')
    check(lines == want, f'extract --all {album} printed {lines}')

with zipfile.ZipFile(os.path.join(SAMPLES, 'sampler.zip')) as z:
    for info in z.infolist():
        name = info.filename.encode('cp437' if not info.flag_bits & 0x800 else 'utf-8')
        written = os.path.join(os.fsencode(WORK), b'sampler.zip.out',
                               name.split(b'/')[-1].decode('cp932').encode('utf-8'))
        check(open(written, 'rb').read() == z.read(info),
              f'{name!r} differs from what zipfile reads')

# A ZIP whose names must not all be written: a device name, a colon, a name that an earlier
# member takes (Windows compares without case), and a path that climbs out of the folder.
members = []
with zipfile.ZipFile(os.path.join(SAMPLES, 'sampler.zip')) as z:
    members = [z.read(i) for i in z.infolist()]
hostile = [('CD1/01 Intro.mp3', members[0]), ('CD1/CON.mp3', members[1]),
           ('a:b.mp3', members[2]), ('CD2/01 intro.MP3', members[3]),
           ('../../escaped.mp3', members[4]), ('CD2/02 Outro.mp3', members[5])]
hostile_zip = os.path.join(WORK, 'hostile.zip')
with zipfile.ZipFile(hostile_zip, 'w', zipfile.ZIP_STORED) as z:
    for name, data in hostile:
        z.writestr(name, data)
nest = os.path.join(WORK, 'nest', 'inner')
os.makedirs(nest)
status, out, err = run('extract', '--all', hostile_zip, nest)
check(status == 1, f'extract --all hostile.zip: exit {status}')
check(sorted(os.listdir(nest)) == ['01 Intro.mp3', '02 Outro.mp3', 'escaped.mp3'],
      f'hostile.zip wrote {sorted(os.listdir(nest))}')
check(os.listdir(os.path.join(WORK, 'nest')) == ['inner'] and
      not os.path.exists(os.path.join(WORK, 'escaped.mp3')), 'a member was written outside DIR')
check(open(os.path.join(nest, '01 Intro.mp3'), 'rb').read() == members[0],
      'a later member of the same name replaced the first')
errors = err.decode().splitlines()
check(len(errors) == 3 and 'CD1/CON.mp3' in errors[0] and 'a:b.mp3' in errors[1] and
      'CD2/01 intro.MP3' in errors[2] and all('not written' in e for e in errors),
      f'hostile.zip refusals: {errors}')
check(out.decode().splitlines()[-1].startswith('3 of 6 tracks written to '),
      f'hostile.zip summary: {out.decode().splitlines()[-1:]}')

# Shift-JIS member names in folders ('\' and '/'): half-width katakana folders, whose UTF-8
# ends in bytes that Shift-JIS takes for lead bytes, and names whose 表 and ソ end in 0x5C.
# Every command writes or names the file after the last separator of the stored bytes.
sjis = [(b'\xb1\xd9\xca\xde\xd1\\04 \x8b\xc8.mp3', '04 曲.mp3'),  # ｱﾙﾊﾞﾑ\04 曲.mp3
        (b'\xbf\xcc\xc4/\x95\x5c.mp3', '表.mp3'),  # ｿﾌﾄ/表.mp3
        (b'\x95\x5c\\\x83\x5c\\\xc3\xde\xa8\xbd\xb8\\\x83\x5c\x95\x5c.mp3', 'ソ表.mp3')]
sjis_zip = os.path.join(WORK, 'shift_jis.zip')
with zipfile.ZipFile(sjis_zip, 'w', zipfile.ZIP_STORED) as z:  # ASCII stand-ins at first
    for i, (name, _) in enumerate(sjis):
        z.writestr(chr(ord('p') + i) * len(name), members[i])
data = open(sjis_zip, 'rb').read()
for i, (name, _) in enumerate(sjis):
    stand_in = chr(ord('p') + i).encode() * len(name)
    check(data.count(stand_in) == 2, f'shift_jis.zip: stand-in {i} not in both headers')
    data = data.replace(stand_in, name)
open(sjis_zip, 'wb').write(data)
sjis_out = os.path.join(WORK, 'shift_jis.out')
os.makedirs(sjis_out)
status, out, err = run('extract', sjis_zip, '0', sjis_out)
check(status == 0 and out.decode('utf-8') == os.path.join(sjis_out, '04 曲.mp3') + '\n',
      f'extract shift_jis.zip 0: exit {status}, printed {out!r}, stderr {err!r}')
status, out, err = run('extract', '--all', sjis_zip, sjis_out)
written = sorted(os.listdir(sjis_out))
check(status == 0 and written == sorted(n for _, n in sjis),
      f'extract --all shift_jis.zip: exit {status}, wrote {written}, stderr {err!r}')
for i, (_, name) in enumerate(sjis):
    path = os.path.join(sjis_out, name)
    check(os.path.exists(path) and open(path, 'rb').read() == members[i],
          f'shift_jis.zip: {name} is not member {i}')
status, out, err = run('cue', '--utf8', sjis_zip)
check(status == 0 and [f['name'] for f in parse_cue(out, 'utf-8')['files']] ==
      [n for _, n in sjis], f'cue --utf8 shift_jis.zip: exit {status}, sheet {out!r}')

# Cue sheets. A Cue album's tracks lie over the MP3 itself, at each song's start.
starts = [sum(s[2] for s in SONGS[:i]) for i in range(len(SONGS))]
for utf8 in (False, True):
    args = ['cue'] + (['--utf8'] if utf8 else []) + ['sampler.cue.mp3']
    status, out, err = run(*args, cwd=SAMPLES)
    check(status == 0 and err == b'', f'{args}: exit {status}, stderr {err!r}')
    sheet = parse_cue(out, 'utf-8' if utf8 else 'cp932')
    check([f['name'] for f in sheet['files']] == ['sampler.cue.mp3'],
          f'{args}: FILE entries {[f["name"] for f in sheet["files"]]}')
    check([t['index'] for t in tracks_of(sheet)] == starts,
          f'{args}: INDEX times {[t["index"] for t in tracks_of(sheet)]}, want {starts}')
    check(sheet['performer'] == 'Hanako' and sheet['title'] is None,
          f'{args}: album performer {sheet["performer"]!r}, title {sheet["title"]!r}')
    # The sample's cue sheet names only the album's performer.
    check_track_texts(sheet, [(s[0], 'Hanako', 0) for s in SONGS], ' '.join(args))

# Member albums: one FILE per track, named as extract --all names it, each from its start.
status, stored, _ = run('cue', 'sampler.zip', cwd=SAMPLES)
status_utf8, utf8_out, _ = run('cue', '--utf8', 'sampler.zip', cwd=SAMPLES)
check(stored.decode('cp932') == utf8_out.decode('utf-8'),
      'cue and cue --utf8 of sampler.zip differ in more than the encoding')
for album, encoding in (('sampler.zip', 'utf-8'), ('sampler.lzh', 'cp932'),
                        ('sampler.pack.mp3', 'cp932')):
    args = ['cue'] + (['--utf8'] if encoding == 'utf-8' else []) + [album]
    status, out, err = run(*args, cwd=SAMPLES)
    check(status == 0 and err == b'', f'{args}: exit {status}, stderr {err!r}')
    sheet = parse_cue(out, encoding)
    written = sorted(n.decode('utf-8') for n in os.listdir(os.path.join(
        os.fsencode(WORK), (album + '.out').encode())))
    check(sorted(f['name'] for f in sheet['files']) == written,
          f'{args}: FILE entries are not the files extract --all wrote')
    check(all(len(f['tracks']) == 1 and f['tracks'][0]['index'] == 0 for f in sheet['files']),
          f'{args}: not one track from 00:00:00 per FILE')
    check(sheet['title'] == 'Varimo Sampler', f'{args}: album title {sheet["title"]!r}')
    check_track_texts(sheet, SONGS, ' '.join(args))

status, out, err = run('cue', hostile_zip)
sheet = parse_cue(out, 'cp932')
check(status == 1 and [f['name'] for f in sheet['files']] ==
      ['01 Intro.mp3', 'escaped.mp3', '02 Outro.mp3'] and len(err.decode().splitlines()) == 3,
      f'cue hostile.zip: exit {status}, FILE entries {[f["name"] for f in sheet["files"]]}')

# Errors: a message on standard error, nothing on standard output, the documented codes.
cases = [  # (arguments, exit status)
    (['extract', '--all', 'plain.mp3', WORK], 1),
    (['extract', '--all', 'sampler.cue.mp3', WORK], 1),
    (['extract', '--all', 'sampler.zip', os.path.join(WORK, 'missing')], 1),
    (['extract', '--all', 'no such file.zip', WORK], 1),
    (['cue', 'plain.mp3'], 1),
    (['cue', 'no such file.zip'], 1),
    (['cue'], 2),
    (['cue', '--json', 'sampler.zip'], 2),
    (['extract', '--all', 'sampler.zip'], 2),
    (['extract', 'sampler.zip', '9', WORK], 1),
    (['frobnicate'], 2),
    ([], 2),
]
for args, want in cases:
    status, out, err = run(*args, cwd=SAMPLES)
    check(status == want and out == b'' and err.startswith(b'varimo: ') or
          (not args and status == 2 and out == b'' and err.startswith(b'usage:')),
          f'varimo {args}: exit {status} (want {want}), stdout {out[:60]!r}, stderr {err[:80]!r}')

status, out, _ = run('--version')
check(status == 0 and out == b'varimo 1.62\n', f'--version printed {out!r}')
status, out, _ = run('--help')
text = out.decode()
check(status == 0 and 'Exit status:' in text and all(
    f'varimo {c}' in text.split('Examples:')[1] for c in ('list', 'info', 'extract', 'cue')),
      'varimo --help lacks the exit codes or an example for every command')
for command in ('list', 'info', 'extract', 'cue'):
    status, out, _ = run(command, '--help')
    check(status == 0 and 'Examples:' in out.decode() and 'Exit status' in out.decode(),
          f'varimo {command} --help has no examples or exit status')

for f in failures:
    print(f)
print('the album export commands behave' if not failures else f'{len(failures)} failures')
sys.exit(1 if failures else 0)
