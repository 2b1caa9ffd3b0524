#!/usr/bin/env python3
"""Writes the golden composition cases as GBK bytes, one folder per case.

Each expected page below is spelled out by hand from the fixture's pieces, so the files say what
the rules must produce. Tokens the test substitutes: @TEMPLATE_HOST@, @IMAGE_HOST@ (the configured
hosts) and @TMP@ (the temporary folder that holds the program directory "瓴丹 预览").
Run from anywhere: python3 write_cases.py
"""
import os
import shutil

HERE = os.path.dirname(os.path.abspath(__file__))

SHOP_SIGN = '<!-- 瓴丹论坛店招区 -->'
SPACER_MARKER = '<!-- 瓴丹论坛分隔符 -->'
SEP = {'WideArea': '<!-- 瓴丹论坛950分隔符 -->', 'RightColumn': '<!-- 瓴丹论坛750分隔符 -->',
       'LeftColumn': '<!-- 瓴丹论坛190分隔符 -->', 'Footer': '<!-- 瓴丹论坛页尾分隔符 -->'}
CODE = {'WideArea': '<!-- 瓴丹论坛950代码区 -->', 'RightColumn': '<!-- 瓴丹论坛750代码区 -->',
        'LeftColumn': '<!-- 瓴丹论坛190代码区 -->', 'Footer': '<!-- 瓴丹论坛页尾代码区 -->'}
SPAN = '<span style="margin-top:20px;">&nbsp;</span>'
STYLE_PLACEHOLDER = 'http://@TEMPLATE_HOST@/ldxz/lddmylq/ld.css'
IMAGE_PLACEHOLDER = 'http://@IMAGE_HOST@/bao/uploaded/i3/TB18PFyGXXXXXXDapXXSutbFXXX.jpg'
# The style file's path as the page carries it: 瓴丹 预览 percent-encoded from UTF-8.
STYLE_PATH = '@TMP@/%E7%93%B4%E4%B8%B9%20%E9%A2%84%E8%A7%88/css.css'


def page(style=STYLE_PLACEHOLDER, sign=SHOP_SIGN, image=IMAGE_PLACEHOLDER, wide=CODE['WideArea'],
         right=CODE['RightColumn'], left=CODE['LeftColumn'], footer=CODE['Footer'],
         title='集市小店'):
    """A small shop frame; each keyword is what stands at that region's place."""
    return (f'<html><head><meta charset="gbk"><title>{title}</title>\r\n'
            f'<link rel="stylesheet" href="{style}"></head>\r\n'
            f'<body><div class="sign">{sign}</div>\r\n'
            f'<div class="header" style="background:url({image})">欢迎光临</div>\r\n'
            f'<div class="w950">{wide}</div>\r\n'
            f'<div class="w750">{right}</div><div class="w190">{left}</div>\r\n'
            f'<div class="foot">{footer}</div></body></html>\r\n')


def block(snippet, region):
    return snippet + SPAN + SEP[region]


cases = []


def case(name, readme, before, steps, after, snippets=None, style=None, current_spacer=None,
         market=None, tmall=None):
    cases.append(dict(name=name, readme=readme, before=before, steps=steps, after=after,
                      snippets=snippets or {}, style=style, current_spacer=current_spacer,
                      market=market, tmall=tmall))


SIGN = '<div class="店招">小店<img src="logo.png"></div>'
case('every-region-once',
     'One snippet in each of the seven regions of a fresh page, in the order a preview considers them.',
     page(),
     [('ShopSign', 'sign.txt'), ('Navigation', 'nav.css'), ('PageHeader', 'header.txt'),
      ('WideArea', 'wide.txt'), ('RightColumn', 'right.txt'), ('LeftColumn', 'left.txt'),
      ('Footer', 'footer.txt')],
     page(style=STYLE_PATH, sign=SIGN, image='http://img.example/头图.jpg',
          wide=block('<p>宽屏</p>', 'WideArea'), right=block('<p>右侧</p>', 'RightColumn'),
          left=block('<p>左侧</p>', 'LeftColumn'), footer=block('<p>页尾</p>', 'Footer')),
     snippets={'sign.txt': SIGN, 'nav.css': '.nav{color:#c00;}/* 导航 */',
               'header.txt': 'http://img.example/头图.jpg', 'wide.txt': '<p>宽屏</p>',
               'right.txt': '<p>右侧</p>', 'left.txt': '<p>左侧</p>', 'footer.txt': '<p>页尾</p>'},
     style='.nav{color:#c00;}/* 导航 */',
     current_spacer=SPAN + SEP['Footer'])

