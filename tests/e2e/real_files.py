#!/usr/bin/python3
"""Albums made by real tools (lame, id3v2, eyeD3, mid3v2, zip -0, jlha) checked against what
`varimo list --json` reports. The expectations come from the tools' own view of the files:
zipfile's member offsets, mutagen's frames, the ID3v1 block's bytes."""
import json
import os
import shutil
import struct
import subprocess
import sys

from mutagen.id3 import ID3, ID3NoHeaderError

VARIMO, WORK = sys.argv[1], sys.argv[2]


def run(*cmd, **kw):
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kw)


def make_members():
    """Three LAME-encoded members tagged by three different taggers."""
    os.makedirs(WORK, exist_ok=True)
    specs = [  # (seconds, tagger)
        (3, 'id3v2'), (5, 'mid3v2'), (4, 'eyed3'), (2, 'none'), (6, 'vbr')]
    names = []
    for i, (seconds, tagger) in enumerate(specs, 1):
        wav, mp3 = f'{WORK}/t{i}.wav', f'{WORK}/{i:02d} Song {i}.mp3'
        run('sox', '-n', '-r', '44100', '-c', '2', wav, 'synth', str(seconds), 'sine', str(200 * i))
        if tagger == 'vbr':
            run('lame', '--quiet', '-V', '2', wav, mp3)
            run('id3v2', '-t', 'Variable', '-a', 'Artist A', mp3)
        else:
            run('lame', '--quiet', '-b', '128', wav, mp3)
        if tagger == 'id3v2':
            run('id3v2', '-t', 'Title One', '-a', 'Artist A', '-A', 'Album X', '-T', '1',
                '-y', '2001', '-g', '17', '-c', 'short', mp3)
        elif tagger == 'mid3v2':
            run('mid3v2', '-t', 'Title Two', '-a', 'Artist B', '-A', 'Album X', '-T', '2/4',
                '-y', '2002', '-c', 'desc:' + 'a long comment ' * 12 + ':eng', mp3)
        elif tagger == 'eyed3':
            run('eyeD3', '--encoding', 'latin1', '--to-v2.4', '-t', 'Title Three', '-a',
                'Artist A', '-A', 'Album X', '-n', '3', '--recording-date', '2003',
                '--add-comment', 'x' * 300 + ':d', mp3)
        names.append(mp3)
    return names


def v1_fields(block):
    if block[:3] != b'TAG':
        return None
    trim = lambda b: b.rstrip(bytes(range(0, 33)))
    comment = block[97:127].split(b'\0')[0]
    track = b'' if len(comment) >= 29 or block[126] == 0 else b'%02d' % block[126]
    return {'title': trim(block[3:33]), 'artist': trim(block[33:63]), 'album': trim(block[63:93]),
            'year': trim(block[93:97]), 'track': track}


def v2_fields(data):
    """The single-byte-encoded texts of the member's ID3v2 tag, as mutagen reads them."""
    try:
        tag = ID3(fileobj=__import__('io').BytesIO(data), translate=False)
    except ID3NoHeaderError:
        return {}
    out = {}
    for frame_id, key in (('TPE1', 'artist'), ('TIT2', 'title'), ('TALB', 'album'),
                          ('TRCK', 'track'), ('TYER', 'year')):
        frame = tag.get(frame_id)
        if frame is not None and frame.encoding == 0:
            out[key] = str(frame.text[0]).encode('latin1')
    if 'year' not in out and 'TDRC' in tag and tag['TDRC'].encoding == 0:
        out['year'] = str(tag['TDRC'].text[0])[:4].encode('latin1')
    return out


MPEG1_L3_KBPS = [0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0]


def first_kbps(data):
    """The bit rate of the member's first frame, which sits right after its ID3v2 tag."""
    pos = 0
    if data[:3] == b'ID3':
        s = data[6:10]
        pos = (s[0] << 21 | s[1] << 14 | s[2] << 7 | s[3]) + 10
    header = data[pos:pos + 4]
    assert header[0] == 0xFF and header[1] & 0xF0 == 0xF0, 'no frame right after the tag'
    return MPEG1_L3_KBPS[header[2] >> 4]


