"""The window's other behaviour seen from outside: the show-code option, the double-click on the
code box, the full-screen button and closing."""

import os
import sys
import time
import unittest
import urllib.parse

from harness import (CODE_BOX, CODE_BOX_RECT, FULL_SCREEN_BUTTON, PREVIEW_BUTTON, SHOW_CODE_BOX,
                     wait_until)
from preview_case import PreviewTestCase, block, rgb

CODE_BOX_GREY = (234, 234, 234)


def dark_pixels(picture):
    return sum(1 for at in range(0, len(picture.pixels), 3)
               if max(picture.pixels[at:at + 3]) < 100)


class CodeBox(PreviewTestCase):

    def test_untickingShowCode_uncoversTheView_tickingCoversItAgain(self):
        self.wait_until_ready()
        # A block tall enough to run on behind the code box.
        self.preview('WideArea', block('#ff1493', 700), 'tall-block', '#ff1493')
        run = self.run_
        shown, _ = run.settled_picture('code-box-shown', CODE_BOX_RECT)
        self.assertGreater(shown.count_near(CODE_BOX_GREY, 2), shown.width * shown.height // 2)

        run.click(SHOW_CODE_BOX)
        hidden, file = run.settled_picture('code-box-hidden', CODE_BOX_RECT, previous=shown)
        self.assertEqual(hidden.count_near(CODE_BOX_GREY, 2), 0, 'no code box left (%s)' % file)
        self.assertGreater(hidden.count_near(rgb('#ff1493'), 6), hidden.width * hidden.height // 2,
                           'the page shows where the code box was (%s)' % file)

        run.click(SHOW_CODE_BOX)
        again, file = run.settled_picture('code-box-shown-again', CODE_BOX_RECT, previous=hidden)
        # Up to the blinking caret, a column of a few dozen pixels.
        self.assertLess(again.differing_pixels(shown), 100,
                        'the code box is back as it was (%s)' % file)

    def test_doubleClick_emptiesCodeBox_soThePreviewSplicesNothing(self):
        run = self.run_
        with_help, _ = run.settled_picture('help-text', CODE_BOX_RECT)
        self.assertGreater(dark_pixels(with_help), 500, 'the help text shows')
        run.click(CODE_BOX, repeat=2)
        emptied, file = run.settled_picture('emptied', CODE_BOX_RECT, previous=with_help)
        self.assertLess(dark_pixels(emptied), 50, 'the code box is empty (%s)' % file)

        self.wait_until_ready()
        self.model.apply('WideArea', b'')
        run.click(PREVIEW_BUTTON)
        run.wait_for_content(run.preview_file, self.model.working)
        self.assertNotEqual(self.model.working, self.model.templates[0],
                            'an empty snippet still adds a spacer')


class FullScreen(PreviewTestCase):

    def opened(self):
        try:
            with open(self.run_.opened_log, encoding='utf-8') as handle:
                return handle.read().splitlines()
        except FileNotFoundError:
            return []

    def test_fullScreenButton_handsThePreviewAddressToTheDesktop(self):
        run = self.run_
        # Disabled until the first preview.
        run.click(FULL_SCREEN_BUTTON)
        time.sleep(1.0)
        self.assertEqual(self.opened(), [])

        self.wait_until_ready()
        self.preview('WideArea', block('#1e90ff'), 'preview', '#1e90ff')
        run.click(FULL_SCREEN_BUTTON)
        opened = wait_until(self.opened, 15, 'the desktop opener to be called')
        time.sleep(0.5)  # a second, unwanted call would come right after the first
        opened = self.opened()
        self.assertEqual(len(opened), 1, 'one address handed over: %r' % opened)
        self.assertEqual(urllib.parse.unquote(opened[0]), 'file://' + run.preview_file)


def report(test, text):
    line = '%s: %s' % (test.id(), text)
    print(line, file=sys.stderr)
    with open(os.path.join(test.artifacts, 'timing.txt'), 'a') as handle:
        handle.write(line + '\n')


class Closing(PreviewTestCase):

    def test_escape_deletesPreviewFile_keepsStyleFile_andExitsWithZero(self):
        self.wait_until_ready()
        self.preview('Navigation', '.shop-nav .skin-box-bd { background: #0000cd; }', 'navigation')
        self.preview('WideArea', block('#1e90ff'), 'wide-area', '#1e90ff')
        run = self.run_
        run.click(CODE_BOX)
        run.key('Escape')
        self.assertEqual(run.wait_for_exit(), 0)
        self.assertFalse(os.path.exists(run.preview_file), '效果.html is deleted')
        with open(run.style_file, 'rb') as handle:
            self.assertEqual(handle.read(), self.model.style, 'css.css stays')


class ClosingDuringDownload(PreviewTestCase):
    HOLD_TEMPLATES = True

    def test_closingWhileTheServerHoldsTheTemplateRequest_endsPromptly(self):
        run = self.run_
        wait_until(lambda: self.server.requested(self.MARKET), 20, 'the market template request')
        run.click(CODE_BOX)
        closed = time.monotonic()
        run.key('Escape')
        status = run.wait_for_exit(15)
        elapsed = time.monotonic() - closed
        report(self, 'close to exit %.3f s with a template request held open' % elapsed)
        self.assertEqual(status, 0)
        self.assertLess(elapsed, 1.0)
        self.assertFalse(os.path.exists(run.preview_file))


if __name__ == '__main__':
    unittest.main()
