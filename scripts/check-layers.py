#!/usr/bin/env python3
"""Fails when a folder includes a folder above it in the house's order.

The order is read from docs/architecture.md (the line that starts with "Rooms, from the ground
up:"), so the document and the check cannot drift apart. Every quoted #include of src/, tools/,
examples/ and bench/ is checked. A room is a folder of the order, or a folder within one that
the order names itself (app/flight): a file belongs to the deepest room its path lies in.
- a file of one room may include its own room and the rooms below it, never one above;
- portable code (every room but platform) takes from platform only its seams, platform/win32.h
  and platform/hostWindow.h; the programs above the system (tools, examples, bench) may name
  a host's own headers too, to drive or measure it;
- a host never includes another host;
- a header that starts "// <Room>'s own detail" is included from its own room only;
- the process entry (src/app/processEntry.cpp), which only the executables hold, picks the door
  the program runs through, and so stands above every room of app.
Usage: check-layers.py [ROOT]   (ROOT defaults to the repository this script lives in)
"""
import os
import re
import sys

ORDER_LINE = "Rooms, from the ground up:"
CODE_FOLDERS = ("src", "tools", "examples", "bench")
PROGRAM_ROOMS = ("tools", "examples", "bench")
PLATFORM_SEAMS = ("platform/win32.h", "platform/hostWindow.h")
PROCESS_ENTRY = "src/app/processEntry.cpp"
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
DETAIL = re.compile(r"^// (\w+)'s own detail")


def read_order(root):
    path = os.path.join(root, "docs", "architecture.md")
    with open(path, encoding="utf-8") as doc:
        for line in doc:
            if line.startswith(ORDER_LINE):
                rooms = re.findall(r"[A-Za-z0-9_/]+", line[len(ORDER_LINE):])
                if rooms:
                    return rooms
    sys.exit(f"check-layers: no '{ORDER_LINE}' line in {path}")


def deepest_room(parts, rank):
    """The deepest room of the order that the folders parts lie in (their first, else)."""
    for length in range(len(parts), 1, -1):
        candidate = "/".join(parts[:length])
        if candidate in rank:
            return candidate
    return parts[0]


def room_of(relative, rank):
    """The room of a file given relative to the repository."""
    parts = relative.split("/")
    if parts[0] == "src":
        return deepest_room(parts[1:-1], rank) if len(parts) > 2 else parts[1]
    return parts[0]


def host_of(relative):
    parts = relative.split("/")
    if parts[:3] == ["src", "platform", "host"] and len(parts) > 4:
        return parts[3]
    return None


def detail_headers(root):
    """Headers marked as their folder's own, by their path under src/."""
    details = {}
    for folder, _, names in os.walk(os.path.join(root, "src")):
        for name in names:
            if name.endswith(".h"):
                path = os.path.join(folder, name)
                with open(path, encoding="utf-8", errors="replace") as header:
                    if DETAIL.match(header.readline()):
                        relative = os.path.relpath(path, os.path.join(root, "src"))
                        details[relative.replace(os.sep, "/")] = relative.split(os.sep)[0]
    return details


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), ".."))
    order = read_order(root)
    rank = {room: i for i, room in enumerate(order)}
    # The process entry's own place: just above the highest room of app.
    entry_rank = max(rank[r] for r in order if r == "app" or r.startswith("app/")) + 0.5
    details = detail_headers(root)
    faults = []
    files = 0
    includes = 0
    edges = set()
    for top in CODE_FOLDERS:
        for folder, _, names in os.walk(os.path.join(root, top)):
            for name in sorted(names):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(folder, name)
                relative = os.path.relpath(path, root).replace(os.sep, "/")
                room = room_of(relative, rank)
                if room not in rank:
                    faults.append(f"{relative}: room '{room}' is not in the documented order")
                    continue
                files += 1
                with open(path, encoding="utf-8", errors="replace") as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        included = match.group(1)
                        if "/" not in included:
                            continue  # beside the including file, in its own folder
                        includes += 1
                        target = deepest_room(included.split("/")[:-1], rank)
                        # A program folder includes its own pieces from its top (tools/render/...).
                        if top != "src" and os.path.exists(os.path.join(root, top, included)):
                            target = room
                        where = f"{relative}:{number}: \"{included}\""
                        if target not in rank:
                            faults.append(f"{where}: '{target}' is not a room of the order")
                            continue
                        if target != room:
                            edges.add((room, target))
                        own_rank = entry_rank if relative == PROCESS_ENTRY else rank[room]
                        if rank[target] > own_rank:
                            faults.append(f"{where}: {room} may not include {target}, which "
                                          f"lies above it")
                        elif (target == "platform" and room not in ("platform",) + PROGRAM_ROOMS
                              and included not in PLATFORM_SEAMS):
                            faults.append(f"{where}: portable code takes from platform only "
                                          f"its seams, {' and '.join(PLATFORM_SEAMS)}")
                        if included in details and details[included] != room:
                            faults.append(f"{where}: a detail of {details[included]}, for its "
                                          f"own sources only")
                        own_host = host_of(relative)
                        target_host = host_of("src/" + included)
                        if target_host and own_host and target_host != own_host:
                            faults.append(f"{where}: one host includes another")
    if files == 0 or includes == 0:
        sys.exit(f"check-layers: found nothing to check under {root}")
    print("rooms, from the ground up: " + " -> ".join(order))
    for room in order:
        below = sorted((t for r, t in edges if r == room), key=rank.get)
        if below:
            print(f"  {room} includes {', '.join(below)}")
    print(f"checked {includes} includes between folders in {files} files; "
          f"{len(details)} detail headers kept to their rooms ({', '.join(sorted(details))})")
    if faults:
        for fault in faults:
            print("layer fault: " + fault, file=sys.stderr)
        print(f"check-layers: {len(faults)} includes against the order", file=sys.stderr)
        return 1
    print("no include goes against the order")
    return 0


if __name__ == "__main__":
    sys.exit(main())
