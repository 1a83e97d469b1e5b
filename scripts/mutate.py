#!/usr/bin/env python3
"""Plants one-line faults one at a time and records which tests catch each.

  mutate.py pick COUNT SEED > scripts/mutations.txt   (choose the fault list once)
  mutate.py run LIST RESULTS [BUILD_DIR]               (plant, build, test, restore)

A fault is a line of LIST: id, kind, file, original text, replacement, separated by tabs.
The original text occurs exactly once in the sources, so a fault follows its code when the
code moves; the file only breaks a tie when the text occurs more than once.
"""
import json
import os
import random
import re
import subprocess
import sys
import time
import xml.etree.ElementTree as ET
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
# Benchmarks are not built by the run, and the Wayland desktops' code is exercised only by
# the compositor suites, which the run skips: faults there could never be caught.
EXCLUDED = ("tests/", "bench/", "recorder/wayland/", "recorder/wlroots/", "recorder/kde/",
            "recorder/gnome/")
SKIPPED_TESTS = "^(install|recorder_wlroots|recorder_kde|recorder_gnome)$"
SUITE_TIMEOUT = 60


def source_files():
    listed = subprocess.run(["git", "ls-files", "*.cpp", "*.h"], cwd=ROOT, check=True,
                            capture_output=True, text=True).stdout.split()
    return [f for f in listed if not f.startswith(EXCLUDED)]


def tree_texts():
    return {f: (ROOT / f).read_text(errors="replace") for f in source_files()}


def masked(line):
    """The line with string and character literals blanked and a trailing comment cut."""
    out, quote, i = [], None, 0
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            out.append(quote if c == quote else " ")
            quote = None if c == quote else quote
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)[: len(line)]


FLIP = {" == ": " != ", " != ": " == ", " < ": " > ", " > ": " < ", " <= ": " >= ",
        " >= ": " <= "}
SHIFT = {" < ": " <= ", " <= ": " < ", " > ": " >= ", " >= ": " > "}
NOT_CALLS = {"return", "delete", "throw", "case", "else", "if", "for", "while", "switch",
             "static_assert", "assert", "using", "typedef", "sizeof", "decltype"}
CALL = re.compile(r"^([A-Za-z_]\w*)((::|\.|->)[A-Za-z_~]\w*)*(<[\w:, ]*>)?\(.*\);$")


def closing_paren(text, start):
    depth = 0
    for i in range(start, len(text)):
        depth += {"(": 1, ")": -1}.get(text[i], 0)
        if depth == 0:
            return i
    return -1


def candidates(line):
    """(kind, start, end, replacement) for each fault the line offers."""
    m = masked(line)
    body = m.strip()
    if not body or body.startswith(("#", "*", "/*")):
        return []
    found = []
    for op, repl in FLIP.items():
        for hit in re.finditer(re.escape(op), m):
            found.append(("flip", hit.start(), hit.end(), repl))
            if op in SHIFT:
                found.append(("off-by-one", hit.start(), hit.end(), SHIFT[op]))
    for hit in re.finditer(r" [+-] 1(?![\w.])", m):
        found.append(("off-by-one", hit.start(), hit.end(), ""))
    for hit in re.finditer(r"\b(if|while) \(", m):
        open_at = hit.end() - 1
        close = closing_paren(m, open_at)
        if close > 0:
            cond = line[open_at + 1: close]
            found.append(("negate", open_at, close + 1, f"(!({cond}))"))
    call = CALL.match(body)
    if call and call.group(1) not in NOT_CALLS and not call.group(1).isupper() \
            and closing_paren(body, body.index("(")) == len(body) - 2:
        start = m.index(body)
        found.append(("drop-call", start, start + len(body), ";"))
    return found


TOKEN = re.compile(r"\w+|\s+|.")


def unique_snippet(line, start, end, corpus):
    """The shortest run of whole tokens around [start, end) that occurs once in corpus."""
    bounds = [0] + [t.end() for t in TOKEN.finditer(line)]
    left = max(b for b in bounds if b <= start)
    right = min(b for b in bounds if b >= end)
    while True:
        snippet = line[left:right].strip()
        if len(snippet) >= 12 and corpus.count(snippet) == 1:
            return left + (len(line[left:right]) - len(line[left:right].lstrip())), snippet
        lower = [b for b in bounds if b < left]
        higher = [b for b in bounds if b > right]
        if not lower and not higher:
            return None
        if lower:
            left = lower[-1]
        if higher:
            right = higher[0]


