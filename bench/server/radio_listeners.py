#!/usr/bin/env python3
"""How many listeners the club station carries: starts varnok-server on
127.0.0.1 with a temporary data folder holding the club's rendered songs,
tunes N listeners in at once, reads them for a while and reports how many
were let in, the pace each received after the first burst (as a share of the
songs' 128 kbit/s), the server's CPU time, and how long plain requests took
meanwhile. The client runs on the same cores as the server.

    bench/server/radio_listeners.py [--build build] [--seconds 10] N [N ...]
"""
import argparse
import asyncio
import glob
import os
import re
import shutil
import subprocess
import tempfile
import time

PACE = 128000 / 8  # bytes a second of a 128 kbit/s song


async def listener(port, stats, stop_at, warm_until):
    try:
        reader, writer = await asyncio.open_connection("127.0.0.1", port)
    except OSError:
        stats["failed"] += 1
        return None
    writer.write(b"GET /radio/club HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n")
    head = await reader.readuntil(b"\r\n\r\n")
    if not head.startswith(b"HTTP/1.1 200"):
        stats["refused"] += 1
        writer.close()
        return None
    counted = 0
    while time.monotonic() < stop_at:
        try:
            data = await asyncio.wait_for(reader.read(65536), timeout=max(0.01, stop_at - time.monotonic()))
        except asyncio.TimeoutError:
            break
        if not data:
            stats["cut"] += 1
            break
        if time.monotonic() >= warm_until:
            counted += len(data)
    writer.close()
    return counted


async def plain_requests(port, stop_at, latencies):
    # curl times its own request, apart from this busy client.
    while time.monotonic() < stop_at - 0.5:
        curl = await asyncio.create_subprocess_exec(
            "curl", "-s", "-o", "/dev/null", "-w", "%{time_total}", f"http://127.0.0.1:{port}/directory.txt",
            stdout=asyncio.subprocess.PIPE)
        out, _ = await curl.communicate()
        latencies.append(float(out or 0))
        await asyncio.sleep(0.25)


def cpu_seconds(pid):
    fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


async def run(port, pid, count, seconds):
    stats = {"failed": 0, "refused": 0, "cut": 0}
    now = time.monotonic()
    warm_until = now + 4  # connections made and the three-second burst over
    stop_at = warm_until + seconds
    latencies = []
    cpu_start = None

    async def measure_cpu():
        nonlocal cpu_start
        await asyncio.sleep(warm_until - time.monotonic())
        cpu_start = cpu_seconds(pid)

    tasks = [asyncio.create_task(listener(port, stats, stop_at, warm_until)) for _ in range(count)]
    extra = [asyncio.create_task(plain_requests(port, stop_at, latencies)), asyncio.create_task(measure_cpu())]
    results = await asyncio.gather(*tasks)
    await asyncio.gather(*extra)
    cpu = cpu_seconds(pid) - cpu_start
    rates = sorted(r / seconds / PACE for r in results if r is not None)
    return stats, rates, cpu / seconds, latencies


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=os.path.join(here, "..", "..", "build"))
    parser.add_argument("--seconds", type=float, default=10)
    parser.add_argument("counts", type=int, nargs="+")
    args = parser.parse_args()
    songs = glob.glob(os.path.join(args.build, "server", "music", "*.mp3"))
    if not songs:
        raise SystemExit("no songs in build/server/music: build the varnok_music target first")
    data = tempfile.mkdtemp()
    os.makedirs(os.path.join(data, "music"))
    for s in songs:
        shutil.copy(s, os.path.join(data, "music"))
    server = subprocess.Popen([os.path.join(args.build, "server", "varnok-server"), "--port", "0", "--listen",
                               "127.0.0.1", "--data", data, "--radio-listeners", "100000"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    try:
        port = int(re.search(r"127\.0\.0\.1:(\d+)", server.stdout.readline()).group(1))
        print("listeners  let in  refused  cut  pace min/median  server CPU  plain request median/max")
        for count in args.counts:
            stats, rates, cpu, latencies = asyncio.run(run(port, server.pid, count, args.seconds))
            median = rates[len(rates) // 2] if rates else 0
            print(f"{count:9d}  {len(rates):6d}  {stats['refused']:7d}  {stats['cut']:3d}  "
                  f"{(rates[0] if rates else 0):6.0%} / {median:4.0%}   {cpu:9.0%}  "
                  f"{sorted(latencies)[len(latencies) // 2] * 1000:6.1f} / {max(latencies) * 1000:6.1f} ms", flush=True)
            time.sleep(1)
    finally:
        server.terminate()
        server.wait()
        shutil.rmtree(data)


if __name__ == "__main__":
    main()
