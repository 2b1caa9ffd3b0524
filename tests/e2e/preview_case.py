"""Previews driven through the window and checked against the page model: the bytes of 效果.html
and css.css, and the picture in the view."""

import os
import time

import harness
from harness import PREVIEW_BUTTON, VIEW_RECT, wait_until
from page_model import REGIONS, PageModel, code_box_bytes

HELP_TEXT = '\r\n'.join((
    '1.此处为代码输入框，双击清空内容。',
    '2.店铺版本：选择店铺版本会调用对应的店铺框架，使之达到最佳预览效果。',
    '3.代码位置：根据代码的用途，选择对应的位置，预览后会在对应的区域显示。',
    '4.重新开始：勾选后会清空原来已预览的内容，否则累计添加。',
    '5.显示代码：选中后会显示代码输入框，否则隐藏。',
    '6.窗口预览：即在本窗口显示预览效果。',
    '7.全屏预览：会调用系统浏览器新窗口打开预览效果。',
    '8.页头预览：为预览页头图片，在输入框内输入的为图片地址。',
    '9.本工具为模拟淘宝装修后台，实现各区域内的代码效果预览，是一个非常不错的淘宝代码的测试环境。'
    '其它超强实用工具，请访问瓴丹论坛下载。',
)).encode('gbk')


def block(colour, height=30, text=''):
    return '<div style="height:%dpx;background:%s">%s</div>' % (height, colour, text)


def rgb(colour):
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))


class PreviewTestCase(harness.ProgramTestCase):

    def setUp(self):
        super().setUp()
        self.model = PageModel(self.template(self.MARKET), self.template(self.TMALL),
                               self.template_host, self.image_host, self.run_.style_file)
        self.region = REGIONS.index('WideArea')
        self.view = None  # the last settled picture of the uncovered view

    def mtime(self, path):
        try:
            return os.stat(path).st_mtime_ns
        except FileNotFoundError:
            return None

    def wait_until_ready(self):
        """Waits until the templates are delivered, then until a preview no longer meets the
        not-ready message (the program installs them just after the last byte arrives)."""
        self.wait_for_templates()
        time.sleep(0.5)

    def choose_region(self, region):
        index = REGIONS.index(region)
        if index != self.region:
            self.run_.click_region(index)
            self.region = index

    def choose_edition(self, edition):
        self.run_.choose_edition(edition)
        self.model.reset(edition)

    def preview(self, region, typed, label, colour=None, view_changes=True):
        """Previews `typed` in `region` and checks the files and, where told, the view."""
        self.choose_region(region)
        self.run_.set_code(typed)
        if self.view is None:
            self.view, _ = self.run_.settled_picture('before-' + label, VIEW_RECT)
        before = self.mtime(self.run_.preview_file)
        style_before = self.mtime(self.run_.style_file)
        self.run_.click(PREVIEW_BUTTON)
        self.model.apply(region, code_box_bytes(typed))
        wait_until(lambda: self.mtime(self.run_.preview_file) != before, 15,
                   'the preview to rewrite %s' % harness.PREVIEW_FILE)
        self.run_.wait_for_content(self.run_.preview_file, self.model.working)
        if region == 'Navigation':
            self.assertNotEqual(self.mtime(self.run_.style_file), style_before,
                                'a Navigation preview rewrites css.css')
            self.run_.wait_for_content(self.run_.style_file, self.model.style)
        picture, file = self.run_.settled_picture(
            label, VIEW_RECT, previous=self.view if view_changes else None)
        if colour is not None:
            self.assertGreater(picture.count_near(rgb(colour), tolerance=6), 2000,
                               'the snippet colour %s shows in the view (%s)' % (colour, file))
        self.view = picture
        return picture

    def first_preview_after_download(self, region, typed, label, colour=None):
        self.wait_until_ready()
        return self.preview(region, typed, label, colour)