def pick(count, seed):
    texts = tree_texts()
    corpus = "\n".join(texts.values())
    rng = random.Random(seed)
    strata = {}
    for name, text in texts.items():
        folder = "/".join(name.split("/")[:-1][:2]) or "."
        for number, line in enumerate(text.splitlines(), 1):
            for cand in candidates(line):
                strata.setdefault(folder, []).append((name, number, line) + cand)
    size = {f: sum(1 for n, t in texts.items() if "/".join(n.split("/")[:-1][:2]) == f
                   for ln in t.splitlines() if ln.strip() and not ln.strip().startswith("//"))
            for f in strata}
    total = sum(size.values())
    quota = {f: count * size[f] // total for f in strata}
    by_remainder = sorted(strata, key=lambda f: -(count * size[f] % total))
    for f in by_remainder[: count - sum(quota.values())]:
        quota[f] += 1
    print(f"# {count} one-line faults, seed {seed}, chosen by `scripts/mutate.py pick {count} "
          f"{seed}` before any test was trimmed.")
    print("# Candidates: every operator ' == ', ' != ', ' < ', ' > ', ' <= ', ' >= ' (flip the "
          "comparison; for the four orderings also shift the bound), ' + 1'/' - 1' dropped,")
    print("# an if/while condition negated, a call statement dropped, on the non-blank, "
          "non-comment lines outside tests/, bench/ and the Wayland desktops.")
    print("# Each folder (two levels deep) gets faults in proportion to its code lines; "
          "within it, random.Random(seed) shuffles the candidates and the first ones whose")
    print("# shortest unique snippet exists are taken, at most one per line.")
    print("# id\tkind\tfile\toriginal\treplacement")
    number = 0
    for folder in sorted(strata):
        pool = strata[folder]
        rng.shuffle(pool)
        taken, lines = 0, set()
        for name, line_no, line, kind, start, end, repl in pool:
            if taken == quota[folder]:
                break
            if (name, line_no) in lines:
                continue
            found = unique_snippet(line, start, end, corpus)
            if not found:
                continue
            at, snippet = found
            mutated = snippet[: start - at] + repl + snippet[end - at:]
            if "\t" in snippet or mutated == snippet:
                continue
            number += 1
            taken += 1
            lines.add((name, line_no))
            print(f"M{number:03d}\t{kind}\t{name}\t{snippet}\t{mutated}")


def read_list(path):
    faults = []
    for line in Path(path).read_text().splitlines():
        if line and not line.startswith("#"):
            ident, kind, hint, original, replacement = line.split("\t")
            faults.append(dict(id=ident, kind=kind, hint=hint, original=original,
                               replacement=replacement))
    return faults


def locate(fault, texts):
    """The file that holds the fault's text once, or None and why not."""
    holders = [f for f, t in texts.items() if fault["original"] in t]
    counts = {f: texts[f].count(fault["original"]) for f in holders}
    if len(holders) == 1 and counts[holders[0]] == 1:
        return holders[0], None
    if counts.get(fault["hint"]) == 1:
        return fault["hint"], None
    return None, "not found" if not holders else "ambiguous"


def run(cmd, **kw):
    return subprocess.run(cmd, cwd=ROOT, capture_output=True, text=True, **kw)


class Suites:
    """The build folder's test suites and the files each one runs."""

    def __init__(self, build):
        self.build = build
        shown = json.loads(run(["ctest", "--test-dir", build, "--show-only=json-v1"]).stdout)
        skipped = re.compile(SKIPPED_TESTS)
        self.files = {}
        for test in shown["tests"]:
            if not skipped.match(test["name"]):
                self.files[test["name"]] = [Path(a) for a in test.get("command", [])
                                            if a.startswith(str(ROOT / build))]
        self.outputs = [p for p in (ROOT / build).rglob("*")
                        if p.is_file() and (p.suffix == ".so" or os.access(p, os.X_OK))
                        and "CMakeFiles" not in p.parts]

    def affected(self, since):
        """The suites whose programs changed; all of them when a shared part changed."""
        changed = {p for p in self.outputs if p.exists() and p.stat().st_mtime >= since}
        own = {n for n, files in self.files.items() if changed & set(files)}
        test_files = {f for files in self.files.values() for f in files}
        return sorted(self.files) if changed - test_files else sorted(own)

    def failures(self, names, xml_dir):
        """Failing test names; a suite that stopped without a report counts as a whole."""
        for old in xml_dir.glob("*.xml"):
            old.unlink()
        if not names:
            return []
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", TASKMETER_SKIP_COMPOSITORS="1",
                   GTEST_OUTPUT=f"xml:{xml_dir}/")
        pattern = "^(" + "|".join(re.escape(n) for n in names) + ")$"
        out = run(["ctest", "--test-dir", self.build, "-j2", "-R", pattern,
                   "--timeout", str(SUITE_TIMEOUT)], env=env).stdout
        by_program = {}
        for xml in xml_dir.glob("*.xml"):
            program = re.sub(r"(_\d+)?\.xml$", "", xml.name)
            try:
                cases = ET.parse(xml).getroot().iter("testcase")
                by_program.setdefault(program, []).extend(
                    f"{c.get('classname')}.{c.get('name')}" for c in cases
                    if c.find("failure") is not None)
            except ET.ParseError:
                pass
        failed = [t for tests in by_program.values() for t in tests]
        for name, status in re.findall(r"Test +#\d+: (\S+) \.*\s*\**(.+?)\s+[\d.]+ sec", out):
            programs = {f.name for f in self.files[name]}
            if "Timeout" in status or (status != "Passed"
                                       and not any(by_program.get(p) for p in programs)):
                failed.append(f"{name}({status.strip().lower()})")
        return sorted(set(failed))


