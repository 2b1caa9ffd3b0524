"""Runs the built program the way a user does: on a virtual display of its own with a window
manager, against a loopback template server of the test's own, driven by xdotool clicks and keys
and photographed with ImageMagick.

Settings come from the environment that ctest sets:
  LD_E2E_PROGRAM        the built lingdan-preview
  LD_E2E_SERVER_DIR     the served template folder
  LD_E2E_TEMPLATE_HOST  host:port compiled into the program (the server binds there)
  LD_E2E_IMAGE_HOST     host of the header image placeholder
  LD_E2E_ARTIFACTS      folder for screenshots and logs
"""

import errno
import http.server
import os
import re
import select
import shutil
import socketserver
import subprocess
import tempfile
import threading
import time
import unittest

WINDOW_TITLE = '瓴丹代码预览器'
MESSAGE_TITLE = '瓴丹提示'
PREVIEW_FILE = '效果.html'
STYLE_FILE = 'css.css'

# Client places of the window definition (panel 外形框1 at 0,630; its controls relative to it).
PANEL_TOP = 630
PREVIEW_BUTTON = (965, PANEL_TOP + 20)
FULL_SCREEN_BUTTON = (1045, PANEL_TOP + 20)
EDITION_LIST = (100, PANEL_TOP + 21)
RADIO_LEFTS = (240, 303, 369, 437, 522, 602, 682)
RESTART_BOX = (759 + 36, PANEL_TOP + 22)
SHOW_CODE_BOX = (838 + 37, PANEL_TOP + 22)
CODE_BOX = (550, 570)
CODE_BOX_RECT = (0, 510, 1090, 120)  # x, y, width, height; kept inside the client's right edge
VIEW_RECT = (0, 0, 1090, 510)  # the part of the view the code box leaves uncovered


class HarnessError(RuntimeError):
    pass


def _allow_core_dumps():
    import resource
    try:
        resource.setrlimit(resource.RLIMIT_CORE, (resource.RLIM_INFINITY, resource.RLIM_INFINITY))
    except (ValueError, OSError):
        pass


def setting(name):
    value = os.environ.get(name)
    if not value:
        raise HarnessError('%s is not set; run the e2e tests through ctest' % name)
    return value


def wait_until(predicate, timeout, what, interval=0.05):
    """Polls predicate until it returns something true; returns that or fails with `what`."""
    deadline = time.monotonic() + timeout
    while True:
        result = predicate()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError('timed out after %.1f s waiting for %s' % (timeout, what))
        time.sleep(interval)


def end_process(process, grace=3.0):
    if process is None or process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(grace)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


# ---------------------------------------------------------------------------------------------
# Display


