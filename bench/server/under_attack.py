#!/usr/bin/env python3
"""The club's server under attack: ReadTable for 20 s while 400 parallel
wrong-password guesses and 24 crafted-photo clients run, and the time a
normal member's first (uncached) login takes meanwhile from another
address. Reports ReadTable p50/p99 and the login times; targets: ReadTable
p99 <= 50 ms, a normal login answered within 2 s.

Also (--memory) the server's resident memory before and after four rounds
of 1,000 connections, and before, during and after 600 radio listeners that
never read.

    bench/server/under_attack.py [--build build] [--seconds 20] [--memory]

Everything runs on 127.0.0.1 with a temporary data folder; the client
processes share the cores with the server (the attacking one at nice 10, as
a real attacker's machines are not the server's). VARNOK_BENCH_GUESSERS and
VARNOK_BENCH_PHOTO_CLIENTS change the attack's size; --quiet measures without
it.
"""
import argparse
import asyncio
import multiprocessing
import os
import shutil
import socket
import subprocess
import tempfile
import time

GUESSERS = int(os.environ.get("VARNOK_BENCH_GUESSERS", 400))
PHOTO_CLIENTS = int(os.environ.get("VARNOK_BENCH_PHOTO_CLIENTS", 24))


def crafted_jpeg(scans=20000):
    """A progressive 200 x 250 grey JPEG, valid to the last byte, with
    `scans` scans after the first: each a pass over the picture."""
    j = b"\xFF\xD8"
    j += b"\xFF\xDB\x00\x43\x00" + b"\x01" * 64
    j += b"\xFF\xC2\x00\x0B\x08\x00\xFA\x00\xC8\x01\x01\x11\x00"
    j += b"\xFF\xC4\x00\x14\x00\x01" + b"\x00" * 15 + b"\x00"
    j += b"\xFF\xC4\x00\x14\x10\x01" + b"\x00" * 15 + b"\x90"
    j += b"\xFF\xDA\x00\x08\x01\x01\x00\x00\x00\x00" + b"\x00" * 100
    j += (b"\xFF\xDA\x00\x08\x01\x01\x00\x01\x3F\x00" + b"\x48\x3F") * scans
    return j + b"\xFF\xD9"


def post(path, body, headers=(), close=False):
    head = [f"POST {path} HTTP/1.1", "Host: 127.0.0.1", "Content-Type: application/x-www-form-urlencoded",
            f"Content-Length: {len(body)}"] + list(headers)
    if close:
        head.append("Connection: close")
    return ("\r\n".join(head) + "\r\n\r\n").encode() + body


def read_reply(sock):
    data = b""
    while b"\r\n\r\n" not in data:
        chunk = sock.recv(65536)
        if not chunk:
            return None
        data += chunk
    head, _, body = data.partition(b"\r\n\r\n")
    length = 0
    for line in head.split(b"\r\n"):
        if line.lower().startswith(b"content-length:"):
            length = int(line.split(b":")[1])
    while len(body) < length:
        chunk = sock.recv(65536)
        if not chunk:
            return None
        body += chunk
    return body


def start_server(binary, data, extra=()):
    out = open(os.path.join(data, f"server.{len(os.listdir(data))}.log"), "w+")
    proc = subprocess.Popen([binary, "--port", "0", "--listen", "127.0.0.1", "--data", os.path.join(data, "db"),
                             *extra], stdout=out, stderr=subprocess.STDOUT)
    for _ in range(200):
        out.seek(0)
        line = out.readline()
        if "listening on" in line:
            return proc, int(line.split("127.0.0.1:")[1].split("/")[0])
        time.sleep(0.05)
    proc.kill()
    raise SystemExit("the server did not start")


def rss_mib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return 0


# ------------------------------------------------------------- the attackers

async def guesser(port, index, stop_at, counts):
    body = f"nick=victim{index % 8 + 1}&pw=guess{index}&label0=0".encode()
    while time.monotonic() < stop_at:
        try:
            reader, writer = await asyncio.open_connection("127.0.0.1", port)
            writer.write(post("/account.php", body, close=True))
            await asyncio.wait_for(reader.read(), timeout=40)
            writer.close()
            counts["guesses"] += 1
        except (OSError, asyncio.TimeoutError):
            counts["failed"] += 1
            await asyncio.sleep(0.1)


