#!/usr/bin/env python3
"""A recording at the highest rate the emulated DVB adapter offers, by the whole program.

    bench/dvb_record_rate.py BUILD_DIR [--seconds 60] [--machine dvb|sim|both]

dvb: the program (KAVRO_MACHINE=dvb) runs under kavro-dvb-emulator, whose one
adapter is named a Kavro N72 tuner B by the devices file; sim: the same
program on the simulated machine with the same world. The world's one
transponder is 45000 kS/s 16APSK 9/10 (about 160 Mbit/s of transport stream,
the fastest the sky holds; the emulated DVR delivers a transponder's useful
bitrate). The Tuner Setting page tunes it, the Capture Control page records
it in time mode for the given seconds.

Reported per machine: the bytes the capture delivered in the recording's run
(its "capture stop bytes=" less its "capture run bytes=" journal line) against
the file's size, the overruns (the program's
"capture overrun" journal lines; on the DVB machine also the emulated DVR's
EOVERFLOW answers), the file checked by kavro-tscheck, and the CPU time the
program's process (every thread) used over the recording, per second of
stream recorded. On the DVB machine the emulator's own CPU (the stand-in for
the kernel's driver and the card) is reported apart: it is no part of the
program's figure.
"""
import argparse
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time

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

DEVICES = "[adapter0/frontend0]\nName=Kavro N72 DVBS/S2 Tuner B\n"

SCRIPT = ("select 1022 0\nclick 1\n"
          "text 1012 12000\ntext 1014 45000\ntext 1013 9750\ntext 1015 10600\ntext 1059 11700\n"
          "select 1002 0\nselect 1003 1\nclick 1\nwait-text 1032 20000 LOCKED\nwait 1500\n"
          # Started and stopped once first: stopping stops the graph, so the
          # capture's next run (its "capture run" line) is the recording's.
          "page 1\nclick 1036\nclick 1037\nclick 1034\ntext 1031 {seconds}\ntext 1030 c:\\rate.ts\nclick 1036\n"
          # The first stop showed "Record Stopped!" already: wait out the recording first.
          "wait {record_ms}\nwait-text 1035 {hold_ms} Record Stopped!\nwait 1000\nclose\n")


def cpu_seconds(pid):
    try:
        with open(f"/proc/{pid}/stat") as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
    except OSError:
        return None
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def children(pid):
    try:
        return [int(p) for p in pathlib.Path(f"/proc/{pid}/task/{pid}/children").read_text().split()]
    except OSError:
        return []


