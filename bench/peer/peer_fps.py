#!/usr/bin/env python3
"""Frame rate of terrava.scr under Wine against glplanet, side by side.

For each screen size, one after the other on a fresh Xvfb of that size:
glplanet (xscreensaver-gl-extra) drawing its globe on the root window with
-delay 0 (GLPLANET_COMMAND), its frames counted at glXSwapBuffers by the
swap_counter.c shim; then terrava.scr /s under Wine at the same size, its
frames read from Wine's fps channel (WINEDEBUG=fps, one line per second).
Both are measured over the same span after the same warm-up. Prints each
program's frames per second, the ratio Terrava / glplanet, the load average
at the start of each run, the saver's peak resident private memory
(RssAnon) and peak resident set (VmHWM) of its Wine process, and the
processor time of each frame under Wine by where it is spent: the saver's
main thread, llvmpipe's rasterizer threads, the saver's other threads, the
wineserver and Xvfb. Wine has no sound device here, so the saver plays no
music; with --music the music plays into ALSA's null device (an asoundrc in
a HOME of the run's own), for the memory the music takes; that device never
blocks, so the frame rates of such a run are not the ones to compare.
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "e2e"))
import winedriver  # noqa: E402

GLPLANET = "/usr/libexec/xscreensaver/glplanet"
# Left to itself glplanet picks its projection at random on each start, and
# about one start in four draws a flat map at 2 to 3 times the globe's frame
# rate; the globe is the picture to compare with.
GLPLANET_COMMAND = [GLPLANET, "-root", "-delay", "0", "-mode", "globe"]
SETTINGS_KEY = r"HKCU\Software\Korvane\Terrava"
DRIVERS_KEY = r"HKCU\Software\Wine\Drivers"
FPS_LINE = re.compile(r"approx\s+([0-9.]+)\s*fps")


def build_shim(out_dir):
    shim = os.path.join(out_dir, "swap_counter.so")
    subprocess.run(["cc", "-O2", "-shared", "-fPIC", "-o", shim, os.path.join(HERE, "swap_counter.c"), "-ldl"],
                   check=True)
    return shim


def read_swaps(path):
    """(count, seconds) of the latest published swap, or None."""
    try:
        with open(path) as f:
            count, when = f.read().split()
        return int(count), float(when)
    except (OSError, ValueError):
        return None


def load_average():
    with open("/proc/loadavg") as f:
        return f.read().split()[0]


def measure_glplanet(session, shim, out_dir, warmup, seconds):
    return measure_swaps(session, shim, out_dir, GLPLANET_COMMAND, warmup, seconds)


def measure_swaps(session, shim, out_dir, command, warmup, seconds):
    """Frames per second of an X11 program, counted at its buffer swaps."""
    count_file = os.path.join(out_dir, os.path.basename(command[0]) + ".swaps")
    if os.path.exists(count_file):
        os.unlink(count_file)
    env = session.env({"LD_PRELOAD": shim, "SWAP_COUNT_FILE": count_file})
    proc = subprocess.Popen(command, env=env, start_new_session=True,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        time.sleep(warmup)
        first = read_swaps(count_file)
        time.sleep(seconds)
        last = read_swaps(count_file)
    finally:
        winedriver._kill_group(proc.pid)
        proc.wait()
    if first is None or last is None or last[1] <= first[1]:
        return None
    return (last[0] - first[0]) / (last[1] - first[1])


def thread_ticks(pid):
    """Processor time of each thread of PID in clock ticks: {(tid, name): ticks}."""
    ticks = {}
    for tid in os.listdir(f"/proc/{pid}/task") if pid else []:
        try:
            with open(f"/proc/{pid}/task/{tid}/stat") as f:
                stat = f.read()
        except OSError:
            continue
        fields = stat[stat.rindex(")") + 2:].split()  # utime and stime are fields 14 and 15
        ticks[(int(tid), stat[stat.index("(") + 1:stat.rindex(")")])] = int(fields[11]) + int(fields[12])
    return ticks


def frame_processor_time(before, after, frames):
    """Milliseconds of processor time per frame, by component, between two
    samples of {component: thread_ticks} taken over FRAMES frames."""
    ms = {}
    for component, threads in after.items():
        for (tid, name), ticks in threads.items():
            if component == "saver":
                part = "main" if tid == min(t for t, _ in threads) else "llvmpipe" if name.startswith(
                    "llvmpipe") else "other"
                component_name = f"saver {part}"
            else:
                component_name = component
            spent = ticks - before.get(component, {}).get((tid, name), 0)
            ms[component_name] = ms.get(component_name, 0.0) + spent * 1000.0 / os.sysconf("SC_CLK_TCK") / frames
    return ms


def memory_kib(pid, field):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith(field + ":"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def saver_environment(session, size, out_dir, music, winedebug):
    """Stores the settings of a measured run (the screen size, neither VSync
    nor a frame limit, the music on or off) and returns the environment
    additions for it: WINEDEBUG, and with the music a HOME whose ALSA
    default device is the null device, with Wine's audio driver set to ALSA."""
    width, height = (int(v) for v in size.split("x"))
    session.reg_set_dwords(SETTINGS_KEY, {"Width": width, "Height": height, "VSync": 0, "FrameLimit": 0,
                                          "EnableMusic": int(music)}, out_dir)
    extra = {"WINEDEBUG": winedebug}
    if music:
        session.reg_add(DRIVERS_KEY, "Audio", "REG_SZ", "alsa")
        home = os.path.join(out_dir, "home")
        os.makedirs(home, exist_ok=True)
        with open(os.path.join(home, ".asoundrc"), "w") as f:
            f.write("pcm.!default {\n  type null\n}\n")
        extra["HOME"] = home
    return extra


