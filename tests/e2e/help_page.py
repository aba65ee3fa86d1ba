#!/usr/bin/python3
"""The help page the plug-in shows in the host's mini browser: its bytes are in the charset it
declares, its elements nest and close, and it names every popup menu item and every hot key
command with the exact caption the user sees in the page's language.

help_page.py PAGE [japanese|english]"""
import html.parser
import os
import re
import sys

PAGE = sys.argv[1]
LANGUAGE = sys.argv[2] if len(sys.argv) > 2 else 'japanese'
if LANGUAGE not in ('japanese', 'english'):
    sys.exit(f'no language {LANGUAGE!r}')
# The plug-in's caption table: one row {TCaption::kId, u8"Japanese", u8"English"} per line.
TABLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'src', 'common',
                     'captions.cpp')


def read_captions(path):
    text = r'u8"((?:[^"\\]|\\.)*)"'
    rows = re.findall(r'^\s*\{TCaption::(k\w+),\s*' + text + r',\s*' + text + r'\},\s*$',
                      open(path, encoding='utf-8').read(), re.M)
    if not rows:
        sys.exit(f'no caption rows in {path}')
    column = 1 if LANGUAGE == 'japanese' else 2
    return [(row[0], re.sub(r'\\(.)', r'\1', row[column])) for row in rows]


CAPTIONS = read_captions(TABLE)
CAPTION = dict(CAPTIONS)
# The table keeps each group in the order it is shown.
POPUP_CAPTIONS = [text for name, text in CAPTIONS if name.startswith('kPopup')]
HOTKEY_CAPTIONS = [text for name, text in CAPTIONS if name.startswith('kCommand')]
# Pages of the options dialog, the messages, and words the page must explain.
MENTIONS = ([text for name, text in CAPTIONS if name.startswith('kPage')] +
            [CAPTION[name] for name in ('kMessageCannotRegister', 'kMessageWriteError',
                                        'kExtractFolderTitle', 'kLanguageLabel',
                                        'kLanguageFollowSystem')] +
            ['Plugins\\gen_Varimo.ini', 'Alt + 3', 'Ctrl + P', 'F1', 'Delete'] +
            (['25 ドット', '29 ドット'] if LANGUAGE == 'japanese' else
             ['25 pixels', '29 pixels', 'Language']))
VOID = {'meta', 'br', 'hr', 'img', 'link', 'input', 'col', 'area', 'base', 'param'}

failures = []
data = open(PAGE, 'rb').read()
declared = re.search(rb'<meta http-equiv="Content-Type" content="text/html; charset=([\w-]+)">',
                     data[:1024], re.I)
if not declared:
    sys.exit('no Content-Type meta in the first 1024 bytes, where old browsers look for it')
charset = declared.group(1).decode()
try:
    text = data.decode(charset)
except (UnicodeDecodeError, LookupError) as e:
    sys.exit(f'the bytes are not {charset}: {e}')
if data.startswith(b'\xef\xbb\xbf') and charset.lower() != 'utf-8':
    failures.append(f'a UTF-8 byte-order mark on a page that declares {charset}')
if text.index('<meta') > text.index('<title'):
    failures.append('the charset is declared after the title')


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.open, self.seen, self.cells, self.cell = [], set(), {}, None

    def handle_starttag(self, tag, attrs):
        self.seen.add(tag)
        if tag == 'script':
            failures.append('a script: the page is plain HTML')
        if tag in VOID:
            return
        self.open.append(tag)
        if tag == 'td':
            self.cell = [dict(attrs).get('class'), '']

    def handle_endtag(self, tag):
        if tag in VOID:
            return
        if not self.open or self.open[-1] != tag:
            failures.append(f'</{tag}> closes <{self.open[-1] if self.open else None}> '
                            f'at line {self.getpos()[0]}')
            return
        self.open.pop()
        if tag == 'td' and self.cell:
            self.cells.setdefault(self.cell[0], []).append(self.cell[1].replace('\xa0', ' '))
            self.cell = None

    def handle_data(self, data):
        if self.cell:
            self.cell[1] += data


page = Page()
page.feed(text)
page.close()
if page.open:
    failures.append(f'elements left open: {page.open}')
for tag in ('html', 'head', 'title', 'body'):
    if tag not in page.seen:
        failures.append(f'no <{tag}>')
if page.cells.get('menu') != POPUP_CAPTIONS:
    failures.append(f'popup menu items {page.cells.get("menu")}')
if page.cells.get('cmd') != HOTKEY_CAPTIONS:
    failures.append(f'hot key commands {page.cells.get("cmd")}')
for word in MENTIONS:
    if word not in text:
        failures.append(f'the page never mentions {word!r}')
for f in failures:
    print(f)
print('the help page is sound' if not failures else f'{len(failures)} failures')
sys.exit(1 if failures else 0)
