"""tarvex_uncertainty.budgets() on the million varied rows of cli_batch_bench, against tarvex-budget --batch
and the bare evaluation on the same rows (as cli_batch_bench measures them), exact values and the window's
texts each against the tool's same output. Prints medians per row, and the peak memory of one call.

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


def peak_growth(build, batch):
    """In a process of its own: the peak resident memory of one call on the numeric columns above the
    memory before it, and the size of its result, in MiB. Large blocks always come straight from the system
    there (a fixed mmap threshold), so that memory that an earlier step freed cannot hide the growth."""
    environment = dict(os.environ, MALLOC_MMAP_THRESHOLD_="131072")
    measured = subprocess.run([sys.executable, __file__, "--memory", build, batch], env=environment,
                              capture_output=True, text=True, check=True)
    return [float(value) for value in measured.stdout.split()]


def measure_memory(build, batch):
    sys.path.insert(0, os.path.join(build, "python"))
    import pandas
    import tarvex_uncertainty as tu

    numbers = pandas.read_csv(batch, keep_default_na=False)
    tu.budgets(numbers.head(1000))  # the module's own first-call allocations
    before = status_kib("VmRSS")
    with open("/proc/self/clear_refs", "w") as clear:
        clear.write("5")  # resets the peak (VmHWM) to the current resident size
    result = tu.budgets(numbers)
    peak = status_kib("VmHWM")
    arrays = sum(column.nbytes for column in result.values())
    print((peak - before) / 1024, arrays / 2**20)


def time_tool(build, batch, values):
    tool = os.path.join(build, "cli", "tarvex-budget")
    times = []
    for _ in range(3):
        start = time.perf_counter()
        subprocess.run([tool, "--batch", batch, "--values", values], stdout=subprocess.DEVNULL, check=True)
        times.append(time.perf_counter() - start)
    return statistics.median(times)


def main():
    if sys.argv[1:2] == ["--memory"]:
        measure_memory(*sys.argv[2:4])
        return
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
        exact = {
            "budgets, numbers (int64/float64 columns)": time_budgets(tu.budgets, numbers, rows),
            "budgets, texts (DataFrame of str)": time_budgets(tu.budgets, texts, rows),
            "budgets, dict of NumPy object arrays": time_budgets(tu.budgets, as_dict, rows),
        }
        display = time_budgets(tu.budgets, numbers, rows, values="display")
        tool_display = per_row_ns(time_tool(build, batch.name, "display"), rows)
        grown, arrays = peak_growth(build, batch.name)

    measured = subprocess.run([bench], capture_output=True, text=True, check=False)
    if measured.returncode != 0:
        sys.exit(f"cli_batch_bench failed: {measured.stderr}")
    tool = float(re.search(r"tarvex-budget --batch .* (\d+) ns/row", measured.stdout).group(1))
    bare = float(re.search(r"EvaluateBudget alone .* (\d+) ns/row", measured.stdout).group(1))

    print(f"rows                                        {rows}")
    print(f"EvaluateBudget alone                        {bare:6.0f} ns/row")
    print(f"tarvex-budget --batch                       {tool:6.0f} ns/row")
    for name, ns in exact.items():
        print(f"{name:44}{ns:6.0f} ns/row  {tool / ns:4.2f}x the tool's speed  {ns / bare:4.2f}x the bare cost")
    print(f"tarvex-budget --batch --values display      {tool_display:6.0f} ns/row")
    print(f"budgets, values='display' (numbers)         {display:6.0f} ns/row  {tool_display / display:4.2f}x the tool's speed")
    print(f"peak memory growth of one call              {grown:6.0f} MiB (its result arrays: {arrays:.0f} MiB)")


if __name__ == "__main__":
    main()
