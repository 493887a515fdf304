#!/usr/bin/python3
"""Measures the gaps in the show's sound through a real sound server.

For each folder given (an unpacked release's vorlane/, or a build's demo/;
Windows' vorlane.exe under Wine, as tests/release/windows/with-wine sets it
up), runs the demo from it on the current X display under a PulseAudio
server of its own with a null sink, lets go of Up, records the sink until
the show has ended, and prints the silent gaps it heard inside the music:
runs of 10 ms or more of digital silence, which the track itself never has.
Gaps come with a busy machine, so each row gives the load average it ran
at; give every folder in one run to compare them. Run it under a display:
scripts/with-display tools/bench/sound_gaps.py FOLDER...
"""

import argparse
import array
import os
import shutil
import subprocess
import sys
import tempfile
import time

RATE = 44100
GAP_FRAMES = RATE // 100  # 10 ms
TRACK_SECONDS = 49.5
START_SECONDS = 60


def wait_until(check, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if check():
            return True
        time.sleep(0.05)
    return False


class SoundServer:
    """PulseAudio with a null sink on a socket in a folder of its own, and a recording of the sink."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="vorlane-gaps.")
        self.address = "unix:" + os.path.join(self.folder, "native")
        home = {"HOME": self.folder, "XDG_RUNTIME_DIR": self.folder, "XDG_CONFIG_HOME": self.folder}
        with open(os.path.join(self.folder, "server.log"), "w") as log:
            self.server = subprocess.Popen(
                ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                 "--disable-shm=yes", "-L", f"module-null-sink sink_name=out rate={RATE} channels=2",
                 "-L", f"module-native-protocol-unix socket={self.folder}/native auth-anonymous=1"],
                env={**os.environ, **home}, stdout=log, stderr=log)
        if not wait_until(lambda: os.path.exists(os.path.join(self.folder, "native")), 10):
            raise RuntimeError("PulseAudio did not start; its log is in " + self.folder)
        self.recording = os.path.join(self.folder, "recording.raw")
        with open(self.recording, "wb") as raw:
            self.recorder = subprocess.Popen(
                ["parec", "--server=" + self.address, "--device=out.monitor", "--format=s16le",
                 f"--rate={RATE}", "--channels=2", "--raw"], stdout=raw)
        wait_until(lambda: os.path.getsize(self.recording) > 0, 5)

    def stop(self):
        for process in (self.recorder, self.server):
            process.terminate()
            process.wait()

    def remove(self):
        shutil.rmtree(self.folder, ignore_errors=True)


def play_show(folder, server):
    """Runs the demo in the folder to the end of its show; the seconds from Up to its exit."""
    environment = {**os.environ, "PULSE_SERVER": server.address}
    if os.path.exists(os.path.join(folder, "vorlane.exe")):
        # Windows' OpenAL Soft plays through Wine's own output, which plays through PulseAudio.
        environment.pop("ALSOFT_DRIVERS", None)
        command = [os.environ["WINE"], "vorlane.exe"]
    else:
        environment["ALSOFT_DRIVERS"] = "pulse"
        command = ["./vorlane"]
    demo = subprocess.Popen(command, cwd=folder, stdout=subprocess.DEVNULL, env=environment)
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(demo.pid)],
                            capture_output=True, text=True, timeout=START_SECONDS).stdout.split()
    if not window:
        demo.kill()
        raise RuntimeError(f"the demo in {folder} showed no window")
    subprocess.run(["xdotool", "windowfocus", window[0], "keydown", "Up", "sleep", "0.05", "keyup", "Up"])
    pressed = time.monotonic()
    demo.wait(timeout=TRACK_SECONDS * 3)
    played = time.monotonic() - pressed
    # What the server played last reaches the file once later silence pushes it out.
    time.sleep(1)
    return played


def silent_gaps(path):
    """The runs of digital silence, in frames, from the first sound to the last."""
    samples = array.array("h")
    with open(path, "rb") as raw:
        samples.frombytes(raw.read())
    frames = len(samples) // 2
    loud = [i for i in range(frames) if samples[2 * i] or samples[2 * i + 1]]
    if not loud:
        return [], 0
    gaps, run = [], 0
    for i in range(loud[0], loud[-1] + 1):
        if samples[2 * i] or samples[2 * i + 1]:
            if run >= GAP_FRAMES:
                gaps.append(run)
            run = 0
        else:
            run += 1
    return gaps, (loud[-1] - loud[0] + 1) / RATE


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("folders", nargs="+", metavar="FOLDER", help="a folder holding ./vorlane and data/")
    args = parser.parse_args()
    print(f"{'folder':40} {'load':>5} {'gaps':>5} {'silent ms':>10} {'longest ms':>11} {'heard s':>8}"
          f" {'Up to exit s':>13}")
    for folder in args.folders:
        server = SoundServer()
        try:
            played = play_show(folder, server)
        finally:
            server.stop()
        load = os.getloadavg()[0]
        gaps, heard = silent_gaps(server.recording)
        server.remove()
        longest = max(gaps, default=0) * 1000 // RATE
        print(f"{folder[-40:]:40} {load:5.1f} {len(gaps):5} {sum(gaps) * 1000 // RATE:10} {longest:11} {heard:8.2f}"
              f" {played:13.2f}", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