case('shop-sign-later-application-changes-nothing',
     'A second shop-sign snippet finds the marker gone: the first snippet stays.',
     page(), [('ShopSign', 'first.txt'), ('ShopSign', 'second.txt')],
     page(sign='<b>第一</b>'), snippets={'first.txt': '<b>第一</b>', 'second.txt': '<b>第二</b>'})

case('shop-sign-empty-snippet-removes-marker',
     'An empty shop-sign snippet removes the marker, so a later one has no effect.',
     page(), [('ShopSign', 'empty.txt'), ('ShopSign', 'later.txt')],
     page(sign=''), snippets={'empty.txt': '', 'later.txt': '<b>店招</b>'})

case('page-header-later-application-changes-nothing',
     'The header-image address replaces the placeholder once; a second one leaves the page alone.',
     page(), [('PageHeader', 'first.txt'), ('PageHeader', 'second.txt')],
     page(image='http://img.example/a.jpg'),
     snippets={'first.txt': 'http://img.example/a.jpg', 'second.txt': 'http://img.example/b.jpg'})

case('page-header-placeholder-in-other-case',
     'A template spelling the header-image placeholder in other letter case is still matched.',
     page(image='HTTP://@IMAGE_HOST@/BAO/Uploaded/I3/tb18pfygxxxxxxdapxxsutbfxxx.JPG'),
     [('PageHeader', 'image.txt')], page(image='http://img.example/新.jpg'),
     snippets={'image.txt': 'http://img.example/新.jpg'})

case('navigation-second-rewrites-style-file',
     'Each navigation snippet rewrites the style file whole; the page points at it after the first.',
     page(), [('Navigation', 'first.css'), ('Navigation', 'second.css')],
     page(style=STYLE_PATH),
     snippets={'first.css': '.nav{background:#f60;width:950px;}\r\n.nav a{color:#fff;}',
               'second.css': '.nav{}'},
     style='.nav{}')

case('navigation-empty-snippet-empties-style-file',
     'An empty navigation snippet leaves an empty style file and still points the page at it.',
     page(), [('Navigation', 'empty.css')], page(style=STYLE_PATH), snippets={'empty.css': ''},
     style='')

case('navigation-placeholder-in-other-case',
     'A template spelling the style-sheet placeholder in other letter case is still matched.',
     page(style='Http://@TEMPLATE_HOST@/LDXZ/LddMylq/LD.Css'), [('Navigation', 'nav.css')],
     page(style=STYLE_PATH), snippets={'nav.css': 'body{margin:0}'}, style='body{margin:0}')

case('wide-area-three-blocks-in-order',
     'Blocks A, B, C stand in the order applied, each with a spacer span, and one separator after C.',
     page(), [('WideArea', 'a.txt'), ('WideArea', 'b.txt'), ('WideArea', 'c.txt')],
     page(wide='<p>甲</p>' + SPAN + '<p>乙</p>' + SPAN + '<p>丙</p>' + SPAN + SEP['WideArea']),
     snippets={'a.txt': '<p>甲</p>', 'b.txt': '<p>乙</p>', 'c.txt': '<p>丙</p>'},
     current_spacer=SPAN + SEP['WideArea'])

case('footer-two-blocks-in-order',
     'Two footer snippets accumulate in order behind the footer separator marker.',
     page(), [('Footer', 'one.txt'), ('Footer', 'two.txt')],
     page(footer='版权所有' + SPAN + '<a href="#">联系</a>' + SPAN + SEP['Footer']),
     snippets={'one.txt': '版权所有', 'two.txt': '<a href="#">联系</a>'})

case('accumulating-regions-do-not-disturb-each-other',
     'Interleaved blocks of the four accumulating regions each stay in their own region.',
     page(),
     [('WideArea', 'w1.txt'), ('Footer', 'f1.txt'), ('RightColumn', 'r1.txt'),
      ('WideArea', 'w2.txt'), ('LeftColumn', 'l1.txt'), ('Footer', 'f2.txt'),
      ('RightColumn', 'r2.txt')],
     page(wide='W1' + SPAN + 'W2' + SPAN + SEP['WideArea'],
          right='R1' + SPAN + 'R2' + SPAN + SEP['RightColumn'],
          left='L1' + SPAN + SEP['LeftColumn'],
          footer='F1' + SPAN + 'F2' + SPAN + SEP['Footer']),
     snippets={'w1.txt': 'W1', 'w2.txt': 'W2', 'r1.txt': 'R1', 'r2.txt': 'R2', 'l1.txt': 'L1',
               'f1.txt': 'F1', 'f2.txt': 'F2'},
     current_spacer=SPAN + SEP['RightColumn'])

