"""Previews through the window: the not-ready message, every region on both editions, the restart
option and the navigation style sheet."""

import os
import time
import unittest

from harness import PREVIEW_BUTTON, RESTART_BOX, wait_until
from preview_case import HELP_TEXT, PreviewTestCase, block, rgb

# Where the project's shop frames put the navigation bar in the view: x, y, width, height.
NAVIGATION_BAR_RECT = (100, 258, 850, 18)


class NotReadyMessage(PreviewTestCase):
    HOLD_TEMPLATES = True

    def test_previewBeforeTemplates_showsMessage_writesNothing_andWorksOnceTheyArrive(self):
        run = self.run_
        wait_until(lambda: self.server.requested(self.MARKET), 20, 'the market template request')

        run.click(PREVIEW_BUTTON)
        box = run.wait_for_message_box()
        run.screenshot('not-ready-message')
        # 按钮1 stays disabled while the message is up: a second click starts no second preview.
        run.click(PREVIEW_BUTTON)
        time.sleep(1.0)
        self.assertEqual(run.windows_titled('瓴丹提示'), [box], 'one message box only')
        run.close_message_box(box)
        self.assertFalse(os.path.exists(run.preview_file), 'the not-ready path writes no page')

        # Usable again once the message is closed: the next click meets the message again.
        run.click(PREVIEW_BUTTON)
        run.close_message_box(run.wait_for_message_box())
        self.assertFalse(os.path.exists(run.preview_file))
        self.assertFalse(os.path.exists(run.style_file))

        self.server.release(self.MARKET)
        self.server.release(self.TMALL)
        self.wait_until_ready()
        # The code box still holds its help text, which is spliced in like any snippet.
        self.preview_help_text()

    def preview_help_text(self):
        self.model.apply('WideArea', HELP_TEXT)
        self.run_.click(PREVIEW_BUTTON)
        self.run_.wait_for_content(self.run_.preview_file, self.model.working)
        self.run_.settled_picture('help-text-preview', (0, 0, 1090, 510))


class Regions(PreviewTestCase):

    def preview_every_region(self, colours):
        """PageHeader, ShopSign, Navigation, two blocks in each accumulating region, and a second
        ShopSign that leaves the page as the first made it."""
        shop_sign, navigation, wide, wide2, right, left, footer = colours
        # The header image first: a shop sign would cover the middle of it.
        self.preview('PageHeader', 'http://%s/bao/uploaded/i1/ld-item-3.jpg' % self.image_host,
                     'page-header')
        self.preview('ShopSign', block(shop_sign, 120), 'shop-sign', shop_sign)
        self.preview('Navigation', '.shop-nav .skin-box-bd {\n  background: %s;\n}' % navigation,
                     'navigation', navigation)
        self.preview('WideArea', block(wide), 'wide-area-1', wide)
        self.preview('WideArea', block(wide2), 'wide-area-2', wide2)
        self.preview('RightColumn', block(right), 'right-column-1', right)
        self.preview('RightColumn', block(right, 20, 'second'), 'right-column-2')
        # The left column's code area and the footer lie below the part of the page in view.
        self.preview('LeftColumn', block(left), 'left-column-1', view_changes=False)
        self.preview('LeftColumn', block(left, 20, 'second'), 'left-column-2', view_changes=False)
        self.preview('Footer', block(footer), 'footer-1', view_changes=False)
        self.preview('Footer', block(footer, 20, 'second'), 'footer-2', view_changes=False)
        self.preview('ShopSign', block('#000000', 120), 'shop-sign-again', shop_sign,
                     view_changes=False)

    def test_marketEdition_everyRegionAccumulatesInThePage(self):
        self.wait_until_ready()
        self.preview_every_region(('#8a2be2', '#00ced1', '#1e90ff', '#ff8c00', '#2e8b57',
                                   '#dc143c', '#808000'))

    def test_tmallEdition_everyRegionAccumulatesInThePage(self):
        self.wait_until_ready()
        self.choose_edition(1)
        self.preview_every_region(('#4b0082', '#ffd700', '#00bfff', '#ff4500', '#3cb371',
                                   '#b22222', '#6b8e23'))

    def test_restartOption_startsEveryPreviewFromTheChosenEdition(self):
        self.wait_until_ready()
        self.run_.click(RESTART_BOX)
        for edition, colours in ((0, ('#1e90ff', '#ff8c00')), (1, ('#00bfff', '#ff4500'))):
            if edition:
                self.choose_edition(edition)
            for number, colour in enumerate(colours):
                self.model.reset(edition)
                picture = self.preview('WideArea', block(colour, 60), 'edition-%d-restart-%d'
                                       % (edition, number), colour)
            # Only the latest snippet shows.
            self.assertEqual(picture.count_near(rgb(colours[0]), tolerance=6), 0,
                             'the earlier snippet is gone from the view')


class Navigation(PreviewTestCase):

    def test_secondNavigationPreview_rewritesStyleSheet_andShowsTheNewColour(self):
        self.wait_until_ready()
        first = self.preview('Navigation', '.shop-nav .skin-box-bd { background: #0000cd; }',
                             'navigation-1', '#0000cd')
        page = self.model.working
        second = self.preview('Navigation', '.shop-nav .skin-box-bd { background: #32cd32; }',
                              'navigation-2', '#32cd32')
        self.assertEqual(self.model.working, page, 'the page text stays as the first made it')
        with open(self.run_.style_file, 'rb') as handle:
            self.assertEqual(handle.read(), b'.shop-nav .skin-box-bd { background: #32cd32; }')
        x, y, width, height = NAVIGATION_BAR_RECT
        for picture, colour in ((first, '#0000cd'), (second, '#32cd32')):
            bar = [picture.pixel(px, py) for py in range(y, y + height, 4)
                   for px in range(x, x + width, 8)]
            share = sum(1 for p in bar if p == rgb(colour)) / len(bar)
            self.assertGreater(share, 0.5, 'the navigation bar is %s' % colour)


if __name__ == '__main__':
    unittest.main()
