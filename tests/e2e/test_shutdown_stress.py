"""Closing the program at random moments of its start-up, a hundred times in a row: every run ends
within a second of the close, with status 0 and no core dump, whether the template server answers
or holds the requests back.

LD_E2E_STRESS_RUNS and LD_E2E_STRESS_SEED change the number of runs and the seed."""

import os
import random
import statistics
import subprocess
import time
import unittest

import harness
from fault_case import PROMPT_EXIT, report
from harness import wait_until

LATEST_CLOSE = 1.5  # seconds after the process starts


def processes_of(home):
    """Processes whose environment carries the given HOME: the program and its engine helpers."""
    marker = ('HOME=' + home).encode() + b'\0'
    found = []
    for entry in os.listdir('/proc'):
        if not entry.isdigit():
            continue
        try:
            with open('/proc/%s/environ' % entry, 'rb') as environ:
                if marker in environ.read() + b'\0':
                    found.append(int(entry))
        except OSError:
            pass
    return found


class ShutdownDuringStartUp(harness.ProgramTestCase):
    """Closed through the window manager (_NET_CLOSE_WINDOW, as the caption's close button does).
    Not by a synthetic Esc sent to the window: after a few of those, later programs on the same
    display closed themselves about 0.4 s after their window showed."""

    START_PROGRAM = False

    def managed_window(self):
        if self.run_.process.poll() is not None:
            raise AssertionError('the program ended with status %d before its window was there'
                                 % self.run_.process.returncode)
        windows = self.run_.managed_windows()
        return windows[0] if windows else None

    def close_once(self, number, delay, hold):
        """One start and close; returns a record of what happened."""
        run = self.run_
        if hold:
            self.server.hold(self.MARKET)
            self.server.hold(self.TMALL)
        run.launch()
        time.sleep(max(0.0, run.launched + delay - time.monotonic()))
        window = self.managed_window()
        early = window is None
        if early:
            window = wait_until(self.managed_window, 30, 'the main window of run %d' % number,
                                interval=0.01)
        run.window = window
        try:
            status, elapsed = run.close_by_window_manager(timeout=10)
        except AssertionError:
            harness.end_process(run.process)
            status, elapsed = run.process.returncode, float('inf')
        self.server.release(self.MARKET)
        self.server.release(self.TMALL)
        return {'run': number, 'delay': delay, 'hold': hold, 'early': early,
                'status': status, 'elapsed': elapsed, 'cores': run.core_files()}

    def test_closingAtRandomMomentsOfStartUp_everyRunEndsPromptlyWithZero(self):
        runs = int(os.environ.get('LD_E2E_STRESS_RUNS', '100'))
        seed = int(os.environ.get('LD_E2E_STRESS_SEED', '20250611'))
        chance = random.Random(seed)
        records = []
        for number in range(runs):
            records.append(self.close_once(number, chance.uniform(0.0, LATEST_CLOSE),
                                           chance.random() < 0.5))
        # The engine's helper processes go with the program.
        home = os.path.join(self.run_.support, 'home')
        try:
            wait_until(lambda: not processes_of(home), 10, 'the engine helpers to end')
        except AssertionError:
            left = processes_of(home)
            names = [subprocess.run(['ps', '-o', 'pid=,args=', '-p', str(pid)],
                                    capture_output=True, text=True).stdout.strip()
                     for pid in left]
            self.fail('processes of the program outlive it: %s' % names)

        with open(os.path.join(self.artifacts, 'runs.txt'), 'w') as log:
            for r in records:
                log.write('%(run)3d delay %(delay).3f hold %(hold)d early %(early)d '
                          'status %(status)s close-to-exit %(elapsed).3f\n' % r)
        times = [r['elapsed'] for r in records]
        slowest = max(records, key=lambda r: r['elapsed'])
        report(self, 'stress: %d runs (seed %d; %d with the templates held back, %d before the '
                     'window was there); close to exit max %.3f s (run %d, %.2f s after start), '
                     'median %.3f s'
               % (runs, seed, sum(r['hold'] for r in records),
                  sum(r['early'] for r in records), slowest['elapsed'], slowest['run'],
                  slowest['delay'], statistics.median(times)))
        bad = [r for r in records
               if r['status'] != 0 or r['elapsed'] >= PROMPT_EXIT or r['cores']]
        self.assertEqual(bad, [], 'runs that did not end promptly with status 0')


if __name__ == '__main__':
    unittest.main()