async def photo_client(port, index, stop_at, counts, jpeg):
    # Half under unknown nicks, half under an account of the attacker's own.
    nick, pw = ("nobody%d" % index, "whatever") if index % 2 else ("mallory1", "mallorypw")
    request = post("/photo_upload.php", jpeg, (f"X-Varnok-Nick: {nick}", f"X-Varnok-Password: {pw}"), close=True)
    while time.monotonic() < stop_at:
        try:
            reader, writer = await asyncio.open_connection("127.0.0.1", port)
            writer.write(request)
            await asyncio.wait_for(reader.read(), timeout=40)
            writer.close()
            counts["photos"] += 1
        except (OSError, asyncio.TimeoutError):
            counts["failed"] += 1
            await asyncio.sleep(0.1)


def attack(port, seconds, result, guessers=GUESSERS, photo_clients=PHOTO_CLIENTS):
    # A real attacker runs on machines of his own: here his client yields the
    # shared cores to the server and to the measuring clients.
    os.nice(10)

    async def run():
        stop_at = time.monotonic() + seconds
        counts = {"guesses": 0, "photos": 0, "failed": 0}
        jpeg = crafted_jpeg()
        await asyncio.gather(*[guesser(port, i, stop_at, counts) for i in range(guessers)],
                             *[photo_client(port, i, stop_at, counts, jpeg) for i in range(photo_clients)])
        result.update(counts)
    asyncio.run(run())


# ------------------------------------------------------------ the measurers

def read_tables(port, seconds, result):
    latencies = []
    stop_at = time.monotonic() + seconds
    sock = None
    while time.monotonic() < stop_at:
        try:
            if sock is None:
                sock = socket.create_connection(("127.0.0.1", port))
            start = time.monotonic()
            sock.sendall(post("/results.php", b"gid=9"))
            if read_reply(sock) is None:
                raise OSError("closed")
            latencies.append(time.monotonic() - start)
        except OSError:
            sock = None
            latencies.append(float("inf"))
        time.sleep(0.005)
    result["latencies"] = latencies


def member_logins(port, seconds, result):
    times = []
    for i in range(1, 5):
        time.sleep(seconds / 5)
        sock = socket.socket()
        sock.bind(("127.0.0.2", 0))
        sock.settimeout(30)
        start = time.monotonic()
        try:
            sock.connect(("127.0.0.1", port))
            sock.sendall(post("/account.php", f"nick=member{i}&pw=memberpw&label0=0".encode(), close=True))
            body = read_reply(sock)
            times.append((time.monotonic() - start, body is not None and body.startswith(b"$")))
        except OSError:
            times.append((float("inf"), False))
        sock.close()
    result["logins"] = times


def percentile(values, p):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(p / 100 * len(ordered)))]


def under_attack(binary, data, seconds, quiet=False):
    proc, port = start_server(binary, data)
    try:
        for i in range(1, 101):
            sock = socket.create_connection(("127.0.0.1", port))
            sock.sendall(post("/results.php", f"gid=9&nick=Player{i}&city=Omsk&country=1-001&score={i * 7}"
                              f"&R7=M&R8=5.7f&R9=%23&R10=%23*".encode(), close=True))
            read_reply(sock)
            sock.close()
        manager = multiprocessing.Manager()
        tables, logins, attacked = manager.dict(), manager.dict(), manager.dict()
        sizes = (0, 0) if quiet else (GUESSERS, PHOTO_CLIENTS)
        workers = [multiprocessing.Process(target=attack, args=(port, seconds + 2, attacked, *sizes)),
                   multiprocessing.Process(target=read_tables, args=(port, seconds, tables)),
                   multiprocessing.Process(target=member_logins, args=(port, seconds, logins))]
        for w in workers:
            w.start()
        time.sleep(1)  # the attack is under way before the measurements count
        for w in workers:
            w.join()
        latencies = [x for x in tables["latencies"]]
        done = [x for x in latencies if x != float("inf")]
        print(f"== {seconds} s under attack: {sizes[0]} parallel wrong-password guessers, "
              f"{sizes[1]} crafted-photo clients ({len(crafted_jpeg()) // 1024} KiB, 20,000 scans)")
        print(f"attack requests answered: {attacked.get('guesses', 0)} guesses, {attacked.get('photos', 0)} photos, "
              f"{attacked.get('failed', 0)} failed")
        print(f"ReadTable: {len(done)} answered, {len(latencies) - len(done)} failed, "
              f"p50 {percentile(done, 50) * 1000:.1f} ms, p99 {percentile(done, 99) * 1000:.1f} ms, "
              f"max {max(done) * 1000:.1f} ms")
        for t, ok in logins["logins"]:
            print(f"a member's first login from 127.0.0.2: {t:.2f} s ({'answered' if ok else 'NOT answered'})")
    finally:
        proc.terminate()
        proc.wait()