case('accumulating-empty-snippet-still-adds-a-spacer',
     'An empty snippet in an accumulating region still adds a spacer span and moves the separator.',
     page(), [('RightColumn', 'empty.txt'), ('RightColumn', 'next.txt')],
     page(right=SPAN + '<i>下一块</i>' + SPAN + SEP['RightColumn']),
     snippets={'empty.txt': '', 'next.txt': '<i>下一块</i>'})

case('snippet-carrying-separator-marker',
     'A snippet holding its region\'s separator marker takes the next block at that first occurrence.',
     page(), [('WideArea', 'carrier.txt'), ('WideArea', 'next.txt')],
     page(wide='前' + 'NEXT' + SPAN + SEP['WideArea'] + '后' + SPAN + SEP['WideArea']),
     snippets={'carrier.txt': '前' + SEP['WideArea'] + '后', 'next.txt': 'NEXT'})

LACKING = ('<html><head><link rel="stylesheet" href="local.css"></head>\r\n'
           '<body><p>没有标记的页面</p></body></html>\r\n')
case('page-lacking-markers-ignores-snippets',
     'A page without markers or placeholders stays unchanged; CurrentSpacer and the style file are still written.',
     LACKING,
     [('ShopSign', 'x.txt'), ('PageHeader', 'x.txt'), ('WideArea', 'x.txt'),
      ('Navigation', 'nav.css'), ('LeftColumn', 'x.txt')],
     LACKING, snippets={'x.txt': '<p>片段</p>', 'nav.css': 'p{color:red}'},
     style='p{color:red}', current_spacer=SPAN + SEP['LeftColumn'])

case('empty-working-page-stays-empty',
     'Rules on an empty working page leave it empty; the style file and CurrentSpacer are still written.',
     '', [('WideArea', 'x.txt'), ('ShopSign', 'x.txt'), ('Navigation', 'nav.css')], '',
     snippets={'x.txt': '<p>片段</p>', 'nav.css': 'a{}'}, style='a{}',
     current_spacer=SPAN + SEP['WideArea'])

MARKET = page()
TMALL = page(title='天猫旗舰店')
case('select-edition-0-discards-snippets',
     'SelectEdition 0 resets the composed page to the market template.',
     page(wide=block('旧', 'WideArea')), [('WideArea', 'x.txt'), ('SelectEdition', '0')], MARKET,
     snippets={'x.txt': '新'}, market=MARKET, tmall=TMALL)

case('select-edition-1-then-compose',
     'SelectEdition 1 resets to the Tmall template, and the next snippet composes on that.',
     page(sign='旧店招'), [('SelectEdition', '1'), ('ShopSign', 'sign.txt')],
     page(title='天猫旗舰店', sign='新店招'), snippets={'sign.txt': '新店招'}, market=MARKET,
     tmall=TMALL)

case('select-edition-other-index-changes-nothing',
     'SelectEdition with -1 (no selection) or 2 leaves the composed page as it is.',
     page(sign='店招'), [('SelectEdition', '-1'), ('SelectEdition', '2')], page(sign='店招'),
     market=MARKET, tmall=TMALL)


def write(path, text):
    with open(path, 'wb') as f:
        f.write(text.encode('gbk'))


for c in cases:
    folder = os.path.join(HERE, c['name'])
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    with open(os.path.join(folder, 'README'), 'w', encoding='utf-8') as f:
        f.write(c['readme'] + '\n')
    write(os.path.join(folder, 'before.html'), c['before'])
    write(os.path.join(folder, 'after.html'), c['after'])
    write(os.path.join(folder, 'steps.txt'), ''.join(f'{a} {b}\n' for a, b in c['steps']))
    for name, text in c['snippets'].items():
        write(os.path.join(folder, name), text)
    for key, name in (('style', 'style.css'), ('current_spacer', 'current-spacer.html'),
                      ('market', 'market.html'), ('tmall', 'tmall.html')):
        if c[key] is not None:
            write(os.path.join(folder, name), c[key])
