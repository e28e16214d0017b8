#!/usr/bin/env python3
"""A plain client for bench_searchrun: sends each request of a file (requests end in an empty
line) to HOST:PORT, CONNECTIONS at a time, reads each reply to the end, and prints its wall
time, CPU time and peak memory on one line."""
import asyncio
import resource
import sys
import time


async def fetch(host, port, request, gate, sizes):
    async with gate:
        reader, writer = await asyncio.open_connection(host, port)
        writer.write(request)
        await writer.drain()
        sizes.append(len(await reader.read()))
        writer.close()


async def main():
    host, port, path, connections = sys.argv[1], int(sys.argv[2]), sys.argv[3], int(sys.argv[4])
    with open(path, "rb") as f:
        requests = [r + b"\r\n\r\n" for r in f.read().split(b"\r\n\r\n") if r]
    gate = asyncio.Semaphore(connections)
    sizes = []
    wall, cpu = time.monotonic(), time.process_time()
    await asyncio.gather(*(fetch(host, port, r, gate, sizes) for r in requests))
    wall, cpu = time.monotonic() - wall, time.process_time() - cpu
    peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024
    print(f"{len(sizes)} {sum(sizes)} {wall:.3f} {cpu:.3f} {peak:.1f}")


asyncio.run(main())
