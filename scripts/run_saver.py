#!/usr/bin/env python3
"""Runs terrava.scr /s under Wine: on the current display when there is one,
otherwise under Xvfb with screenshots written to a folder."""
import argparse
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import winedriver  # noqa: E402


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--bin", required=True)
    ap.add_argument("--dir", required=True)
    ap.add_argument("--seconds", type=float, default=float(os.environ.get("RUN_SECONDS", "20")))
    ap.add_argument("--size", default=os.environ.get("RUN_SIZE", "1024x768"))
    args = ap.parse_args()
    scr = os.path.join(os.path.abspath(args.bin), "terrava.scr")

    session = winedriver.WineSession(args.dir)
    if os.environ.get("DISPLAY") and not os.environ.get("CI"):
        # Use the user's own display, but still our private prefix.
        session.state = {"display": os.environ["DISPLAY"]}
        if not os.path.exists(os.path.join(session.prefix, "system.reg")):
            session._create_prefix()
        print("Terrava is running; press a key or click to end it.")
        return 0 if session.run([scr, "/s"], timeout=24 * 3600) == 0 else 1

    shots = os.path.join(os.path.abspath(args.dir), "screenshots")
    os.makedirs(shots, exist_ok=True)
    for old in os.listdir(shots):
        os.unlink(os.path.join(shots, old))
    session.start(args.size)
    try:
        proc = session.launch(scr, ["/s"])
        start = time.time()
        n = 0
        while time.time() - start < args.seconds and proc.poll() is None:
            time.sleep(min(4.0, args.seconds / 5))
            n += 1
            session.screenshot(os.path.join(shots, f"frame-{n:02d}.png"))
        session.key("space")
        code = session.wait(proc, 30)
        print(f"terrava.scr ended with exit code {code}; screenshots in {shots}")
        return 0 if code == 0 else 1
    finally:
        session.stop()


if __name__ == "__main__":
    sys.exit(main())