class VirtualDisplay:
    """Xvfb on a display number it picks itself, with openbox managing its windows."""

    def __init__(self, log_dir):
        self.log_dir = log_dir
        self.xvfb = None
        self.openbox = None
        self.name = None

    def start(self):
        with open(os.path.join(self.log_dir, 'xvfb.log'), 'wb') as xvfb_log:
            self._start_xvfb(xvfb_log)
        self._start_openbox()

    def _start_xvfb(self, xvfb_log):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ['Xvfb', '-displayfd', str(write_end), '-screen', '0', '1600x900x24', '-nolisten', 'tcp',
             # Without it the server resets when its last client leaves, and refuses
             # connections meanwhile: the readiness probe would race openbox.
             '-noreset'],
            pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=xvfb_log, stderr=xvfb_log)
        os.close(write_end)
        number = b''
        deadline = time.monotonic() + 15
        while not number.endswith(b'\n'):
            left = deadline - time.monotonic()
            if left <= 0 or self.xvfb.poll() is not None:
                os.close(read_end)
                raise HarnessError('Xvfb did not announce its display (see %s)' % xvfb_log.name)
            ready, _, _ = select.select([read_end], [], [], left)
            if ready:
                chunk = os.read(read_end, 16)
                if not chunk:
                    break
                number += chunk
        os.close(read_end)
        if not number.strip().isdigit() or self.xvfb.poll() is not None:
            raise HarnessError('Xvfb is not running (see %s)' % xvfb_log.name)
        self.name = ':' + number.strip().decode()
        # Xvfb may announce its number a moment before it takes connections.
        wait_until(self._display_answers, 15, 'Xvfb to take connections')

    def _display_answers(self):
        if self.xvfb.poll() is not None:
            raise HarnessError('Xvfb ended (see xvfb.log)')
        return subprocess.run(['xprop', '-root', '_NET_SUPPORTING_WM_CHECK'], env=self.env(),
                              capture_output=True).returncode == 0

    def _start_openbox(self):
        with open(os.path.join(self.log_dir, 'openbox.log'), 'wb') as openbox_log:
            self.openbox = subprocess.Popen(['openbox', '--sm-disable'], env=self.env(),
                                            stdin=subprocess.DEVNULL, stdout=openbox_log,
                                            stderr=openbox_log)
        wait_until(self._manager_running, 15, 'openbox to manage the display')

    def _manager_running(self):
        if self.openbox.poll() is not None:
            with open(os.path.join(self.log_dir, 'openbox.log'), errors='replace') as log:
                raise HarnessError('openbox ended at once: %s' % log.read().strip())
        result = subprocess.run(['xprop', '-root', '_NET_SUPPORTING_WM_CHECK'], env=self.env(),
                                capture_output=True, text=True)
        return 'window id' in result.stdout

    def env(self):
        return {'PATH': os.environ.get('PATH', '/usr/bin:/bin'), 'DISPLAY': self.name}

    def run(self, *args, check=True):
        result = subprocess.run(list(args), env=self.env(), capture_output=True, text=True,
                                timeout=30)
        if check and result.returncode != 0:
            raise HarnessError('%s failed: %s' % (' '.join(args), result.stderr.strip()))
        return result.stdout

    def stop(self):
        end_process(self.openbox)
        end_process(self.xvfb)


# ---------------------------------------------------------------------------------------------
# Template server


class _Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = 'HTTP/1.0'

    def do_GET(self):
        server = self.server
        path = self.path.split('?', 1)[0]
        server.record(path, self)
        hold = server.hold_for(path)
        if hold is not None:
            # Released by the test, or by the server shutting down.
            while not hold.wait(0.1) and not server.stopping.is_set():
                pass
            if server.stopping.is_set():
                return
        custom = server.custom_handler(path)
        if custom is not None:
            custom(self)
        else:
            self.send_file(path)
        server.answered(path)

    def send_file(self, path):
        root = os.path.realpath(self.server.root)
        file = os.path.realpath(os.path.join(root, path.lstrip('/')))
        if not file.startswith(root + os.sep) or not os.path.isfile(file):
            self.send_error(404)
            return
        with open(file, 'rb') as handle:
            body = handle.read()
        types = {'.txt': 'text/plain', '.css': 'text/css', '.jpg': 'image/jpeg',
                 '.html': 'text/html'}
        self.send_response(200)
        self.send_header('Content-Type', types.get(os.path.splitext(file)[1], 'application/octet-stream'))
        self.send_header('Content-Length', str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, format, *args):
        self.server.log.append(format % args)