def one_run(build, machine, seconds):
    folder = pathlib.Path(tempfile.mkdtemp(prefix="kavro-dvb-rate-"))
    try:
        # The program from a folder of its own, so the devices file beside it is ours.
        own = folder / "program"
        own.mkdir()
        shutil.copy2(build / "Kavro-TScap", own / "Kavro-TScap")
        (own / "Transponders").symlink_to(build / "Transponders")
        (own / "CityList.txt").symlink_to(build / "CityList.txt")
        (own / "KavroDevices.ini").write_text(DEVICES)
        (folder / "Sky").mkdir()
        (folder / "Sky" / "0192.ini").write_text(SATELLITE)
        (folder / "world.ini").write_text(WORLD.format(sky=folder / "Sky"))
        drive = folder / "c"
        drive.mkdir()
        (folder / "script.txt").write_text(SCRIPT.format(seconds=seconds, record_ms=seconds * 1000, hold_ms=60000))
        journal = folder / "journal.txt"
        ioctls = folder / "ioctls.txt"
        env = dict(os.environ)
        env.setdefault("QT_QPA_PLATFORM", "offscreen")
        env.update(KAVRO_DRIVE_C=str(drive), KAVRO_UI_SCRIPT=str(folder / "script.txt"),
                   KAVRO_UI_TRANSCRIPT=str(folder / "transcript.txt"), KAVRO_SIM_JOURNAL=str(journal))
        program = str(own / "Kavro-TScap")
        if machine == "dvb":
            env.pop("KAVRO_SIM", None)
            env["KAVRO_MACHINE"] = "dvb"
            command = [str(build / "kavro-dvb-emulator"), "--journal", str(ioctls), str(folder / "world.ini"), "--",
                       program]
        else:
            env["KAVRO_MACHINE"] = "sim"
            env["KAVRO_SIM"] = str(folder / "world.ini")
            command = [program]
        recording = drive / "rate.ts"
        process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        program_pid = process.pid
        if machine == "dvb":
            deadline = time.monotonic() + 30
            while not children(process.pid) and time.monotonic() < deadline:
                time.sleep(0.05)
            program_pid = children(process.pid)[0]
        # CPU is sampled while the file grows: from its first byte to its last.
        deadline = time.monotonic() + 60
        while not (recording.exists() and recording.stat().st_size > 0) and time.monotonic() < deadline:
            if process.poll() is not None:
                break
            time.sleep(0.02)
        program_cpu0, emulator_cpu0 = cpu_seconds(program_pid), cpu_seconds(process.pid)
        first_byte = last_change = time.monotonic()
        last_size, program_cpu1, emulator_cpu1 = -1, program_cpu0, emulator_cpu0
        load = []
        while process.poll() is None:
            size = recording.stat().st_size if recording.exists() else 0
            if size != last_size:
                last_size = size
                last_change = time.monotonic()
                program_cpu1 = cpu_seconds(program_pid) or program_cpu1
                emulator_cpu1 = cpu_seconds(process.pid) or emulator_cpu1
            load.append(os.getloadavg()[0])
            time.sleep(0.2)
        status = process.wait()
        text = journal.read_text() if journal.exists() else ""
        delivered = 0
        overruns = 0
        run_start = 0
        for line in text.splitlines():
            if line.startswith("capture run bytes="):
                run_start = int(line.split("=", 1)[1])
            if line.startswith("capture stop bytes="):
                delivered = int(line.split("=", 1)[1]) - run_start
            if line.startswith("capture overrun"):
                overruns += 1
        dvr_overflows = 0
        if ioctls.exists():
            dvr_overflows = sum(1 for line in ioctls.read_text().splitlines() if "DVR read -> EOVERFLOW" in line)
        size = recording.stat().st_size if recording.exists() else 0
        check = subprocess.run([str(build / "kavro-tscheck"), str(recording)], capture_output=True, text=True)
        # The file grew in real time: the stream's seconds are the window's.
        stream_seconds = last_change - first_byte if size else 0
        print(f"machine {machine}: exit status {status}")
        print(f"  file bytes {size}, capture delivered {delivered}, {'equal' if size == delivered else 'DIFFERENT'}"
              + (f", {size * 8 / stream_seconds / 1e6:.1f} Mbit/s" if stream_seconds else ""))
        print(f"  overruns: capture overrun lines {overruns}" +
              (f", emulated DVR EOVERFLOW answers {dvr_overflows}" if machine == "dvb" else ""))
        if program_cpu0 is not None and stream_seconds:
            print(f"  program CPU {program_cpu1 - program_cpu0:.2f} s over {stream_seconds:.1f} s of stream: "
                  f"{1000 * (program_cpu1 - program_cpu0) / stream_seconds:.1f} ms per second of stream")
        if machine == "dvb" and emulator_cpu0 is not None and stream_seconds:
            print(f"  emulator CPU (not the program's) {emulator_cpu1 - emulator_cpu0:.2f} s: "
                  f"{1000 * (emulator_cpu1 - emulator_cpu0) / stream_seconds:.1f} ms per second of stream")
        if load:
            print(f"  load average {min(load):.1f} to {max(load):.1f}")
        print("  kavro-tscheck: " + " ".join((check.stdout + check.stderr).split())[:400])
        return status == 0 and size == delivered and overruns == 0 and dvr_overflows == 0 and check.returncode == 0
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build", type=pathlib.Path)
    parser.add_argument("--seconds", type=int, default=60)
    parser.add_argument("--machine", choices=["dvb", "sim", "both"], default="both")
    args = parser.parse_args()
    machines = ["dvb", "sim"] if args.machine == "both" else [args.machine]
    whole = True
    for machine in machines:
        whole = one_run(args.build.resolve(), machine, args.seconds) and whole
    return 0 if whole else 2


if __name__ == "__main__":
    sys.exit(main())
