#!/usr/bin/env bash
# The release archive is the same, byte for byte, when the Windows binaries are linked anew
# and it is packed again under another time zone; it holds the plug-in, its help
# page, the tool and the read-me, each as built.
set -euo pipefail
root=$(cd "${1:-$(pwd)}" && pwd)
work=$root/build-win32/e2e/release_archive
rm -rf "$work" && mkdir -p "$work"
DIST=$work/first bash "$root/scripts/package" >"$work/first.log" 2>&1 ||
  { tail -n 20 "$work/first.log"; echo "release archive: scripts/package failed"; exit 1; }
rm "$root/build-win32/gen_Varimo.dll" "$root/build-win32/tools/varimo/varimo.exe"
(TZ=Asia/Tokyo DIST=$work/second bash "$root/scripts/package") >"$work/second.log" 2>&1 ||
  { tail -n 20 "$work/second.log"; echo "release archive: the second scripts/package failed"; exit 1; }
first=$(ls "$work"/first/Varimo-*.zip)
second=$(ls "$work"/second/Varimo-*.zip)
cmp "$first" "$second" || { echo "release archive: two builds differ"; exit 1; }
/usr/bin/python3 - "$first" "$root" <<'PY'
import sys
import zipfile

archive, root = sys.argv[1], sys.argv[2]
top = archive.rsplit('/', 1)[1][:-len('.zip')]
sources = {f'{top}/readme.txt': None, f'{top}/varimo.exe': 'build-win32/tools/varimo/varimo.exe',
           f'{top}/Plugins/gen_Varimo.dll': 'build-win32/gen_Varimo.dll',
           f'{top}/Plugins/gen_Varimo.htm': 'resources/gen_Varimo.htm',
           f'{top}/Plugins/gen_Varimo.en.htm': 'resources/gen_Varimo.en.htm'}
with zipfile.ZipFile(archive) as z:
    assert z.testzip() is None, 'a damaged entry'
    infos = z.infolist()
    assert [i.filename for i in infos] == list(sources), [i.filename for i in infos]
    assert len({i.date_time for i in infos}) == 1, 'entries with different time stamps'
    for info in infos:
        data = z.read(info)
        if sources[info.filename]:
            assert data == open(f'{root}/{sources[info.filename]}', 'rb').read(), info.filename
    readme = z.read(f'{top}/readme.txt')
    assert readme.startswith(b'\xef\xbb\xbf') and b'\n' not in readme.replace(b'\r\n', b''), \
        'the read-me is not UTF-8 with a byte-order mark and CR LF'
    text = readme.decode('utf-8-sig')
    for word in ('インストール', 'Installing', 'Plugins\\gen_Varimo.ini', 'setup.exe'):
        assert word in text, f'the read-me never mentions {word}'
PY
echo "release archive: $(basename "$first") $(stat -c %s "$first") bytes, sha256" \
  "$(sha256sum "$first" | cut -d' ' -f1), the same from two builds"