class TemplateServer(socketserver.ThreadingMixIn, http.server.HTTPServer):
    """Serves the template folder on the compiled-in host. A path can be held back until the test
    releases it, or answered by a handler of the test's own (for servers that misbehave)."""

    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, host_port, root):
        host, _, port = host_port.partition(':')
        self.root = root
        self.requests = []  # (path, headers) in order of arrival
        self.log = []
        self.stopping = threading.Event()
        self._lock = threading.Lock()
        self._holds = {}
        self._handlers = {}
        self._answered = []
        try:
            super().__init__((host, int(port or 80)), _Handler)
        except OSError as error:
            if error.errno == errno.EADDRINUSE:
                raise HarnessError(
                    'the template host %s is already in use by another process; the e2e tests '
                    'serve the templates there themselves, stop that process and rerun' % host_port)
            raise
        self._thread = threading.Thread(target=self.serve_forever, kwargs={'poll_interval': 0.05},
                                        daemon=True)
        self._thread.start()

    def handle_error(self, request, client_address):
        # The program may drop a connection at any time, for instance when it is closed; a fault
        # of a test's own handler is kept for the test to look at.
        import traceback
        self.log.append(traceback.format_exc())

    def record(self, path, handler):
        with self._lock:
            self.requests.append((path, dict(handler.headers.items())))

    def answered(self, path):
        with self._lock:
            self._answered.append(path)

    def hold(self, path):
        with self._lock:
            self._holds[path] = threading.Event()

    def release(self, path):
        with self._lock:
            event = self._holds.pop(path, None)
        if event is not None:
            event.set()

    def hold_for(self, path):
        with self._lock:
            return self._holds.get(path)

    def set_handler(self, path, handler):
        """handler(request_handler) answers the request itself, e.g. by writing raw bytes."""
        with self._lock:
            self._handlers[path] = handler

    def custom_handler(self, path):
        with self._lock:
            return self._handlers.get(path)

    def requested(self, path):
        with self._lock:
            return sum(1 for p, _ in self.requests if p == path)

    def was_answered(self, path):
        with self._lock:
            return path in self._answered

    def stop(self):
        self.stopping.set()
        with self._lock:
            holds = list(self._holds.values())
        for event in holds:
            event.set()
        self.shutdown()
        self.server_close()


# ---------------------------------------------------------------------------------------------
# Screenshots


class Picture:
    """An RGB crop of a screenshot."""

    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    def pixel(self, x, y):
        at = 3 * (y * self.width + x)
        return tuple(self.pixels[at:at + 3])

    def count_near(self, colour, tolerance=24):
        count = 0
        r0, g0, b0 = colour
        data = self.pixels
        for at in range(0, len(data), 3):
            if (abs(data[at] - r0) <= tolerance and abs(data[at + 1] - g0) <= tolerance
                    and abs(data[at + 2] - b0) <= tolerance):
                count += 1
        return count

    def differing_pixels(self, other):
        assert (self.width, self.height) == (other.width, other.height)
        a, b = self.pixels, other.pixels
        return sum(1 for at in range(0, len(a), 3) if a[at:at + 3] != b[at:at + 3])


def read_ppm(data):
    match = re.match(rb'P6\s+(\d+)\s+(\d+)\s+(\d+)\s', data)
    if not match:
        raise HarnessError('not a PPM picture')
    width, height = int(match.group(1)), int(match.group(2))
    return Picture(width, height, data[match.end():match.end() + 3 * width * height])


# ---------------------------------------------------------------------------------------------
# The program


