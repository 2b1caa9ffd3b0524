"""What the program should write: the splicing rules over GBK bytes, kept apart from the program's
own code so that the end-to-end tests check it against an independent reading."""

import os

SPACER_TEMPLATE = ('<span style="margin-top:20px;">&nbsp;</span>' '<!-- 瓴丹论坛分隔符 -->').encode('gbk')
SPACER_MARKER = '<!-- 瓴丹论坛分隔符 -->'.encode('gbk')
SHOP_SIGN_MARKER = '<!-- 瓴丹论坛店招区 -->'.encode('gbk')

REGIONS = ('ShopSign', 'Navigation', 'PageHeader', 'WideArea', 'RightColumn', 'LeftColumn', 'Footer')

# Separator and code-area markers of the accumulating regions.
ACCUMULATING = {
    'WideArea': ('950分隔符', '950代码区'),
    'RightColumn': ('750分隔符', '750代码区'),
    'LeftColumn': ('190分隔符', '190代码区'),
    'Footer': ('页尾分隔符', '页尾代码区'),
}


def marker(tag):
    return ('<!-- 瓴丹论坛' + tag + ' -->').encode('gbk')


def _scan(text, pattern, equal):
    """Index of the first match, stepping over GBK double-byte characters, or -1."""
    if not text or not pattern:
        return -1
    size = len(pattern)
    position = 0
    while len(text) - position >= size:
        if equal(text[position:position + size], pattern):
            return position
        position += 2 if text[position] >= 0x80 else 1
    return -1


def replace_first(text, pattern, replacement):
    # bytes.lower() folds only A-Z, which is the letter rule of the scan.
    at = _scan(text, pattern, lambda a, b: a.lower() == b.lower())
    if at < 0:
        return text
    return text[:at] + replacement + text[at + len(pattern):]


def contains_exact(text, pattern):
    return _scan(text, pattern, lambda a, b: a == b) >= 0


def page_address_of_file(path):
    """A file path as the page carries it: bytes outside printable ASCII and the characters a URL
    parser could take apart are percent-encoded in upper case."""
    keep_out = b'%#?"\'<>`'
    out = []
    for byte in os.fsencode(path):
        if 0x20 < byte < 0x7f and byte not in keep_out:
            out.append(chr(byte))
        else:
            out.append('%%%02X' % byte)
    return ''.join(out).encode('ascii')


def code_box_bytes(typed):
    """The code box's text as it crosses into the page: CR LF line breaks, GB18030."""
    return typed.replace('\r\n', '\n').replace('\n', '\r\n').encode('gb18030')


class PageModel:
    def __init__(self, market, tmall, template_host, image_host, style_file):
        self.templates = {0: market, 1: tmall}
        self.style_placeholder = ('http://%s/ldxz/lddmylq/ld.css' % template_host).encode('ascii')
        self.header_placeholder = (
            'http://%s/bao/uploaded/i3/TB18PFyGXXXXXXDapXXSutbFXXX.jpg' % image_host).encode('ascii')
        self.style_file = style_file
        self.working = market
        self.style = None  # bytes of css.css once a Navigation preview wrote it

    def reset(self, edition):
        self.working = self.templates[edition]

    def apply(self, region, snippet):
        if region == 'ShopSign':
            self.working = replace_first(self.working, SHOP_SIGN_MARKER, snippet)
        elif region == 'Navigation':
            self.style = snippet
            self.working = replace_first(self.working, self.style_placeholder,
                                         page_address_of_file(self.style_file))
        elif region == 'PageHeader':
            self.working = replace_first(self.working, self.header_placeholder, snippet)
        else:
            separator, code_area = (marker(tag) for tag in ACCUMULATING[region])
            spacer = replace_first(SPACER_TEMPLATE, SPACER_MARKER, separator)
            target = separator if contains_exact(self.working, separator) else code_area
            self.working = replace_first(self.working, target, snippet + spacer)