# --------------------------------------------------------------- memory

def memory(binary, data, music):
    proc, port = start_server(binary, data)
    try:
        time.sleep(1)
        before = rss_mib(proc.pid)
        rounds = []
        for _ in range(4):
            socks = []
            for _ in range(1000):
                s = socket.create_connection(("127.0.0.1", port))
                s.sendall(post("/results.php", b"gid=9"))
                socks.append(s)
            for s in socks:
                read_reply(s)
            for s in socks:
                s.close()
            time.sleep(3)
            rounds.append(rss_mib(proc.pid))
        print(f"== resident memory, four rounds of 1,000 connections: {before:.1f} MiB before, after each round "
              + ", ".join(f"{r:.1f}" for r in rounds) + " MiB")
    finally:
        proc.terminate()
        proc.wait()
    if not music:
        print("(no rendered songs: the radio's memory is not measured)")
        return
    os.makedirs(os.path.join(data, "db", "music"), exist_ok=True)
    for song in music:
        shutil.copy(song, os.path.join(data, "db", "music"))
    proc, port = start_server(binary, data)
    try:
        time.sleep(1)
        before = rss_mib(proc.pid)
        listeners = []
        for _ in range(600):
            s = socket.socket()
            s.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
            s.connect(("127.0.0.1", port))
            s.sendall(b"GET /radio/club HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n")
            listeners.append(s)
        peak = before
        for _ in range(40):
            time.sleep(1)
            peak = max(peak, rss_mib(proc.pid))
        for s in listeners:
            s.close()
        time.sleep(4)
        after = rss_mib(proc.pid)
        print(f"== 600 radio listeners that never read, 40 s: {before:.1f} MiB before, {peak:.1f} MiB at most, "
              f"{after:.1f} MiB after they left")
    finally:
        proc.terminate()
        proc.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--build", default=os.path.join(here, "..", "..", "build"))
    parser.add_argument("--seconds", type=int, default=20)
    parser.add_argument("--memory", action="store_true", help="measure resident memory instead")
    parser.add_argument("--binary", help="another varnok-server to measure (default: the build's)")
    parser.add_argument("--quiet", action="store_true", help="the same measurements without the attack")
    args = parser.parse_args()
    binary = args.binary or os.path.join(args.build, "server", "varnok-server")
    if not os.access(binary, os.X_OK):
        raise SystemExit(f"no {binary}: build the varnok-server target first")
    data = tempfile.mkdtemp(prefix="varnok-attack-")
    try:
        os.makedirs(os.path.join(data, "db"))
        add = [binary, "admin", "--data", os.path.join(data, "db"), "add-accounts"]
        subprocess.run(add + ["victim", "8", "victimpw"], check=True, stdout=subprocess.DEVNULL)
        subprocess.run(add + ["member", "8", "memberpw"], check=True, stdout=subprocess.DEVNULL)
        subprocess.run(add + ["mallory", "1", "mallorypw"], check=True, stdout=subprocess.DEVNULL)
        if args.memory:
            music = sorted(os.path.join(args.build, "server", "music", f)
                           for f in os.listdir(os.path.join(args.build, "server", "music"))
                           if f.endswith(".mp3")) if os.path.isdir(os.path.join(args.build, "server", "music")) else []
            memory(binary, data, music)
        else:
            under_attack(binary, data, args.seconds, args.quiet)
    finally:
        shutil.rmtree(data, ignore_errors=True)


if __name__ == "__main__":
    main()
