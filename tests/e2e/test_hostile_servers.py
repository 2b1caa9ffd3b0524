"""Template servers that misbehave: the window keeps answering, a preview does what the templates
that arrived allow, and closing ends the program at once whatever the download is doing."""

import threading
import time
import unittest

from fault_case import (STATUS_LINE, FaultTestCase, closed_port, reset_connection, report,
                        send_quietly, wait_for_server_stop)
from harness import PREVIEW_BUTTON, wait_until
from page_model import SHOP_SIGN_MARKER, replace_first
from preview_case import block, rgb

MiB = 1 << 20
BODY_BOUND = 64 * MiB


class TemplatesNeverArrive(FaultTestCase):
    """The market request gets no usable answer in time: every preview meets the not-ready
    message until the program is closed."""

    def answer_market(self, handler):
        raise NotImplementedError

    def before_start(self):
        self.server.set_handler(self.MARKET, self.answer_market)

    def check_not_ready_and_prompt_close(self, what):
        wait_until(lambda: self.server.requested(self.MARKET), 20, 'the market template request')
        self.expect_not_ready('market')
        self.expect_only_main_window()
        self.expect_prompt_exit(self.run_.close_by_escape(), what)


class SilentServer(TemplatesNeverArrive):

    def answer_market(self, handler):
        wait_for_server_stop(handler)

    def test_serverThatNeverAnswers_previewMeetsNotReady_andEscEndsAtOnce(self):
        self.check_not_ready_and_prompt_close('while the server sends nothing')


class TricklingServer(TemplatesNeverArrive):

    def answer_market(self, handler):
        answer = STATUS_LINE + b'\r\n' + self.template(self.MARKET)
        for at in range(len(answer)):
            if not send_quietly(handler, answer[at:at + 1]) or handler.server.stopping.wait(1.0):
                return

    def test_serverSendingAByteASecond_previewMeetsNotReady_andEscEndsAtOnce(self):
        self.check_not_ready_and_prompt_close('while the server sends a byte a second')


class HugeHeaderServer(TemplatesNeverArrive):

    def answer_market(self, handler):
        send_quietly(handler, STATUS_LINE + b'X-Padding: ' + b'a' * MiB + b'\r\n\r\n'
                     + self.template(self.MARKET))

    def test_oneMebibyteHeaderLine_leavesMarketEmpty_tmallStillPreviews(self):
        # The Tmall template arrives; the working page stays empty until that edition is chosen.
        wait_until(lambda: self.server.was_answered(self.TMALL), 20, 'the Tmall template')
        self.wait_installed()
        self.expect_not_ready('market')
        self.choose_edition(1)
        self.preview('WideArea', block('#ff8c00'), 'tmall', '#ff8c00')
        self.expect_only_main_window()
        self.expect_prompt_exit(self.run_.close_by_escape(), 'after a 1 MiB header line')


class RedirectToClosedPort(TemplatesNeverArrive):

    def before_start(self):
        target = 'http://127.0.0.1:%d/ldxz/lddmylq/' % closed_port()

        def redirect(handler):
            handler.send_response(302)
            handler.send_header('Location', target + handler.path.rsplit('/', 1)[-1])
            handler.end_headers()
        self.server.set_handler(self.MARKET, redirect)
        self.server.set_handler(self.TMALL, redirect)

    def test_redirectToAClosedPort_leavesBothTemplatesEmpty(self):
        wait_until(lambda: self.server.was_answered(self.TMALL), 20, 'the Tmall redirect')
        self.wait_installed()
        self.expect_not_ready('market')
        # Neither edition has a page to start from.
        self.choose_edition(1)
        self.expect_not_ready('tmall')
        self.expect_prompt_exit(self.run_.close_by_escape(), 'after redirects to a closed port')


