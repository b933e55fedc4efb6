#!/usr/bin/env python3
"""Whole-process CPU of Kavro-TScap on the simulated machine, at rest or recording.

    bench/program_cpu.py PROGRAM rest   [--runs 5] [--seconds 60]
    bench/program_cpu.py PROGRAM record [--runs 5] [--seconds 30] [--mode size|time]

rest: tuner B of one N72 card is picked and the main window stays open with
nothing tuned. record: a transponder of 45000 kS/s 16APSK 9/10 (about 158
Mbit/s of transport stream) is tuned through the Tuner Setting page, and the
Capture Control page records it in size mode (the default mode, whose
"KBytes" text changes on every tick) or time mode.

The program runs a script of the automation (docs/automation.md) with the
platform of the environment: QT_QPA_PLATFORM=offscreen, or a real display
with `xvfb-run -a bench/program_cpu.py ...`. After the main window opened
(rest) or the recording file appeared (record) and a few seconds more, the
user and system time of the whole process (every thread) is read from
/proc/PID/stat at the start and end of a window of the given seconds; the
figure is that time over the window's wall time, in percent of one core.
Each run prints its figure and the load average around it; the last line
is the median of the runs.
"""
import argparse
import os
import pathlib
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

SETTLE_SECONDS = 5

WORLD = """[World]
Tuners=N72B
Sky={sky}
[Tuner.N72B]
Name=Kavro N72 DVBS/S2 Tuner B
Kind=pcie
Cable=Home
[Cable.Home]
Lnb=9750,10600,11700
PortA=sat 0192
Default=A
"""

SATELLITE = """[SATTYPE]
1=0192
2=Rate Test
[DVB]
0=1
1=12000,H,45000,910,S2,16APSK,pilots=off,rolloff=0.20
"""

PICK_TUNER = "select 1022 0\nclick 1\n"
TUNE = ("text 1012 12000\ntext 1014 45000\ntext 1013 9750\ntext 1015 10600\ntext 1059 11700\n"
        "select 1002 0\nselect 1003 1\nclick 1\nwait-text 1032 20000 LOCKED\n"
        # The monitor may show LOCKED a moment before the lock flag is set.
        "wait 1500\npage 1\n")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    # utime and stime are fields 14 and 15 of the line, 12 and 13 after the name.
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def wait_for(predicate, timeout, process):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if predicate():
            return True
        if process.poll() is not None:
            return False
        time.sleep(0.1)
    return False


def one_run(program, kind, seconds, mode):
    folder = pathlib.Path(tempfile.mkdtemp(prefix="kavro-cpu-"))
    try:
        (folder / "Sky").mkdir()
        (folder / "Sky" / "0192.ini").write_text(SATELLITE)
        (folder / "world.ini").write_text(WORLD.format(sky=folder / "Sky"))
        drive = folder / "c"
        drive.mkdir()
        recording = drive / "rate.ts"
        hold_ms = (SETTLE_SECONDS + seconds + 60) * 1000
        if kind == "rest":
            script = PICK_TUNER + f"wait {hold_ms}\n"
        elif mode == "time":
            script = (PICK_TUNER + TUNE + "text 1030 c:\\rate.ts\nclick 1034\n"
                      f"text 1031 {SETTLE_SECONDS + seconds + 10}\nclick 1036\n"
                      f"wait-text 1035 {hold_ms} Record Stopped!\n")
        else:
            script = (PICK_TUNER + TUNE + "text 1030 c:\\rate.ts\nclick 1033\ntext 1032 800000\nclick 1036\n"
                      f"wait {(SETTLE_SECONDS + seconds + 10) * 1000}\nclick 1037\n")
        (folder / "script.txt").write_text(script)
        transcript = folder / "transcript.txt"
        env = dict(os.environ)
        env.setdefault("QT_QPA_PLATFORM", "offscreen" if not env.get("DISPLAY") else "xcb")
        env.update(KAVRO_SIM=str(folder / "world.ini"), KAVRO_DRIVE_C=str(drive),
                   KAVRO_UI_SCRIPT=str(folder / "script.txt"), KAVRO_UI_TRANSCRIPT=str(transcript))
        process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            if kind == "rest":
                started = wait_for(lambda: transcript.exists() and "\nopen 102 " in transcript.read_text(), 30,
                                   process)
            else:
                started = wait_for(lambda: recording.exists() and recording.stat().st_size > 0, 60, process)
            if not started:
                raise RuntimeError("the program did not get there; transcript:\n" +
                                   (transcript.read_text() if transcript.exists() else "(none)"))
            time.sleep(SETTLE_SECONDS)
            load_before = os.getloadavg()[0]
            wall0, cpu0 = time.monotonic(), cpu_seconds(process.pid)
            size0 = recording.stat().st_size if recording.exists() else 0
            time.sleep(seconds)
            wall1, cpu1 = time.monotonic(), cpu_seconds(process.pid)
            size1 = recording.stat().st_size if recording.exists() else 0
            load_after = os.getloadavg()[0]
        finally:
            process.kill()
            process.wait()
        share = 100.0 * (cpu1 - cpu0) / (wall1 - wall0)
        rate = (size1 - size0) * 8 / (wall1 - wall0) / 1e6
        return share, rate, (load_before + load_after) / 2
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("program")
    parser.add_argument("kind", choices=["rest", "record"])
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--seconds", type=int, default=None)
    parser.add_argument("--mode", choices=["size", "time"], default="size")
    args = parser.parse_args()
    seconds = args.seconds or (60 if args.kind == "rest" else 30)
    shares = []
    for run in range(args.runs):
        share, rate, load = one_run(os.path.abspath(args.program), args.kind, seconds, args.mode)
        shares.append(share)
        extra = f", file grew at {rate:.1f} Mbit/s" if args.kind == "record" else ""
        print(f"run {run + 1}: {share:.2f} % of a core over {seconds} s{extra}, load average {load:.1f}",
              flush=True)
    print(f"median of {len(shares)}: {statistics.median(shares):.2f} % of a core")
    return 0


if __name__ == "__main__":
    sys.exit(main())
