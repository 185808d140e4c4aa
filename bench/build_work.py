#!/usr/bin/env python3
"""Compares the build work of two configured trees (called by bench/build-work.sh).

Three measures, each meant to hold still while the machine's clock swings:
  - the preprocessed text and the headers of every unit (compile_commands.json, each command run
    with -E -P -H);
  - the processor time (user + system, compiler and its children) of a sample of units present in
    both trees, compiled back to back, the order alternating, several rounds;
  - each tree's dependency graph (build.ninja) replayed on N processors with one table of per-edge
    times, as Ninja 1.11 schedules: a free processor takes the ready edge written first.
"""
import argparse
import heapq
import json
import os
import re
import shlex
import statistics
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor


def unit_id(path):
    """The name a unit keeps when its source moves between subfolders of its target (a widget source
    moved into qt/, say): `<target>.dir/<object>`. A path of no target keeps its whole name."""
    m = re.match(r"(?:.*/)?([^/]+\.dir)/(?:.*/)?([^/]+\.o)$", path)
    return f"{m.group(1)}/{m.group(2)}" if m else path


def unit_ids(paths):
    """Each path's unit id, or the path itself where two paths of one tree would share an id."""
    ids = [unit_id(p) for p in paths]
    shared = {i for i in ids if ids.count(i) > 1}
    return {p: (p if i in shared else i) for p, i in zip(paths, ids)}


class Tree:
    def __init__(self, name, src, out):
        self.name, self.src, self.out = name, os.path.realpath(src), os.path.realpath(out)
        units = {}  # object path relative to the build folder -> (folder, argv)
        with open(os.path.join(self.out, "compile_commands.json")) as f:
            for entry in json.load(f):
                argv = shlex.split(entry["command"]) if "command" in entry else entry["arguments"]
                obj = argv[argv.index("-o") + 1]
                folder = entry["directory"]
                units[os.path.relpath(os.path.join(folder, obj), self.out)] = (folder, argv)
        # Keyed by unit id, so that a unit moved within its target is paired with itself.
        ids = unit_ids(list(units))
        self.units = {ids[path]: unit for path, unit in units.items()}

    def command(self, key, output):
        """The unit's compile command writing OUTPUT ("-" for the standard output)."""
        folder, argv = self.units[key]
        argv = list(argv)
        at = argv.index("-o")
        if output == "-":
            del argv[at:at + 2]
        else:
            argv[at + 1] = output
        return folder, argv


# --- preprocessed text -------------------------------------------------------------------------

def preprocess(tree, key):
    folder, argv = tree.command(key, "-")
    argv = [argv[0], "-E", "-P", "-H"] + argv[1:]
    size = 0
    with subprocess.Popen(argv, cwd=folder, stdout=subprocess.PIPE, stderr=subprocess.PIPE) as p:
        # -H writes one line per header opened, its depth as leading dots; stderr is read on the
        # side so that neither pipe fills.
        with ThreadPoolExecutor(1) as side:
            err = side.submit(p.stderr.read)
            while chunk := p.stdout.read(1 << 16):
                size += len(chunk)
            err = err.result().decode("latin-1")
    if p.returncode:
        sys.exit(f"{tree.name}: preprocessing {key} failed:\n{err[-2000:]}")
    headers = {line.split(" ", 1)[1] for line in err.splitlines()
               if line.startswith(".") and " " in line}
    return size, len(headers)


def measure_text(trees, jobs):
    result = []
    with ThreadPoolExecutor(jobs) as pool:
        for tree in trees:
            keys = sorted(tree.units)
            result.append(dict(zip(keys, pool.map(lambda k, t=tree: preprocess(t, k), keys))))
    return result


# --- paired processor time ---------------------------------------------------------------------

