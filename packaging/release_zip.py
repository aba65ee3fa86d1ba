#!/usr/bin/python3
"""Writes the release archive so that the same inputs always give the same bytes: entries in
the order given, one fixed time stamp, DOS attributes, deflate at level 9. Text entries (a
source ending in .txt) become UTF-8 with a byte-order mark and CR LF, as Windows editors
read them best.

usage: release_zip.py OUT.zip YYYY-MM-DDTHH:MM:SS NAME=SOURCE..."""
import sys
import zipfile

out, stamp, entries = sys.argv[1], sys.argv[2], sys.argv[3:]
date_time = tuple(int(x) for x in stamp.replace('T', '-').replace(':', '-').split('-'))
with zipfile.ZipFile(out, 'w') as archive:
    for entry in entries:
        name, source = entry.split('=', 1)
        data = open(source, 'rb').read()
        if source.endswith('.txt'):
            text = data.decode('utf-8').replace('\r\n', '\n').replace('\n', '\r\n')
            data = b'\xef\xbb\xbf' + text.encode('utf-8')
        info = zipfile.ZipInfo(name, date_time)
        info.create_system = 0  # MS-DOS: the attributes below are DOS ones
        info.external_attr = 0x20  # archive
        info.compress_type = zipfile.ZIP_DEFLATED
        archive.writestr(info, data, compresslevel=9)