class ProgramRun:
    """A copy of the program in a fresh directory whose name holds Chinese characters and a space,
    started on the display with a clean environment."""

    def __init__(self, display, program, artifacts):
        self.display = display
        self.artifacts = artifacts
        self.base = tempfile.mkdtemp(prefix='瓴丹 预览 ')
        self.directory = self.base
        self.program = os.path.join(self.directory, 'lingdan-preview')
        shutil.copy2(program, self.program)
        # The stand-in opener lives apart: a desktop opener's own path holds no space.
        self.support = tempfile.mkdtemp(prefix='ld-e2e-')
        os.makedirs(os.path.join(self.support, 'bin'))
        os.makedirs(os.path.join(self.support, 'home'))
        os.makedirs(os.path.join(self.support, 'runtime'), mode=0o700)
        self.opened_log = os.path.join(self.support, 'opened.txt')
        opener = os.path.join(self.support, 'bin', 'xdg-open')
        with open(opener, 'w') as script:
            script.write('#!/bin/sh\n'
                         '# Stands in for the desktop opener: records what it was asked to open.\n'
                         'for arg in "$@"; do printf \'%%s\\n\' "$arg"; done >> "%s"\n'
                         % self.opened_log.replace('"', '\\"'))
        os.chmod(opener, 0o755)
        self.process = None
        self.launched = None
        self.window = None
        self.screenshots = 0
        self.clipboard_owners = []

    @property
    def preview_file(self):
        return os.path.join(self.directory, PREVIEW_FILE)

    @property
    def style_file(self):
        return os.path.join(self.directory, STYLE_FILE)

    def start(self, prefix=()):
        self.launch(prefix)
        self.wait_for_window()

    def launch(self, prefix=(), log_name='program.log'):
        """Starts the program without waiting for its window; `prefix` is a command that runs it
        (for instance in a mount namespace of its own). Core dumps are allowed, into the support
        folder, so that a crash leaves a trace."""
        env = {
            'PATH': os.path.join(self.support, 'bin') + ':' + os.environ.get('PATH', '/usr/bin:/bin'),
            'DISPLAY': self.display.name,
            'HOME': os.path.join(self.support, 'home'),
            'XDG_RUNTIME_DIR': os.path.join(self.support, 'runtime'),
            'LANG': 'C.UTF-8',
            'QT_QPA_PLATFORM': 'xcb',
        }
        with open(os.path.join(self.artifacts, log_name), 'ab') as log:
            self.process = subprocess.Popen([*prefix, self.program], cwd=self.support, env=env,
                                            stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                            preexec_fn=_allow_core_dumps)
        self.launched = time.monotonic()
        self.window = None

    def wait_for_window(self, timeout=30):
        self.window = wait_until(lambda: self._find_window(WINDOW_TITLE), timeout,
                                 'the main window titled %s' % WINDOW_TITLE)
        # The window is placed and mapped before it takes input.
        wait_until(lambda: self.client_rect()[2] > 0, 10, 'the main window to be mapped')

    def _find_window(self, title):
        if self.process is not None and self.process.poll() is not None:
            raise HarnessError('the program ended with status %d before showing %s'
                               % (self.process.returncode, title))
        ids = self.windows_titled(title)
        return ids[0] if ids else None

    def windows_titled(self, title):
        out = self.display.run('xdotool', 'search', '--onlyvisible', '--name',
                               '^' + re.escape(title) + '$', check=False)
        return [line for line in out.split() if line.strip()]

    def client_rect(self, window=None):
        """Absolute x, y, width, height of a window's client area."""
        info = self.display.run('xwininfo', '-id', window or self.window)
        values = {}
        for key in ('Absolute upper-left X', 'Absolute upper-left Y', 'Width', 'Height'):
            values[key] = int(re.search(re.escape(key) + r':\s+(-?\d+)', info).group(1))
        return (values['Absolute upper-left X'], values['Absolute upper-left Y'],
                values['Width'], values['Height'])

    # Input.

    def click(self, place, window=None, repeat=1):
        x, y = place
        args = ['xdotool', 'mousemove', '--window', window or self.window, str(x), str(y),
                'click']
        if repeat > 1:
            args += ['--repeat', str(repeat), '--delay', '80']
        self.display.run(*args, '1')

    def key(self, *keys):
        self.display.run('xdotool', 'key', '--delay', '40', *keys)

    def type_text(self, text):
        self.display.run('xdotool', 'type', '--delay', '6', '--', text)

    def click_region(self, index):
        self.click((RADIO_LEFTS[index] + 20, PANEL_TOP + 22))

    def set_code(self, text):
        """Replaces the code box's text with typed ASCII text."""
        self.click(CODE_BOX)
        self.key('ctrl+a', 'BackSpace')
        # xdotool types a line feed as a key Qt ignores; a line break is the Return key.
        for number, line in enumerate(text.split('\n')):
            if number:
                self.key('Return')
            if line:
                self.type_text(line)

    def choose_edition(self, index):
        self.click(EDITION_LIST)
        time.sleep(0.3)  # the list opens with an animation-free popup; give it a frame
        self.key('Home', *(['Down'] * index), 'Return')

    # Waiting.

    def wait_for_file(self, path, timeout=15):
        return wait_until(lambda: os.path.exists(path), timeout, 'the file %s' % path)

    def wait_for_content(self, path, expected, timeout=15):
        """Waits until the file holds exactly `expected`; on timeout reports the last content."""
        def matches():
            try:
                with open(path, 'rb') as handle:
                    return handle.read() == expected
            except OSError:
                return False
        try:
            wait_until(matches, timeout, 'the content of %s' % os.path.basename(path))
        except AssertionError:
            try:
                with open(path, 'rb') as handle:
                    actual = handle.read()
            except OSError as error:
                raise AssertionError('%s was not written: %s' % (path, error))
            at = next((i for i, (a, b) in enumerate(zip(actual, expected)) if a != b),
                      min(len(actual), len(expected)))
            raise AssertionError(
                '%s differs from the expected %d bytes (has %d) at byte %d:\n  got      %r\n'
                '  expected %r' % (os.path.basename(path), len(expected), len(actual), at,
                                   actual[max(0, at - 40):at + 80], expected[max(0, at - 40):at + 80]))

    def wait_for_message_box(self, timeout=15):
        return wait_until(lambda: self._find_window(MESSAGE_TITLE), timeout,
                          'the message box titled %s' % MESSAGE_TITLE)

    def close_message_box(self, box):
        # Return presses the box's OK button; the box takes the focus when it opens, and is
        # activated again in case a click went to the main window since.
        self.display.run('xdotool', 'windowactivate', '--sync', box, check=False)
        wait_until(lambda: self.display.run('xdotool', 'getwindowfocus', check=False).strip() == box,
                   5, 'the message box to take the focus')
        self.display.run('xdotool', 'key', 'Return')
        wait_until(lambda: box not in self.windows_titled(MESSAGE_TITLE), 10,
                   'the message box to close')

    def wait_for_exit(self, timeout=15):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError('the program did not end within %.1f s' % timeout)

    def exit_after(self, close, timeout=15):
        """Runs `close` (which sends a close request) and returns the exit status and the seconds
        from just before the request to the end of the process."""
        started = time.monotonic()
        close()
        status = self.wait_for_exit(timeout)
        return status, time.monotonic() - started

    def close_by_escape(self, timeout=15):
        """Esc in the code box, which must be shown; returns the status and the close-to-exit time."""
        self.click(CODE_BOX)
        return self.exit_after(lambda: self.key('Escape'), timeout)

    def close_by_window_manager(self, timeout=15):
        """A close request through the window manager, as from the caption's close button."""
        return self.exit_after(
            lambda: self.display.run('wmctrl', '-i', '-c', self.window), timeout)

    def managed_windows(self):
        """Ids of the top-level windows the window manager manages for the program's process."""
        out = self.display.run('wmctrl', '-l', '-p', check=False)
        pid = str(self.process.pid)
        return [line.split()[0] for line in out.splitlines()
                if len(line.split()) > 2 and line.split()[2] == pid]

    def rss_kib(self):
        """Resident memory of the program's own process (not its engine helpers), or None once it
        has ended."""
        try:
            with open('/proc/%d/status' % self.process.pid) as status:
                for line in status:
                    if line.startswith('VmRSS:'):
                        return int(line.split()[1])
        except OSError:
            return None
        return None

    def core_files(self):
        return [name for folder in (self.support, self.directory) if os.path.isdir(folder)
                for name in os.listdir(folder) if name.startswith('core')]

    def paste_code(self, text):
        """Replaces the code box's text through the clipboard: far faster than typing. The
        clipboard owner runs until the paste has been taken."""
        owner = subprocess.Popen(['xclip', '-quiet', '-selection', 'clipboard', '-in'],
                                 env=self.display.env(), stdin=subprocess.PIPE,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.clipboard_owners.append(owner)
        owner.stdin.write(text.encode('utf-8'))
        owner.stdin.close()
        # xclip owns the selection once it has read all of its input.
        wait_until(lambda: self.display.run('xclip', '-selection', 'clipboard', '-o', '-t',
                                            'TARGETS', check=False).strip(), 15,
                   'xclip to own the clipboard')
        self.click(CODE_BOX)
        self.key('ctrl+a', 'BackSpace', 'ctrl+v')

    # Pictures.

    def screenshot(self, label):
        """Saves the whole screen under the artifacts folder and returns the file."""
        self.screenshots += 1
        file = os.path.join(self.artifacts, '%02d-%s.png' % (self.screenshots, label))
        self.display.run('import', '-window', 'root', file)
        return file

    def crop(self, screenshot, rect):
        """The client-relative rectangle of the main window in a screenshot."""
        left, top, _, _ = self.client_rect()
        x, y, width, height = rect
        data = subprocess.run(['convert', screenshot, '-crop',
                               '%dx%d+%d+%d' % (width, height, left + x, top + y), '+repage',
                               'ppm:-'], capture_output=True, check=True).stdout
        return read_ppm(data)

    def settled_picture(self, label, rect, previous=None, timeout=20):
        """Screenshots until the rectangle differs from `previous` (when given) and holds still
        for two shots; returns the picture and its file."""
        deadline = time.monotonic() + timeout
        last = None
        while True:
            file = self.screenshot(label)
            picture = self.crop(file, rect)
            changed = previous is None or picture.pixels != previous.pixels
            if changed and last is not None and picture.pixels == last.pixels:
                return picture, file
            if time.monotonic() > deadline:
                if not changed:
                    raise AssertionError('the screen did not change in %r (see %s)' % (rect, file))
                return picture, file
            if last is not None:
                os.remove(last_file)
            last, last_file = picture, file
            time.sleep(0.25)

    def stop(self):
        end_process(self.process)
        for owner in self.clipboard_owners:
            end_process(owner)
        shutil.rmtree(self.base, ignore_errors=True)
        shutil.rmtree(self.support, ignore_errors=True)


# ---------------------------------------------------------------------------------------------
# Test case base


class ProgramTestCase(unittest.TestCase):
    """Each test gets a display, a template server and a fresh copy of the program. Set
    HOLD_TEMPLATES to start with the two template requests held back."""

    HOLD_TEMPLATES = False
    START_PROGRAM = True  # False: the test starts the program itself (run_.start or launch)
    MARKET = '/ldxz/lddmylq/jsb.txt'
    TMALL = '/ldxz/lddmylq/tmb.txt'

    def setUp(self):
        self.program_path = setting('LD_E2E_PROGRAM')
        self.server_dir = setting('LD_E2E_SERVER_DIR')
        self.template_host = setting('LD_E2E_TEMPLATE_HOST')
        self.image_host = setting('LD_E2E_IMAGE_HOST')
        self.artifacts = os.path.join(setting('LD_E2E_ARTIFACTS'), self.id().split('.', 1)[-1])
        shutil.rmtree(self.artifacts, ignore_errors=True)
        os.makedirs(self.artifacts)

        self.server = TemplateServer(self.template_host, self.server_dir)
        self.addCleanup(self.server.stop)
        if self.HOLD_TEMPLATES:
            self.server.hold(self.MARKET)
            self.server.hold(self.TMALL)
        self.display = VirtualDisplay(self.artifacts)
        self.addCleanup(self.display.stop)
        self.display.start()
        self.run_ = ProgramRun(self.display, self.program_path, self.artifacts)
        self.addCleanup(self.run_.stop)
        self.before_start()
        if self.START_PROGRAM:
            self.run_.start()

    def before_start(self):
        """Runs once the server and the display are up, before the program starts: the place to
        give the server handlers that misbehave."""

    def template(self, path):
        with open(os.path.join(self.server_dir, path.lstrip('/')), 'rb') as handle:
            return handle.read()

    def wait_for_templates(self):
        """Waits until both templates have been delivered; the program installs them at once."""
        for path in (self.MARKET, self.TMALL):
            wait_until(lambda: self.server.was_answered(path), 30, 'the program to fetch ' + path)
