#!/usr/bin/env python3
"""The program's live path under Wine against radar-sim, measured from outside (started by
bench/live-path.sh, on a display). Prints a markdown table, each figure beside a baseline taken
in the same run. Exits 1 only when the harness itself fails; a slow program is a result."""
import argparse
import os
import re
import shutil
import signal
import statistics
import subprocess
import sys
import time

LINE_RATE = 568  # engineering reports of 45 bytes, 10 bits a byte: the most 256000 baud carries
FRAME_BYTES = 45
CLASS = "KOVA_Tevo512Tool"
ID_PORT, ID_CONNECT, ID_ENGINEERING, ID_START, ID_READ, ID_DISTANCE = 1101, 1103, 1104, 1105, 1210, 1500
CLOSE_LIMIT_S = 20
TICKS = os.sysconf("SC_CLK_TCK")


class HarnessError(Exception):
    pass


def log(text):
    print("live-path: " + text, file=sys.stderr, flush=True)


def now_us():
    return time.time_ns() // 1000


def median(values):
    return statistics.median(values) if values else float("nan")


def percentile(values, p):
    if not values:
        return float("nan")
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(p / 100 * (len(ordered) - 1))))]


class Bench:
    def __init__(self, args):
        self.args = args
        self.root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
        self.build = os.path.join(self.root, "build", "win")
        self.native = os.path.join(self.root, "build", "native", "bin")
        self.wine_run = os.path.join(self.build, "bench-wine-run.sh")
        self.prefix = os.path.join(self.build, "bench-wineprefix")
        self.driver = os.path.join(self.build, "bin", "e2e-driver.exe")
        self.watch = os.path.join(self.build, "bin", "live-watch.exe")
        self.work = os.path.join(self.build, "bench-live")
        self.children = []  # every process started, stopped at the end
        self.rows = []  # (what, figure, baseline, ratio)
        self.notes = []
        self.readouts = 0
        self.wine_log = subprocess.DEVNULL
        for needed in (self.wine_run, self.driver, self.watch, os.path.join(self.native, "radar-sim"),
                       os.path.join(self.build, "dist", "KOVA_Tevo512Tool.exe"),
                       os.path.join(self.build, "tests", "e2e", "standin", "KOVA_Tevo512Tool.exe"),
                       os.path.join(self.build, "bench", "sample-fill", "KOVA_Tevo512Tool.exe")):
            if not os.path.exists(needed):
                raise HarnessError(needed + " is missing (scripts/build native win)")

    # --- processes -------------------------------------------------------------------------

    def spawn(self, argv, **kw):
        # Wine's own messages (and the server it may start) go to a log, not the table.
        kw.setdefault("stderr", self.wine_log)
        process = subprocess.Popen(argv, **kw)
        self.children.append(process)
        return process

    def wine(self, *argv, timeout=60, check=True):
        result = subprocess.run([self.wine_run, *argv], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                text=True, timeout=timeout)
        if check and result.returncode != 0:
            raise HarnessError("%s: %s" % (" ".join(argv), result.stderr.strip() or result.returncode))
        return result.stdout.strip()

    def drv(self, *argv, check=True):
        return self.wine(self.driver, *[str(a) for a in argv], check=check)

    def wait_drv(self, want, *argv, limit=20):
        deadline = time.monotonic() + limit
        out = ""
        while time.monotonic() < deadline:
            out = self.drv(*argv, check=False)
            if re.fullmatch(want, out):
                return out
            time.sleep(0.2)
        raise HarnessError("drv %s: got %r, wanted /%s/" % (" ".join(map(str, argv)), out, want))

    def prefix_pids(self):
        """Processes of this Wine prefix: {pid: comm}."""
        found = {}
        marker = ("WINEPREFIX=" + self.prefix).encode()
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                with open("/proc/%s/environ" % entry, "rb") as f:
                    if marker not in f.read().split(b"\0"):
                        continue
                with open("/proc/%s/comm" % entry) as f:
                    found[int(entry)] = f.read().strip()
            except OSError:
                pass
        return found

    def wineserver_pid(self):
        pids = [pid for pid, comm in self.prefix_pids().items() if comm.startswith("wineserver")]
        if len(pids) != 1:
            raise HarnessError("wineserver of the prefix: found %r" % pids)
        return pids[0]

    def program_pid(self, process):
        """The Linux process of the program: wine keeps the pid of the command it was started as."""
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            try:
                with open("/proc/%d/cmdline" % process.pid, "rb") as f:
                    if b"KOVA_Tevo512Tool.exe" in f.read():
                        return process.pid
            except OSError:
                pass
            time.sleep(0.05)
        raise HarnessError("the program's process is not %d" % process.pid)

    def start_program(self, folder, limit=60):
        """Starts the program in `folder`; returns (process, Linux time of the start, shown time)."""
        watcher = self.spawn([self.wine_run, self.watch, "window", CLASS, str(limit * 1000)],
                             stdout=subprocess.PIPE, text=True)
        if watcher.stdout.readline().strip() != "watching":
            raise HarnessError("the watcher did not start")
        started = now_us()
        program = self.spawn([self.wine_run, "./KOVA_Tevo512Tool.exe"], cwd=folder,
                             stdout=subprocess.DEVNULL)
        line = watcher.stdout.readline().strip()
        watcher.wait(timeout=10)
        if not line.isdigit():
            raise HarnessError("no window of %s within %d s" % (folder, limit))
        self.program_pid(program)
        return program, started, int(line)

    def close_program(self, program):
        """WM_CLOSE, then the time until the Linux process is gone; None when killed after the limit."""
        posted = self.wine(self.watch, "close", CLASS)
        if not posted.isdigit():
            raise HarnessError("close: %r" % posted)
        try:
            program.wait(timeout=CLOSE_LIMIT_S)
            gone = now_us()
        except subprocess.TimeoutExpired:
            program.kill()
            program.wait()
            return None
        return (gone - int(posted)) / 1e6

    def stop_all(self):
        for process in reversed(self.children):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        subprocess.run([self.wine_run, "wineserver", "-k"], capture_output=True, timeout=60)

    # --- /proc -----------------------------------------------------------------------------

    @staticmethod
    def cpu_ticks(pid):
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return int(fields[11]) + int(fields[12])  # utime, stime

    @staticmethod
    def memory_kib(pid):
        values = {}
        with open("/proc/%d/status" % pid) as f:
            for line in f:
                name, _, rest = line.partition(":")
                if name in ("VmRSS", "VmHWM"):
                    values[name] = int(rest.split()[0])
        return values["VmRSS"], values["VmHWM"]

    def cpu_share(self, pids, seconds):
        """Share of one core of each process over `seconds` of wall time."""
        before = [self.cpu_ticks(pid) for pid in pids]
        start = time.monotonic()
        time.sleep(seconds)
        after = [self.cpu_ticks(pid) for pid in pids]
        wall = time.monotonic() - start
        return [(a - b) / TICKS / wall for a, b in zip(after, before)]

    # --- set-up ----------------------------------------------------------------------------

    def make_stream(self, path, reports):
        """Engineering reports whose detection distances are 1, 2, 3, ... cm: every change of
        the readout names exactly one report."""
        frames = bytearray()
        for i in range(reports):
            d = 1 + i % 65535
            moving = [(i * 7 + g * 13) % 100 for g in range(9)]
            still = [(i * 3 + g * 11) % 100 for g in range(9)]
            data = bytes([1]) + d.to_bytes(2, "little") + bytes([max(moving)]) + d.to_bytes(2, "little")
            data += bytes([max(still)]) + d.to_bytes(2, "little") + bytes([8, 8]) + bytes(moving + still) + b"\0\1"
            body = bytes([1, 0xAA]) + data + bytes([0x55, 0])
            frames += b"\xF4\xF3\xF2\xF1" + len(body).to_bytes(2, "little") + body + b"\xF8\xF7\xF6\xF5"
        with open(path, "wb") as f:
            f.write(frames)
        # The program's own decoder, natively, must read them as meant.
        decoded = subprocess.run([os.path.join(self.native, "capture-decode"), path], capture_output=True,
                                 text=True, check=True).stdout.split("\n")
        decoded = [line for line in decoded if line.startswith("State=")]
        if len(decoded) != reports or not decoded[0].endswith("R_D=001") or not decoded[-1].endswith(
                "R_D=%03d" % (1 + (reports - 1) % 65535)):
            raise HarnessError("the generated stream does not decode as meant")

    def start_sim(self, name, rate, stream):
        link = os.path.join(self.work, name)
        times = os.path.join(self.work, name + "-times.txt")
        sim = self.spawn([os.path.join(self.native, "radar-sim"), "--link", link, "--rate", str(rate),
                          "--engineering", "--replay", stream, "--report-times", times],
                         stdout=subprocess.PIPE, text=True)
        if sim.stdout.readline().strip() != "ready":
            raise HarnessError("radar-sim did not start")
        return os.readlink(link), times

    def map_ports(self, ports):
        self.wine("wineserver", "-k", check=False)
        self.wine("wineserver", "-w", check=False)
        for port, pty in ports.items():
            self.wine("reg", "add", r"HKLM\Software\Wine\Ports", "/v", port, "/d", pty, "/f")
        self.wine("wineserver", "-k", check=False)
        self.wine("wineserver", "-w", check=False)

    def program_folder(self, name, source, config):
        folder = os.path.join(self.work, name)
        shutil.copytree(source, folder)
        if config is not None:
            with open(os.path.join(folder, "appConfig.xml"), "w") as f:
                f.write('<?xml version="1.0"?>\n<AppConfig %s/>\n' % config)
        return folder

    # --- measurements ----------------------------------------------------------------------

    def check_clock(self):
        """Wine's precise system time against the Linux realtime clock, read as each line arrives
        (the pipe only makes the difference look larger)."""
        watcher = self.spawn([self.wine_run, self.watch, "clock", "20"], stdout=subprocess.PIPE, text=True)
        offsets = []
        for line in watcher.stdout:
            arrived = now_us()
            offsets.append(arrived - int(line))
        watcher.wait(timeout=10)
        if len(offsets) != 20:
            raise HarnessError("the clock check read %d lines" % len(offsets))
        self.clock_offset_ms = median(offsets) / 1000
        self.notes.append("Clock check: a Linux reading taken as each of 20 Wine readings arrived "
                          "(GetSystemTimePreciseAsFileTime) was later by %.3f ms (median), %.3f ms at most: "
                          "the two clocks agree to the pipe's delay." %
                          (self.clock_offset_ms, max(offsets) / 1000))

    def startup(self, standin_folder, program_folder):
        runs = {"program": [], "standin": []}
        for i in range(self.args.startup_runs + 1):
            for kind, folder in (("program", program_folder), ("standin", standin_folder)):
                process, started, shown = self.start_program(folder)
                if i > 0:  # the first start of each fills Wine's caches and writes the files
                    runs[kind].append((shown - started) / 1e6)
                if self.close_program(process) is None:
                    raise HarnessError("%s did not close after start-up" % kind)
        p, s = median(runs["program"]), median(runs["standin"])
        self.rows.append(("Start-up to a shown window, median of %d" % len(runs["program"]),
                          "%.3f s (%s)" % (p, ", ".join("%.2f" % r for r in runs["program"])),
                          "bare dialog (e2e stand-in): %.3f s (%s)" %
                          (s, ", ".join("%.2f" % r for r in runs["standin"])), "%.2f" % (p / s)))

    def connect_and_start(self, port):
        self.drv("combo-select", ID_PORT, port)
        self.drv("click", ID_CONNECT)
        self.wait_drv("1", "enabled", ID_START)
        self.drv("check", ID_ENGINEERING, 1)
        self.drv("click", ID_START)
        self.wait_drv("0", "enabled", ID_READ)
        self.wait_drv("[0-9]+", "get-text", ID_DISTANCE)

    def stop_reporting(self):
        self.drv("click", ID_START)
        self.wait_drv("1", "enabled", ID_READ)

    def reports_in(self, times_path, start_us, end_us):
        written = []
        with open(times_path) as f:
            for line in f:
                parts = line.split()
                if len(parts) == 2:
                    written.append((int(parts[0]), int(parts[1])))
        return [w for w in written if start_us <= w[0] <= end_us], written

    def latency(self, times_path, seconds, label):
        self.readouts += 1
        out_linux = os.path.join(self.work, "readout-%d.txt" % self.readouts)
        start = now_us()
        # Wine's drive Z: is the Linux root.
        self.wine(self.watch, "readout", CLASS, str(ID_DISTANCE), str(seconds), "Z:" + out_linux,
                  timeout=seconds + 60)
        end = now_us()
        polls, seen = [], []
        with open(out_linux) as f:
            for line in f:
                parts = line.split()
                if parts[0] == "poll":
                    polls.append((int(parts[1]), int(parts[2])))
                elif parts[0] == "seen" and len(parts) == 4 and parts[3].isdigit():
                    seen.append((int(parts[1]), int(parts[2]), int(parts[3])))
        in_window, written = self.reports_in(times_path, start, end)
        sent_at = {d: t for t, d in written}  # distances are unique within a run
        delays = [(t1 - sent_at[d]) / 1000 for t0, t1, d in seen[1:] if d in sent_at and sent_at[d] >= start]
        periods = [(b[0] - a[0]) / 1000 for a, b in zip(polls, polls[1:])]
        trips = [(t1 - t0) / 1000 for t0, t1 in polls]
        rate = len(in_window) / ((end - start) / 1e6)
        if not delays:
            self.rows.append(("Report to screen, %s" % label, "no report seen", "", ""))
            return rate
        self.rows.append((
            "Report to screen, %s: median / 99th percentile (%d changes seen of %d reports written)" %
            (label, len(delays), len(in_window)), "%.1f ms / %.1f ms" % (median(delays), percentile(delays, 99)),
            "the poller's period %.2f ms / %.2f ms; one WM_GETTEXT round trip %.2f ms / %.2f ms" %
            (median(periods), percentile(periods, 99), median(trips), percentile(trips, 99)),
            "%.0f" % (median(delays) / median(periods))))
        return rate

    def cpu_rows(self, label, shares, baseline, baseline_label):
        for name, value, base in zip(("program", "wineserver", "program + wineserver"), shares + [sum(shares)],
                                     baseline + [sum(baseline)]):
            ratio = "%.1f" % (value / base) if base > 0 else "-"
            self.rows.append(("CPU of one core, %s, %s" % (name, label), "%.1f %%" % (value * 100),
                              "%s: %.1f %%" % (baseline_label, base * 100), ratio))

    def session(self, folder, port, times_path, rate_label, idle_after):
        process, _, _ = self.start_program(folder)
        pid = self.program_pid(process)
        server = self.wineserver_pid()
        self.connect_and_start(port)
        time.sleep(2)  # past the first reports and their first paints
        log("CPU while reporting, %s, %d s" % (rate_label, self.args.seconds))
        start = now_us()
        shares = self.cpu_share([pid, server], self.args.seconds)
        in_window, _ = self.reports_in(times_path, start, now_us())
        written_rate = len(in_window) / self.args.seconds
        log("latency, %s, %d s" % (rate_label, self.args.latency_seconds))
        self.latency(times_path, self.args.latency_seconds, rate_label)
        idle = None
        if idle_after:
            self.stop_reporting()
            time.sleep(1)
            log("CPU connected, not reporting, %d s" % self.args.seconds)
            idle = self.cpu_share([pid, server], self.args.seconds)
        closed = self.close_program(process)
        return shares, written_rate, idle, closed

    def memory(self, folder):
        process, _, _ = self.start_program(folder)
        pid = self.program_pid(process)
        time.sleep(1)
        readings = [("just started (baseline)", self.memory_kib(pid), 0, 0)]
        steps = (("bench-fill", "after %d reports (12 hours at 10/s)" % self.args.fill_reports),
                 ("bench-prune", "after 36000 more (one hour), the oldest pruned as they came"),
                 ("bench-drop", "after the clock jumped past the span: all pruned"))
        for step, label in steps:
            open(os.path.join(folder, step + ".go"), "w").close()
            done = os.path.join(folder, step + ".done")
            deadline = time.monotonic() + self.args.fill_limit
            while not os.path.exists(done) and time.monotonic() < deadline and process.poll() is None:
                time.sleep(0.2)
            if not os.path.exists(done):
                self.rows.append(("Memory, %s" % label, "> %d s, not finished" % self.args.fill_limit, "", ""))
                break
            time.sleep(0.5)
            with open(done) as f:
                fed, ms = map(int, f.read().split())
            readings.append((label, self.memory_kib(pid), fed, ms))
        self.notes.append("Memory: the program fed in its own process (bench/sample_fill_win.cpp) on a clock "
                          "that moves 100 ms per report, since the sample list stamps samples with "
                          "MS_GetTime; every report goes through the dialog's decoder and hand-over as in the program, "
                          "the dialog taking them once a display frame (and pruning then), each report logging its line.")
        base_rss, base_hwm = readings[0][1]
        self.rows.append(("Memory, program %s: VmRSS / VmHWM" % readings[0][0], "%.1f / %.1f MiB" %
                          (base_rss / 1024, base_hwm / 1024), "", ""))
        for label, (rss, hwm), fed, ms in readings[1:]:
            per = ""
            if label.startswith("after %d" % self.args.fill_reports):
                per = "%.0f bytes a sample" % ((rss - base_rss) * 1024 / fed)
            self.rows.append(("Memory, %s (fed in %.1f s): VmRSS / VmHWM" % (label, ms / 1000),
                              "%.1f / %.1f MiB" % (rss / 1024, hwm / 1024),
                              "just started: %.1f / %.1f MiB" % (base_rss / 1024, base_hwm / 1024),
                              "%.2f %s" % (rss / base_rss, ("(" + per + ")") if per else "")))
        if self.close_program(process) is None:
            self.notes.append("The fed program did not close within %d s (killed)." % CLOSE_LIMIT_S)

    # --- the run ---------------------------------------------------------------------------

    def run(self):
        shutil.rmtree(self.work, ignore_errors=True)
        os.makedirs(self.work)
        self.wine_log = open(os.path.join(self.work, "wine.log"), "w")
        self.wine("wineboot", check=False, timeout=180)  # makes the prefix the first time
        # Enough for the session at the line's limit, with distances that never repeat in it.
        stream_reports = min(65535, (self.args.seconds + self.args.latency_seconds + 40) * LINE_RATE)
        stream = os.path.join(self.work, "stream.dat")
        self.make_stream(stream, stream_reports)
        pty_slow, times_slow = self.start_sim("com5", 10, stream)
        pty_fast, times_fast = self.start_sim("com6", LINE_RATE, stream)
        self.map_ports({"COM5": pty_slow, "COM6": pty_fast})
        self.check_clock()

        config = 'DebugMode="1"'
        program = self.program_folder("program", os.path.join(self.build, "dist"), config)
        standin = self.program_folder("standin", os.path.join(self.build, "tests", "e2e", "standin"), None)
        log("start-up, %d runs each" % self.args.startup_runs)
        self.startup(standin, program)

        log("10 reports/s on COM5")
        slow, slow_rate, idle, closed_idle = self.session(program, "COM5", times_slow, "10 reports/s", True)
        log("the line's limit on COM6")
        fast_label = "line's limit (--rate %d)" % LINE_RATE
        fast, fast_rate, _, closed_fast = self.session(program, "COM6", times_fast, fast_label, False)
        self.cpu_rows("10 reports/s", slow, idle, "connected, not reporting")
        self.cpu_rows(fast_label, fast, idle, "connected, not reporting")
        self.notes.append("Reports written by radar-sim while the CPU was measured: %.1f/s at --rate 10, "
                          "%.1f/s at --rate %d (%.0f %% of 256000 baud)." %
                          (slow_rate, fast_rate, LINE_RATE, fast_rate * FRAME_BYTES * 10 / 2560))

        def closing(value):
            return "> %d s (killed)" % CLOSE_LIMIT_S if value is None else "%.3f s" % value

        ratio = "-" if closed_idle is None or closed_fast is None else "%.1f" % (closed_fast / closed_idle)
        self.rows.append(("WM_CLOSE to process exit, reporting at the line's limit", closing(closed_fast),
                          "connected, not reporting: %s" % closing(closed_idle), ratio))

        log("memory: %d reports fed in the program's process" % self.args.fill_reports)
        fill = self.program_folder("fill", os.path.join(self.build, "bench", "sample-fill"),
                                   'DebugMode="0" DistanceUnit="2" DistanceCount="12"')
        os.environ["KOVA_FILL_REPORTS"] = str(self.args.fill_reports)
        self.memory(fill)

    def table(self):
        lines = ["| what | figure | baseline (same run) | ratio |", "|---|---|---|---|"]
        order = ["CPU", "Report", "Memory", "Start", "WM_CLOSE"]
        for key in order:
            for what, figure, base, ratio in self.rows:
                if what.startswith(key):
                    lines.append("| %s | %s | %s | %s |" % (what, figure, base, ratio))
        return "\n".join(lines + [""] + self.notes)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--seconds", type=int, default=40, help="each CPU measurement (default 40)")
    parser.add_argument("--latency-seconds", type=int, default=15, help="each latency measurement (default 15)")
    parser.add_argument("--startup-runs", type=int, default=5, help="starts of each program (default 5)")
    parser.add_argument("--fill-reports", type=int, default=432000, help="reports for the memory figure")
    parser.add_argument("--fill-limit", type=int, default=240, help="seconds a memory step may take")
    parser.add_argument("--out", help="also write the table to this file")
    args = parser.parse_args()
    bench = Bench(args)
    try:
        bench.run()
    except (HarnessError, subprocess.SubprocessError, OSError) as error:
        log("failed: %s" % error)
        print(bench.table())
        return 1
    finally:
        bench.stop_all()
    table = bench.table()
    print(table)
    if args.out:
        with open(args.out, "w") as f:
            f.write(table + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
