"""What the fault tests share: template servers that misbehave on purpose, the checks that the
window still answers and that closing ends the program at once, and a log of the figures."""

import os
import socket
import struct
import sys
import time

from harness import PREVIEW_BUTTON
from preview_case import PreviewTestCase, block

# Close-to-exit bound: the program never waits for a task, the network or the engine.
PROMPT_EXIT = 1.0
STATUS_LINE = b'HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n'


def report(test, text):
    """Prints a figure and keeps it beside the test's screenshots."""
    line = '%s: %s' % (test.id().split('.', 1)[-1], text)
    print(line, file=sys.stderr)
    with open(os.path.join(test.artifacts, 'figures.txt'), 'a') as handle:
        handle.write(line + '\n')


def closed_port():
    """A loopback port that nothing listens on."""
    with socket.socket() as probe:
        probe.bind(('127.0.0.1', 0))
        return probe.getsockname()[1]


def send_quietly(handler, data):
    """Writes to the program; False once it has gone."""
    try:
        handler.wfile.write(data)
        return True
    except OSError:
        return False


def wait_for_server_stop(handler):
    handler.server.stopping.wait()


def reset_connection(handler):
    """Ends the connection with a reset instead of an orderly close."""
    sock = handler.connection
    sock.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack('ii', 1, 0))
    # The handler's own file objects keep the socket open past close(): let go of the descriptor.
    os.close(sock.detach())


class FaultTestCase(PreviewTestCase):

    def expect_not_ready(self, label):
        """The code box takes a click and text, and a preview meets the not-ready message, which
        closes again; no page is written."""
        run = self.run_
        run.set_code(block('#1e90ff'))
        run.click(PREVIEW_BUTTON)
        box = run.wait_for_message_box()
        run.screenshot(label + '-not-ready')
        run.close_message_box(box)
        self.assertFalse(os.path.exists(run.preview_file), 'the not-ready path writes no page')

    def expect_prompt_exit(self, status_and_time, what):
        status, elapsed = status_and_time
        report(self, 'close to exit %.3f s %s' % (elapsed, what))
        self.assertEqual(status, 0, 'the program ends with status 0')
        self.assertLess(elapsed, PROMPT_EXIT, 'the program ends within a second of the close')
        self.assertEqual(self.run_.core_files(), [], 'no core dump')

    def expect_only_main_window(self):
        windows = [int(window, 0) for window in self.run_.managed_windows()]
        self.assertEqual(windows, [int(self.run_.window)],
                         'the main window and no other window of the program')

    def wait_installed(self, seconds=0.5):
        """The program installs a template just after its last byte; give it that moment."""
        time.sleep(seconds)
