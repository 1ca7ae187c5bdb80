"""tarvex_uncertainty.budgets() on the million varied rows of cli_batch_bench, against tarvex-budget --batch
and the bare evaluation on the same rows (as cli_batch_bench measures them). Prints medians per row.

Usage: /usr/bin/python3 bench/python/budgets_bench.py BUILD_DIR   (a build with the benchmarks, e.g. build/bench)
"""

import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

REPETITIONS = 5


def per_row_ns(seconds, rows):
    return seconds / rows * 1e9


def time_budgets(budgets, columns, rows, **options):
    times = []
    for _ in range(REPETITIONS):
        start = time.perf_counter()
        budgets(columns, **options)
        times.append(time.perf_counter() - start)
    return per_row_ns(statistics.median(times), rows)


def status_kib(field):
    with open("/proc/self/status") as status:
        return next(int(line.split()[1]) for line in status if line.startswith(field + ":"))


def peak_growth_mib(budgets, columns):
    """The peak resident memory of one call above the memory before it, and the size of its result."""
    before = status_kib("VmRSS")
    with open("/proc/self/clear_refs", "w") as clear:
        clear.write("5")  # resets the peak (VmHWM) to the current resident size
    result = budgets(columns)
    peak = status_kib("VmHWM")
    arrays = sum(column.nbytes for column in result.values())
    return (peak - before) / 1024, arrays / 2**20


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build/bench"
    sys.path.insert(0, os.path.join(build, "python"))
    import pandas
    import tarvex_uncertainty as tu

    bench = os.path.join(build, "bench", "cli_batch_bench")
    with tempfile.NamedTemporaryFile(suffix=".csv") as batch:
        subprocess.run([bench, "--write-batch"], stdout=batch, check=True)
        texts = pandas.read_csv(batch.name, dtype=str, keep_default_na=False)
        numbers = pandas.read_csv(batch.name, keep_default_na=False)  # numeric columns as int64/float64
    rows = len(texts)
    as_dict = {name: texts[name].to_numpy() for name in texts}
    grown, arrays = peak_growth_mib(tu.budgets, texts)
    results = {
        "budgets, texts (DataFrame of str)": time_budgets(tu.budgets, texts, rows),
        "budgets, numbers (int64/float64 columns)": time_budgets(tu.budgets, numbers, rows),
        "budgets, dict of NumPy object arrays": time_budgets(tu.budgets, as_dict, rows),
        "budgets, values='display'": time_budgets(tu.budgets, numbers, rows, values="display"),
    }
    print(f"rows                                        {rows}")
    for name, ns in results.items():
        print(f"{name:44}{ns:6.0f} ns/row", flush=True)
    print(f"peak memory growth of one call              {grown:6.0f} MiB (its result arrays: {arrays:.0f} MiB)")

    measured = subprocess.run([bench], capture_output=True, text=True, check=False)
    if measured.returncode != 0:
        sys.exit(f"cli_batch_bench failed: {measured.stderr}")
    tool = float(re.search(r"tarvex-budget --batch .* (\d+) ns/row", measured.stdout).group(1))
    bare = float(re.search(r"EvaluateBudget alone .* (\d+) ns/row", measured.stdout).group(1))
    print(f"tarvex-budget --batch                       {tool:6.0f} ns/row")
    print(f"EvaluateBudget alone                        {bare:6.0f} ns/row")
    for name, ns in results.items():
        print(f"{name:44}{tool / ns:4.2f}x the tool's speed  {ns / bare:4.2f}x the bare cost")


if __name__ == "__main__":
    main()
