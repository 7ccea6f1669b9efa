#!/usr/bin/env python3
"""Writes the help document app/DivorHelp.doc from its source app/DivorHelp.txt.

The document is RTF under the name the help menu opens, readable by any word
processor: pure ASCII, every Greek letter written as a Unicode escape, so no
code page can garble it. Its headings carry heading styles with outline
levels (the word processor's navigator lists them and a PDF made from it has
bookmarks), it opens with a contents field that lists them, and every page
has its number in the footer.

Source, one paragraph per line (blank lines are ignored):
  title: TEXT         the document's title
  subtitle: TEXT      the line under it
  [contents]          the contents list of every heading
  = TEXT              chapter heading
  == TEXT             section heading
  - TEXT              bullet
  -- TEXT             bullet one level in
  N. TEXT             numbered step (the number as written)
  > TEXT              note set off by a bar on its left
  [table W1 W2 ...]   a table with columns W1, W2, ... twips wide; its rows
  | A | B | ... |     follow one a line, the first is the heading row
  [/table]
  anything else       a paragraph of text
Within text, **TEXT** is bold and <br> breaks the line.

The contents list holds each heading's page. When LibreOffice (soffice) and
pdftotext are installed the script lays the document out to find them;
without them the pages are left as '?'. CI does not run this script: the
document it writes is committed.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE = os.path.join(ROOT, 'app', 'DivorHelp.txt')
TARGET = os.path.join(ROOT, 'app', 'DivorHelp.doc')

TEXT_WIDTH = 11906 - 1247 - 1247  # A4 less the side margins, twips

STYLE_NORMAL, STYLE_H1, STYLE_H2, STYLE_TITLE, STYLE_SUBTITLE = 0, 1, 2, 3, 4
STYLE_TOC_HEADING, STYLE_TOC1, STYLE_TOC2, STYLE_FOOTER = 5, 6, 7, 8

# Paragraph properties of each style, repeated on every paragraph of it as
# word processors expect.
BODY = r'\f0\fs22\sa120\sl276\slmult1'
STYLES = {
    STYLE_NORMAL: ('Normal', BODY),
    STYLE_H1: ('heading 1', r'\keepn\f0\fs30\b\sb360\sa160\outlinelevel0'),
    STYLE_H2: ('heading 2', r'\keepn\f0\fs24\b\sb240\sa100\outlinelevel1'),
    STYLE_TITLE: ('Title', r'\f0\fs36\b\qc\sa240'),
    STYLE_SUBTITLE: ('Subtitle', r'\f0\fs24\i\qc\sa360'),
    STYLE_TOC_HEADING: ('TOC Heading', r'\keepn\f0\fs28\b\sb240\sa120'),
    STYLE_TOC1: ('toc 1', r'\f0\fs20\sb60\tqr\tldot\tx%d' % TEXT_WIDTH),
    STYLE_TOC2: ('toc 2', r'\f0\fs20\li284\tqr\tldot\tx%d' % TEXT_WIDTH),
    STYLE_FOOTER: ('footer', r'\f0\fs18\qc'),
}


def escape(text):
    """Text as RTF: the three special characters escaped, all else ASCII."""
    out = []
    for ch in text:
        code = ord(ch)
        if ch in '\\{}':
            out.append('\\' + ch)
        elif ch == '\t':
            out.append('\\tab ')
        elif code < 128:
            out.append(ch)
        else:
            if code > 0xFFFF:
                raise ValueError('character outside the 16-bit range: %r' % ch)
            out.append('\\u%d?' % (code - 65536 if code > 32767 else code))
    return ''.join(out)


def inline(text):
    """Text with **bold** and <br> made RTF."""
    parts = re.split(r'(\*\*.+?\*\*|<br>)', text)
    out = []
    for p in parts:
        if p == '<br>':
            out.append('\\line ')
        elif p.startswith('**') and p.endswith('**') and len(p) > 4:
            out.append('{\\b ' + escape(p[2:-2]) + '}')
        else:
            out.append(escape(p))
    return ''.join(out)


def paragraph(style, extra, body):
    return '\\pard\\plain\\s%d%s%s %s\\par\n' % (style, STYLES[style][1], extra, body)


def plain_text(text):
    """What a reader sees of a source text: the markup taken away."""
    return text.replace('**', '').replace('<br>', ' ')


def parse(lines):
    """The document as a list of blocks."""
    blocks = []
    table = None
    for number, raw in enumerate(lines, 1):
        line = raw.rstrip('\n').strip()
        if not line:
            continue
        where = '%s:%d' % (os.path.basename(SOURCE), number)
        if table is not None:
            if line == '[/table]':
                blocks.append(('table', table))
                table = None
            elif line.startswith('|') and line.endswith('|'):
                cells = [c.strip() for c in line[1:-1].split(' | ')]
                if len(cells) != len(table['widths']):
                    sys.exit('%s: %d cells in a table of %d columns' % (where, len(cells), len(table['widths'])))
                table['rows'].append(cells)
            else:
                sys.exit('%s: a table row must start and end with |' % where)
            continue
        m = re.match(r'\[table((?: \d+)+)\]$', line)
        if m:
            table = {'widths': [int(w) for w in m.group(1).split()], 'rows': []}
            continue
        for prefix, kind in (('title: ', 'title'), ('subtitle: ', 'subtitle'), ('== ', 'h2'), ('= ', 'h1'),
                             ('-- ', 'bullet2'), ('- ', 'bullet'), ('> ', 'note')):
            if line.startswith(prefix):
                blocks.append((kind, line[len(prefix):]))
                break
        else:
            m = re.match(r'(\d+)\. (.*)$', line)
            if m:
                blocks.append(('step', (m.group(1), m.group(2))))
            elif line == '[contents]':
                blocks.append(('contents', None))
            else:
                blocks.append(('text', line))
    if table is not None:
        sys.exit('%s: a table is never closed' % os.path.basename(SOURCE))
    return blocks


def table_rtf(table):
    border = ''.join('\\clbrdr%s\\brdrs\\brdrw10' % side for side in 'tlbr')
    out = []
    for r, cells in enumerate(table['rows']):
        heading = r == 0
        # A row is kept on one page; the heading row repeats on every page.
        row = '\\trowd\\trgaph85\\trleft0\\trkeep' + ('\\trhdr' if heading else '')
        right = 0
        for w in table['widths']:
            right += w
            row += border + ('\\clcbpat2' if heading else '') + '\\clvertalt\\cellx%d' % right
        out.append(row + '\n')
        for c in cells:
            body = inline(c)
            if heading:
                body = '{\\b ' + body + '}'
            out.append('\\pard\\plain\\intbl\\s%d\\f0\\fs19\\sa40\\sl252\\slmult1 %s\\cell\n' % (STYLE_NORMAL, body))
        out.append('\\row\n')
    out.append('\\pard\\plain\\s%d%s \\par\n' % (STYLE_NORMAL, BODY))
    return ''.join(out)


def headings_of(blocks):
    return [(kind, text) for kind, text in blocks if kind in ('h1', 'h2')]


def bookmark(i):
    return '_Toc%03d' % (i + 1)


def contents_rtf(headings, pages):
    out = [paragraph(STYLE_TOC_HEADING, '', escape('Περιεχόμενα'))]
    # The word processor can refill the field (F9); until then its list is
    # the one written here, with the pages the layout gave.
    out.append('{\\field\\fldedit{\\*\\fldinst { TOC \\\\o "1-2" \\\\h \\\\z \\\\u }}{\\fldrslt\n')
    for i, (kind, text) in enumerate(headings):
        style = STYLE_TOC1 if kind == 'h1' else STYLE_TOC2
        page = '{\\field{\\*\\fldinst { PAGEREF %s \\\\h }}{\\fldrslt %s}}' % (bookmark(i), pages[i])
        link = '{\\field{\\*\\fldinst { HYPERLINK \\\\l "%s" }}{\\fldrslt %s\\tab %s}}' % (
            bookmark(i), escape(plain_text(text)), page)
        out.append(paragraph(style, '', link))
    out.append('}}\n')
    return ''.join(out)


def document(blocks, pages, page_count):
    headings = headings_of(blocks)
    title = next((t for k, t in blocks if k == 'title'), 'Velantra')
    out = ['{\\rtf1\\ansi\\ansicpg1253\\deff0\\uc1',
           '{\\fonttbl{\\f0\\fswiss\\fcharset161 Arial;}}',
           '{\\colortbl;\\red0\\green0\\blue0;\\red221\\green221\\blue221;}']
    styles = []
    for number, (name, props) in sorted(STYLES.items()):
        styles.append('{%s%s\\sbasedon0\\snext0 %s;}' % ('\\s%d' % number if number else '', props, name))
    out.append('{\\stylesheet' + ''.join(styles) + '}')
    out.append('{\\info{\\title %s}}' % escape(plain_text(title)))
    out.append('\\paperw11906\\paperh16838\\margl1247\\margr1247\\margt1134\\margb1134\\deflang1032\\widowctrl')
    out.append('{\\footer' + paragraph(STYLE_FOOTER, '', escape('Σελίδα ') +
                                       '{\\field{\\*\\fldinst { PAGE }}{\\fldrslt 1}}' + escape(' από ') +
                                       '{\\field{\\*\\fldinst { NUMPAGES }}{\\fldrslt %s}}' % page_count) + '}')
    body = []
    heading = 0
    # The guide itself starts on the page after the contents.
    new_page = False
    for kind, value in blocks:
        if kind == 'title':
            body.append(paragraph(STYLE_TITLE, '', inline(value)))
        elif kind == 'subtitle':
            body.append(paragraph(STYLE_SUBTITLE, '', inline(value)))
        elif kind == 'contents':
            body.append(contents_rtf(headings, pages))
            new_page = True
        elif kind in ('h1', 'h2'):
            mark = bookmark(heading)
            heading += 1
            body.append(paragraph(STYLE_H1 if kind == 'h1' else STYLE_H2, '\\pagebb' if new_page else '',
                                  '{\\*\\bkmkstart %s}%s{\\*\\bkmkend %s}' % (mark, inline(value), mark)))
            new_page = False
        elif kind == 'bullet':
            body.append(paragraph(STYLE_NORMAL, '\\sa80\\fi-284\\li567\\tx567', escape('•') + '\\tab ' + inline(value)))
        elif kind == 'bullet2':
            body.append(paragraph(STYLE_NORMAL, '\\sa60\\fi-284\\li1134\\tx1134', escape('–') + '\\tab ' + inline(value)))
        elif kind == 'step':
            body.append(paragraph(STYLE_NORMAL, '\\sa80\\fi-340\\li624\\tx624', value[0] + '.\\tab ' + inline(value[1])))
        elif kind == 'note':
            body.append(paragraph(STYLE_NORMAL, '\\li567\\ri284\\brdrl\\brdrs\\brdrw20\\brsp113', inline(value)))
        elif kind == 'table':
            body.append(table_rtf(value))
        else:
            body.append(paragraph(STYLE_NORMAL, '', inline(value)))
    return '\n'.join(out) + '\n' + ''.join(body) + '}\n'


def laid_out_pages(rtf, headings):
    """The page of each heading and the number of pages, as LibreOffice lays
    the document out; None when it cannot."""
    soffice, pdftotext = shutil.which('soffice'), shutil.which('pdftotext')
    if not soffice or not pdftotext:
        return None
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, 'guide.rtf')
        with open(src, 'w', encoding='ascii') as f:
            f.write(rtf)
        profile = 'file://' + os.path.join(tmp, 'profile')
        subprocess.run([soffice, '-env:UserInstallation=' + profile, '--headless', '--convert-to', 'pdf',
                        '--outdir', tmp, src], check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=600)
        text = subprocess.run([pdftotext, '-layout', os.path.join(tmp, 'guide.pdf'), '-'], check=True,
                              stdout=subprocess.PIPE).stdout.decode('utf-8')
    pages = [[' '.join(line.split()) for line in page.splitlines()] for page in text.split('\f')]
    if pages and not any(pages[-1]):
        pages.pop()
    found = []
    at = 0
    for i, (_, heading) in enumerate(headings):
        wanted = ' '.join(plain_text(heading).split())
        while at < len(pages) and wanted not in pages[at]:
            at += 1
        if at == len(pages):
            sys.exit('heading %d not found on its own line in the laid-out document: %s' % (i + 1, wanted))
        found.append(str(at + 1))
    return found, str(len(pages))


def main():
    with open(SOURCE, encoding='utf-8') as f:
        blocks = parse(f.readlines())
    headings = headings_of(blocks)
    pages, count = ['?'] * len(headings), '?'
    # The pages are written as the layout found them, then laid out once more
    # to see that writing them moved nothing.
    for _ in range(3):
        layout = laid_out_pages(document(blocks, pages, count), headings)
        if layout is None:
            print('soffice or pdftotext missing: the contents show no pages', file=sys.stderr)
            break
        if layout == (pages, count):
            break
        pages, count = layout
    with open(TARGET, 'w', encoding='ascii', newline='\n') as f:
        f.write(document(blocks, pages, count))


if __name__ == '__main__':
    main()