class ResetMidBody(FaultTestCase):
    """The connection breaks off with a reset after the part of the page that holds the shop sign
    marker: that part is the market template."""

    def before_start(self):
        page = self.template(self.MARKET)
        self.cut = page.index(SHOP_SIGN_MARKER) + len(SHOP_SIGN_MARKER) + 200
        self.assertLess(self.cut, len(page))

        def reset_after_part(handler):
            send_quietly(handler, STATUS_LINE + b'Content-Length: %d\r\n\r\n' % len(page)
                         + page[:self.cut])
            time.sleep(0.5)  # the program reads what has come before the reset arrives
            reset_connection(handler)
        self.server.set_handler(self.MARKET, reset_after_part)

    def test_resetMidBody_templateIsTheBytesReceived(self):
        self.wait_until_ready()
        received = self.template(self.MARKET)[:self.cut]
        self.model.templates[0] = self.model.working = received
        self.preview('ShopSign', block('#8a2be2', 120), 'shop-sign', '#8a2be2')
        self.assertTrue(self.model.working.startswith(received[:received.index(SHOP_SIGN_MARKER)]))
        self.expect_prompt_exit(self.run_.close_by_escape(), 'after a reset mid-body')


class EndlessBody(FaultTestCase):
    """A body that never ends: the market page with its markers, then an open comment that runs
    on for ever. The program keeps the first 64 MiB and lets the rest go."""

    FILLER = b' ' * MiB
    RATE_PAUSE = 0.02  # between pieces of 1 MiB: about 50 MiB/s, so the memory can be watched

    def before_start(self):
        self.go = threading.Event()
        self.sent = [0]
        self.streaming = threading.Event()
        self.stopped = threading.Event()
        self.head = self.template(self.MARKET) + b'<!-- '

        def endless(handler):
            self.go.wait()
            self.streaming.set()
            try:
                if not send_quietly(handler, STATUS_LINE + b'\r\n' + self.head):
                    return
                self.sent[0] = len(self.head)
                while not handler.server.stopping.is_set():
                    if not send_quietly(handler, self.FILLER):
                        return
                    self.sent[0] += len(self.FILLER)
                    time.sleep(self.RATE_PAUSE)
            finally:
                self.stopped.set()
        self.server.set_handler(self.MARKET, endless)

    def test_endlessBody_isCutAt64MiB_memoryStaysBounded_andPreviewsRun(self):
        run = self.run_
        wait_until(lambda: self.server.requested(self.MARKET), 20, 'the market template request')
        time.sleep(1.0)  # the engine starts after the first paint
        baseline = run.rss_kib()
        samples = []
        sampling = threading.Event()

        def sample():
            while not sampling.is_set():
                value = run.rss_kib()
                if value is not None:
                    samples.append(value)
                time.sleep(0.02)
        sampler = threading.Thread(target=sample, daemon=True)
        sampler.start()
        try:
            self.go.set()
            # The program stops reading at the bound and closes the connection.
            wait_until(self.stopped.is_set, 60, 'the program to stop reading the endless body')
            during_stream = max(samples)
            self.wait_until_ready()
            received = (self.head + self.FILLER * (BODY_BOUND // len(self.FILLER) + 1))[:BODY_BOUND]
            self.model.templates[0] = self.model.working = received
            self.model.apply('ShopSign', block('#8a2be2', 120).encode())
            run.set_code(block('#8a2be2', 120))
            self.choose_region('ShopSign')
            run.click(PREVIEW_BUTTON)
            run.wait_for_content(run.preview_file, self.model.working, timeout=60)
        finally:
            sampling.set()
            sampler.join()
        picture, file = run.settled_picture('shop-sign', (0, 0, 1090, 510), timeout=30)
        self.assertGreater(picture.count_near(rgb('#8a2be2'), 6), 2000,
                           'the shop sign shows on the cut page (%s)' % file)
        peak = max(samples)
        report(self, 'endless body: sent %.1f MiB before the program let go; RSS %.0f MiB before, '
                     'peak %.0f MiB while streaming, %.0f MiB through install and preview'
               % (self.sent[0] / MiB, baseline / 1024, during_stream / 1024, peak / 1024))
        # The socket buffers hold a few MiB more than the program took.
        self.assertLess(self.sent[0], BODY_BOUND + 16 * MiB, 'the program stopped at the bound')
        # The kept text, its copy in the working page, and a copy on its way through the bridge.
        self.assertLess(peak - baseline, 6 * 64 * 1024,
                        'memory stays bounded: %d KiB over %d KiB' % (peak - baseline, baseline))
        self.expect_prompt_exit(run.close_by_escape(), 'with a 64 MiB working page')


if __name__ == '__main__':
    unittest.main()