def cpu_seconds(tree, key, scratch):
    folder, argv = tree.command(key, os.path.join(scratch, "unit.o"))
    p = subprocess.Popen(argv, cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    err = p.stderr.read()
    # wait4 reports the compiler driver together with the compiler and assembler it waited for.
    _, status, usage = os.wait4(p.pid, 0)
    p.returncode = os.waitstatus_to_exitcode(status)
    if p.returncode:
        sys.exit(f"{tree.name}: compiling {key} failed:\n{err.decode('latin-1')[-2000:]}")
    return usage.ru_utime + usage.ru_stime


def paired_unit(trees, key, rounds):
    times = ([], [])
    with tempfile.TemporaryDirectory(prefix="build-work-") as scratch:
        for r in range(rounds):
            order = (0, 1) if r % 2 == 0 else (1, 0)
            for side in order:
                times[side].append(cpu_seconds(trees[side], key, scratch))
    return times


def pick_sample(text_after, common, size):
    """Units spread evenly over the range of preprocessed sizes, smallest to largest."""
    ranked = sorted(common, key=lambda k: (text_after[k][0], k))
    if size >= len(ranked):
        return ranked
    step = len(ranked) / size
    return [ranked[int(step * i + step / 2)] for i in range(size)]


# --- the schedule replayed ---------------------------------------------------------------------

def ninja_statements(path):
    """Yields the logical lines of a Ninja file and of the files it includes."""
    base = os.path.dirname(path)
    with open(path, encoding="utf-8", errors="surrogateescape") as f:
        lines = f.read().split("\n")
    pending = ""
    for line in lines:
        if line.endswith("$") and not line.endswith("$$"):
            pending += line[:-1]
            continue
        line, pending = pending + (line.lstrip() if pending else line), ""
        if line.startswith(("include ", "subninja ")):
            yield from ninja_statements(os.path.join(base, line.split(None, 1)[1].strip()))
        else:
            yield line


def ninja_words(text, variables):
    """Splits on unescaped blanks, undoing $-escapes ("$ ", "$:", "$$") and expanding ${name}."""
    words, word, i = [], "", 0
    while i < len(text):
        c = text[i]
        if c == "$" and text.startswith("{", i + 1):
            end = text.index("}", i)
            word += variables.get(text[i + 2:end], "")
            i = end + 1
            continue
        if c == "$" and i + 1 < len(text):
            word += text[i + 1]
            i += 2
            continue
        if c == " ":
            if word:
                words.append(word)
            word = ""
        else:
            word += c
        i += 1
    if word:
        words.append(word)
    return words


def split_unescaped_colon(text):
    i = 0
    while i < len(text):
        if text[i] == "$":
            i += 2
            continue
        if text[i] == ":":
            return text[:i], text[i + 1:]
        i += 1
    raise ValueError(text)


class Graph:
    """The edges that `ninja all` runs in a clean build folder, in the order they are written."""

    def __init__(self, tree):
        edges = []  # (outputs, rule, inputs)
        producer, variables = {}, {}
        for line in ninja_statements(os.path.join(tree.out, "build.ninja")):
            if not line.startswith("build "):
                name, eq, value = line.partition(" = ")
                if eq and not line.startswith(" ") and " " not in name:
                    variables[name] = value
                continue
            outs, rest = split_unescaped_colon(line[len("build "):])
            words = ninja_words(rest, variables)
            rule, inputs = words[0], []
            for w in words[1:]:
                if w == "|@":
                    break  # validations do not order the build
                if w not in ("|", "||"):
                    inputs.append(self.norm(tree, w))
            outputs = [self.norm(tree, w) for w in ninja_words(outs, variables) if w != "|"]
            for o in outputs:
                producer[o] = len(edges)
            edges.append((outputs, rule, inputs))
        # Only what the default target reaches.
        reach, stack = set(), [producer["all"]]
        while stack:
            e = stack.pop()
            if e in reach:
                continue
            reach.add(e)
            stack.extend(producer[i] for i in edges[e][2] if i in producer)
        self.edges = [(i, e) for i, e in enumerate(edges) if i in reach]
        self.producer = producer

    @staticmethod
    def norm(tree, path):
        # Both trees name a file alike whatever folder they sit in.
        for root, mark in ((tree.out, ""), (tree.src, "<src>")):
            if path.startswith(root + "/"):
                return mark + path[len(root) + 1:] if mark else path[len(root) + 1:]
        return path

    def key(self, edge):
        return edge[0][0]

    def ident(self, edge):
        """The edge's name in the time table: a unit's id, else its first output."""
        return unit_id(edge[0][0])

    def generated(self):
        """What the build writes before the compilers read it (moc output, text ids), found from
        the compile edges' inputs without passing a link: the targets that let every unit be
        compiled alone."""
        edges, seen, found = dict(self.edges), set(), []
        stack = [x for e in edges.values() if edge_kind(e) == "compile" for x in e[2]]
        while stack:
            e = self.producer.get(stack.pop())
            if e is None or e in seen or edge_kind(edges[e]) in ("compile", "link"):
                continue
            seen.add(e)
            if edge_kind(edges[e]) != "phony":
                found.append(self.key(edges[e]))
            stack.extend(edges[e][2])
        return sorted(found)


def edge_kind(edge):
    rule = edge[1]
    if rule == "phony":
        return "phony"
    if "COMPILER" in rule:
        return "compile"
    if "LINKER" in rule:
        return "link"
    return "other"


def read_log(path):
    """Per output, the milliseconds of its last run in a .ninja_log."""
    times = {}
    with open(path) as f:
        for line in f:
            if line.startswith("#"):
                continue
            start, end, _, out = line.split("\t")[:4]
            times[unit_id(out)] = int(end) - int(start)
    return times


def time_table(graphs, logs):
    """One time per edge key; edges of both trees found in both logs take the mean."""
    table = {}
    for g in graphs:
        for _, edge in g.edges:
            names = [unit_id(o) for o in edge[0]]
            found = [next(log[o] for o in names if o in log)
                     for log in logs if any(o in log for o in names)]
            if found and g.ident(edge) not in table:
                table[g.ident(edge)] = statistics.fmean(found) / 1000
    return table


def replay(graph, table, fallback, procs):
    """Critical path, simulated wall time on PROCS processors, total edge time, guessed edges."""
    edges = dict(graph.edges)
    cost, guessed = {}, 0
    for i, e in edges.items():
        kind = edge_kind(e)
        if kind == "phony":
            cost[i] = 0.0
        elif graph.ident(e) in table:
            cost[i] = table[graph.ident(e)]
        else:
            cost[i] = fallback[kind]
            guessed += 1
    deps = {i: {graph.producer[x] for x in e[2] if x in graph.producer} for i, e in edges.items()}
    users = {i: [] for i in edges}
    for i, d in deps.items():
        for j in d:
            users[j].append(i)
    # Longest path.
    finish, before = {}, {}
    for i in topological(edges, deps, users):
        before[i] = max(deps[i], key=lambda j: finish[j], default=None)
        finish[i] = cost[i] + (finish[before[i]] if before[i] is not None else 0.0)
    critical = max(finish.values(), default=0.0)
    chain, i = [], max(finish, key=finish.get, default=None)
    while i is not None:
        if cost[i]:
            chain.append(f"{os.path.basename(graph.key(edges[i]))} {cost[i]:.1f}")
        i = before[i]
    # List scheduling: ready edges by their place in the file; phony edges take no processor.
    waiting = {i: len(d) for i, d in deps.items()}
    ready = [i for i, n in waiting.items() if n == 0]
    heapq.heapify(ready)
    running, now, done = [], 0.0, 0

    def complete(i):
        nonlocal done
        done += 1
        for u in users[i]:
            waiting[u] -= 1
            if waiting[u] == 0:
                heapq.heappush(ready, u)

    while done < len(edges):
        while ready:
            i = ready[0]
            if cost[i] == 0.0 and edge_kind(edges[i]) == "phony":
                heapq.heappop(ready)
                complete(i)
            elif len(running) < procs:
                heapq.heappop(ready)
                heapq.heappush(running, (now + cost[i], i))
            else:
                break
        if not running:
            if ready:
                continue
            break
        now, i = heapq.heappop(running)
        complete(i)
    return critical, now, sum(cost.values()), guessed, " <- ".join(chain)


def topological(edges, deps, users):
    left = {i: len(d) for i, d in deps.items()}
    queue = [i for i, n in left.items() if n == 0]
    order = []
    while queue:
        i = queue.pop()
        order.append(i)
        for u in users[i]:
            left[u] -= 1
            if left[u] == 0:
                queue.append(u)
    return order


# --- the table ---------------------------------------------------------------------------------

def change(a, b):
    return f"{(b - a) / a * 100:+.2f} %" if a else "-"


def main():
    if sys.argv[1:2] == ["--generated"]:
        for target in Graph(Tree("", sys.argv[2], sys.argv[3])).generated():
            print(target)
        return
    ap = argparse.ArgumentParser()
    ap.add_argument("--names", nargs=2, required=True)
    ap.add_argument("--src", nargs=2, required=True)
    ap.add_argument("--out", nargs=2, required=True)
    ap.add_argument("--log", nargs="+", required=True, help=".ninja_log files for the time table")
    ap.add_argument("--jobs", type=int, default=4)
    ap.add_argument("--sample", type=int, default=12)
    ap.add_argument("--rounds", type=int, default=3)
    ap.add_argument("--procs", type=int, default=8)
    a = ap.parse_args()
    trees = [Tree(n, s, o) for n, s, o in zip(a.names, a.src, a.out)]

    print("preprocessing every unit of both trees ...", file=sys.stderr)
    text = measure_text(trees, a.jobs)
    common = sorted(set(text[0]) & set(text[1]))
    sample = pick_sample(text[1], common, a.sample)
    print(f"compiling {len(sample)} units x {a.rounds} rounds in both trees ...", file=sys.stderr)
    with ThreadPoolExecutor(a.jobs) as pool:
        paired = list(pool.map(lambda k: paired_unit(trees, k, a.rounds), sample))

    graphs = [Graph(t) for t in trees]
    table = time_table(graphs, [read_log(p) for p in a.log])
    fallback = {}
    for kind in ("compile", "link", "other"):
        known = [table[g.ident(e)] for g in graphs for _, e in g.edges
                 if edge_kind(e) == kind and g.ident(e) in table]
        fallback[kind] = statistics.median(known) if known else 0.0
    sched = [replay(g, table, fallback, a.procs) for g in graphs]

    rows = []

    def row(label, x, y, fmt):
        rows.append((label, fmt.format(x), fmt.format(y), change(x, y)))

    n = [len(t) for t in text]
    row("units", n[0], n[1], "{}")
    pp = [sum(s for s, _ in t.values()) for t in text]
    hh = [sum(h for _, h in t.values()) for t in text]
    row("preprocessed text, MB", pp[0] / 1e6, pp[1] / 1e6, "{:.2f}")
    row("  per unit, KB", pp[0] / n[0] / 1e3, pp[1] / n[1] / 1e3, "{:.1f}")
    row("headers opened, all units", hh[0], hh[1], "{}")
    row("  per unit", hh[0] / n[0], hh[1] / n[1], "{:.1f}")
    cpu = [sum(sum(p[s]) for p in paired) / a.rounds for s in (0, 1)]
    row(f"compile CPU, {len(sample)} paired units, s", cpu[0], cpu[1], "{:.2f}")
    ratios = sorted(sum(p[1]) / sum(p[0]) for p in paired)
    row("build edges", len(graphs[0].edges), len(graphs[1].edges), "{}")
    row("edge time (sum), s", sched[0][2], sched[1][2], "{:.1f}")
    row("critical path, s", sched[0][0], sched[1][0], "{:.1f}")
    row(f"replayed wall time -j{a.procs}, s", sched[0][1], sched[1][1], "{:.1f}")

    width = max(len(r[0]) for r in rows)
    cols = [max(len(r[i]) for r in rows + [("", a.names[0], a.names[1], "change")])
            for i in range(1, 4)]
    print(f"{'':{width}}  {a.names[0]:>{cols[0]}}  {a.names[1]:>{cols[1]}}  {'change':>{cols[2]}}")
    for r in rows:
        print(f"{r[0]:{width}}  {r[1]:>{cols[0]}}  {r[2]:>{cols[1]}}  {r[3]:>{cols[2]}}")

    q = statistics.quantiles(ratios, n=4) if len(ratios) > 1 else [ratios[0]] * 3
    print(f"\npaired compile time, after/before per unit: median {statistics.median(ratios):.4f}, "
          f"quartiles {q[0]:.4f} .. {q[2]:.4f}, range {ratios[0]:.4f} .. {ratios[-1]:.4f}"
          f" ({len(ratios)} units x {a.rounds} rounds)")
    print(f"time table: {len(table)} edges from {', '.join(a.log)}; edges without a time take the "
          f"median of their kind: {a.names[0]} {sched[0][3]}, {a.names[1]} {sched[1][3]}")

    for name, sc in zip(a.names, sched):
        print(f"critical path of {name}, s: {sc[4]}")

    moved = sorted(((text[1][k][0] - text[0][k][0], k) for k in common), key=lambda d: -abs(d[0]))
    print("\nlargest changes of preprocessed text per unit (bytes):")
    for d, k in [m for m in moved if m[0]][:8]:
        print(f"  {d:+10d}  {k}")
    for side, other in ((0, 1), (1, 0)):
        only = sorted(set(text[side]) - set(text[other]))
        if only:
            print(f"only in {a.names[side]}: {len(only)} units, "
                  f"{sum(text[side][k][0] for k in only) / 1e6:.2f} MB: "
                  + ", ".join(os.path.basename(k) for k in only[:6])
                  + (" ..." if len(only) > 6 else ""))


if __name__ == "__main__":
    main()