def expected_tracks(album_bytes, members, kind):
    tracks = []
    for name, start, end in members:
        data = album_bytes[start:end]
        t = {'fileName': name, 'artist': b'', 'title': b'', 'album': b'', 'track': b'',
             'year': b''}
        t['title'] = os.path.splitext(name.split('/')[-1])[0].encode() if kind == 'ZIP' else name.encode()
        v1 = v1_fields(data[-128:])
        if v1:
            t.update(v1)
        for key, value in v2_fields(data).items():
            if value:
                t[key] = value
        t.update(startPos=start, endPos=end, lengthMs=(end - start) * 8 // first_kbps(data))
        tracks.append(t)
    start_ms = 0
    for t in tracks:
        t['startMs'] = start_ms
        start_ms += t['lengthMs']
        s = t['lengthMs'] // 1000
        t['time'] = '%02d%02d' % (s // 60, s % 60)
    if all(t['artist'] == tracks[0]['artist'] for t in tracks):
        for t in tracks:
            t['artist'] = b''
    for i, t in enumerate(tracks):
        t['mark'] = 101 if i == 0 else 0
        for key in ('artist', 'title', 'album', 'track', 'year'):
            t[key] = t[key].decode('latin1')
    return tracks


def zip_members(path):
    import zipfile
    raw = open(path, 'rb').read()
    out = []
    for info in zipfile.ZipFile(path).infolist():
        n, e = struct.unpack('<HH', raw[info.header_offset + 26:info.header_offset + 30])
        start = info.header_offset + 30 + n + e
        if info.compress_size:
            out.append((info.filename, start, start + info.compress_size))
    return raw, out


def lha_members(path):
    raw = open(path, 'rb').read()
    out, pos = [], 0
    while pos + 26 <= len(raw) and raw[pos:pos + 2] != b'\0\0' and raw[pos] != 0:
        size, method, packed = struct.unpack('<H5sI', raw[pos:pos + 11])
        ext, name, next_size = pos + 26, '', struct.unpack('<H', raw[pos + 24:pos + 26])[0]
        while next_size:
            if raw[ext] == 1:
                name = raw[ext + 1:ext + next_size - 2].decode('latin1')
            ext, next_size = ext + next_size, struct.unpack('<H', raw[ext + next_size - 2:ext + next_size])[0]
        start = pos + size
        out.append((name, start, start + packed))
        pos = start + packed
    return raw, out


RATES = [44100, 48000, 32000, 0]
MODES = ['Stereo', 'JointStereo', 'DualChannel', 'SingleChannel']


def expected_mpeg_lines(raw, start, end):
    """The frame walk of the file information, done the plain way: from the first header
    after the member's tag, frame by frame up to the member's end."""
    data = raw[start:end]
    pos = 0
    if data[:3] == b'ID3':
        s = data[6:10]
        pos = (s[0] << 21 | s[1] << 14 | s[2] << 7 | s[3]) + 10
    header_at, frames, total, rates, last = pos, 0, [], [], None
    while pos + 4 <= len(data) and data[pos] == 0xFF and data[pos + 1] & 0xF0 == 0xF0:
        h = data[pos:pos + 4]
        kbps, rate = MPEG1_L3_KBPS[h[2] >> 4], RATES[(h[2] >> 2) & 3]
        frames += 1
        rates.append(kbps)
        last = h
        pos += int(144 * kbps * 1000 / rate) + ((h[2] >> 1) & 1)
    vbr = len(set(rates)) > 1
    bitrate = sum(rates) // frames if vbr else rates[0]
    rate = RATES[(last[2] >> 2) & 3]
    yes = lambda bit: 'Yes' if bit else 'No'
    return [f'Size: {end - start} bytes', f'Header found at: {header_at} bytes',
            f'Length: {frames * 1152 // rate} seconds', 'MPEG 1.0 layer 3',
            f'{bitrate}kbit{" (VBR)" if vbr else ""}, {frames} frames',
            f'{rate}Hz {MODES[last[3] >> 6]}', f'CRCs: {yes(not last[1] & 1)}',
            f'Copyrighted: {yes(last[3] & 8)}', f'Original: {yes(last[3] & 4)}',
            'Emphasis: ' + ['None', '50/15', '-?-', 'CCIT J.17'][last[3] & 3]]


def check(path, kind, members_of):
    raw, members = members_of(path)
    want = expected_tracks(raw, members, kind)
    got = json.loads(subprocess.run([VARIMO, 'list', '--json', path], check=True,
                                    capture_output=True).stdout)
    assert got['kind'] == kind, (path, got['kind'])
    keys = ('fileName', 'artist', 'title', 'album', 'track', 'year', 'time', 'startMs',
            'lengthMs', 'startPos', 'endPos', 'mark')
    got_tracks = [{k: t[k] for k in keys} for t in got['tracks']]
    want_tracks = [{k: t[k] for k in keys} for t in want]
    if got_tracks != want_tracks:
        for g, w in zip(got_tracks, want_tracks):
            if g != w:
                print('got ', g, '\nwant', w)
        raise SystemExit(f'{path}: the track list differs ({len(got_tracks)} vs {len(want_tracks)})')
    for index, (name, start, end) in enumerate(members):
        info = json.loads(subprocess.run([VARIMO, 'info', '--json', path, str(index)], check=True,
                                         capture_output=True).stdout)
        want_lines = expected_mpeg_lines(raw, start, end)
        if info['mpeg'] != want_lines:
            raise SystemExit(f'{path} track {index}: MPEG lines\n got  {info["mpeg"]}\n want {want_lines}')
    print(f'{os.path.basename(path)}: {len(got_tracks)} tracks and their frame analyses as expected')


def main():
    shutil.rmtree(WORK, ignore_errors=True)
    names = make_members()
    folder = f'{WORK}/Album'
    os.makedirs(folder)
    for n in names:
        shutil.copy(n, folder)
    base = [os.path.basename(n) for n in names]
    run('zip', '-q', '-0', f'{WORK}/album.zip', *[f'Album/{b}' for b in base], cwd=WORK)
    run('jlha', 'az', f'{WORK}/album.lzh', *base, cwd=folder)
    check(f'{WORK}/album.zip', 'ZIP', zip_members)
    check(f'{WORK}/album.lzh', 'LHA', lha_members)


main()