def component_ticks(session, saver):
    """The threads' processor time of the saver, the session's wineserver and Xvfb."""
    return {"saver": thread_ticks(saver), "wineserver": thread_ticks(session.process_id("wineserver")),
            "Xvfb": thread_ticks(session.state.get("xvfb_pid"))}


def measure_terrava(session, scr, size, out_dir, warmup, seconds, music=False):
    extra = saver_environment(session, size, out_dir, music, "fps")
    log_path = os.path.join(out_dir, f"terrava-{size}.log")
    with open(log_path, "wb") as log:
        proc = subprocess.Popen(["wine", scr, "/s"], env=session.env(extra),
                                start_new_session=True, stdout=log, stderr=subprocess.STDOUT)
        started = time.time()
        peak_private = 0
        pid = None
        samples = []
        while time.time() - started < warmup + seconds and proc.poll() is None:
            pid = pid or session.process_id("terrava")
            if pid:
                peak_private = max(peak_private, memory_kib(pid, "RssAnon"))
            if not samples and time.time() - started >= warmup:
                samples.append(component_ticks(session, pid))
            time.sleep(0.2)
        samples.append(component_ticks(session, pid))
        peak_resident = memory_kib(pid, "VmHWM") if pid else 0
        session.key("space")
        session.wait(proc, 15)
    with open(log_path, errors="replace") as f:
        rates = [float(m.group(1)) for m in FPS_LINE.finditer(f.read())]
    # One line per second of drawing: skip the warm-up's lines.
    measured = rates[int(warmup):]
    fps = sum(measured) / len(measured) if measured else None
    cpu = frame_processor_time(samples[0], samples[-1], fps * seconds) if fps and len(samples) == 2 else {}
    return fps, peak_private, peak_resident, cpu


def parse_arguments(program_option, program_help, dir_help, music_option=False):
    """The command line of a side-by-side run: the program, a scratch
    folder, the sizes and the span (and --music where the program takes
    it); the scratch folder is made."""
    ap = argparse.ArgumentParser()
    ap.add_argument(program_option, required=True, help=program_help)
    ap.add_argument("--dir", required=True, help=dir_help)
    ap.add_argument("--sizes", default="800x600,1920x1080")
    ap.add_argument("--warmup", type=float, default=5.0, help="seconds before counting")
    ap.add_argument("--seconds", type=float, default=20.0, help="seconds counted per program")
    if music_option:
        ap.add_argument("--music", action="store_true", help="play the music (into ALSA's null device)")
    args = ap.parse_args()
    os.makedirs(args.dir, exist_ok=True)
    if not os.path.exists(GLPLANET):
        raise SystemExit(f"{GLPLANET} is missing: run scripts/setup.sh")
    return args


def main():
    args = parse_arguments("--bin", "folder of terrava.scr (build/windows/bin)",
                           "scratch folder for the Wine prefix and logs", music_option=True)
    scr = os.path.join(os.path.abspath(args.bin), "terrava.scr")
    shim = build_shim(args.dir)
    session = winedriver.WineSession(os.path.join(args.dir, "wine"))
    rows = []
    cpus = []
    for size in args.sizes.split(","):
        session.start(size)
        try:
            load_peer = load_average()
            peer = measure_glplanet(session, shim, args.dir, args.warmup, args.seconds)
            load_saver = load_average()
            fps, private, resident, cpu = measure_terrava(session, scr, size, args.dir, args.warmup, args.seconds,
                                                          args.music)
        finally:
            session.stop()
        rows.append((size, peer, load_peer, fps, load_saver, private, resident))
        cpus.append((size, cpu))
    print(f"{'size':>10} {'glplanet fps':>12} {'load':>5} {'Terrava fps':>12} {'load':>5} {'ratio':>6}"
          f" {'peak private MiB':>16} {'peak RSS MiB':>12}")
    for size, peer, load_peer, fps, load_saver, private, resident in rows:
        ratio = f"{fps / peer:6.2f}" if peer and fps else "     -"
        print(f"{size:>10} {peer or 0:12.1f} {load_peer:>5} {fps or 0:12.1f} {load_saver:>5} {ratio}"
              f" {private / 1024:16.1f} {resident / 1024:12.1f}")
    print("Terrava's processor time per frame under Wine, ms (the fps above is counted over the same span):")
    for size, cpu in cpus:
        print(f"{size:>10} " + "  ".join(f"{name} {ms:.1f}" for name, ms in sorted(cpu.items())))
    return 0 if all(r[1] and r[3] for r in rows) else 1


if __name__ == "__main__":
    sys.exit(main())