def build(build_dir):
    """Builds the test programs and what they run, leaving out the compositor suites'."""
    listed = run(["ninja", "-C", build_dir, "-t", "targets", "all"]).stdout
    targets = sorted({line.split(":")[0] for line in listed.splitlines()
                      if re.match(r"^(?!cmake_)\w+_tests: phony", line)} - {"recorder_desktops_tests"})
    return run(["cmake", "--build", build_dir, "-j2", "--target"] + targets).returncode == 0


def run_list(list_path, results_path, build_dir):
    faults = read_list(list_path)
    texts = tree_texts()
    state = ROOT / build_dir / "mutate-restore.json"
    if state.exists():  # an interrupted run left a fault planted
        saved = json.loads(state.read_text())
        (ROOT / saved["file"]).write_text(saved["text"])
        state.unlink()
    if not build(build_dir):
        sys.exit("mutate: the unchanged tree does not build")
    suites = Suites(build_dir)
    xml_dir = ROOT / build_dir / "mutate-xml"
    xml_dir.mkdir(exist_ok=True)
    started = time.time()
    baseline = set(suites.failures(sorted(suites.files), xml_dir))
    print(f"failing before any fault: {' '.join(sorted(baseline)) or 'none'}", flush=True)
    rows = []
    for fault in faults:
        where, problem = locate(fault, texts)
        row = dict(fault, file=where or fault["hint"], status=problem, tests=[])
        rows.append(row)
        if problem:
            continue
        original = texts[where]
        state.write_text(json.dumps(dict(file=where, text=original)))
        since = time.time() - 1
        try:
            (ROOT / where).write_text(original.replace(fault["original"],
                                                      fault["replacement"], 1))
            if not build(build_dir):
                row["status"] = "does not build"
                continue
            row["tests"] = sorted(set(suites.failures(suites.affected(since), xml_dir))
                                  - baseline)
            row["status"] = "caught" if row["tests"] else "missed"
        finally:
            (ROOT / where).write_text(original)
            state.unlink()
        print(f"{fault['id']} {row['status']} {' '.join(row['tests'])}", flush=True)
    build(build_dir)
    write_results(results_path, rows, baseline, time.time() - started)


def write_results(path, rows, baseline, seconds):
    planted = [r for r in rows if r["status"] in ("caught", "missed")]
    caught = [r for r in planted if r["status"] == "caught"]
    catchers = {}
    for r in caught:
        for t in r["tests"]:
            catchers.setdefault(t, []).append(r["id"])
    alone = sorted({r["tests"][0] for r in caught if len(r["tests"]) == 1})
    lines = [f"# Mutation run: {len(rows)} listed, {len(planted)} planted, {len(caught)} "
             f"caught, {len(planted) - len(caught)} missed, "
             f"{sum(r['status'] == 'does not build' for r in rows)} did not build, "
             f"{sum(r['status'] in ('not found', 'ambiguous') for r in rows)} not found; "
             f"{seconds / 60:.0f} min",
             f"# Failing before any fault (ignored): {' '.join(sorted(baseline)) or 'none'}",
             "# id\tstatus\tkind\tfile\tcatching tests"]
    for r in rows:
        lines.append(f"{r['id']}\t{r['status']}\t{r['kind']}\t{r['file']}\t"
                     f"{' '.join(r['tests'])}")
    lines.append(f"# Tests that alone catch a fault ({len(alone)}): {' '.join(alone)}")
    lines.append(f"# Tests that catch any fault: {len(catchers)}")
    for t in sorted(catchers):
        lines.append(f"#   {t}: {' '.join(catchers[t])}")
    Path(path).write_text("\n".join(lines) + "\n")


if __name__ == "__main__":
    if len(sys.argv) >= 4 and sys.argv[1] == "pick":
        pick(int(sys.argv[2]), int(sys.argv[3]))
    elif len(sys.argv) >= 4 and sys.argv[1] == "run":
        run_list(sys.argv[2], sys.argv[3], sys.argv[4] if len(sys.argv) > 4 else "build-mutate")
    else:
        sys.exit(__doc__)
