"""budgets() lets other Python threads run while it evaluates, so that two threads evaluate at once."""

import sys
import threading

import tarvex_uncertainty as tu

ROWS = 400_000


def test_two_threads_are_inside_budgets_at_the_same_time():
    # With a long switch interval a thread gives the GIL away only when it lets it go itself. The main
    # thread then runs again only while a worker has let it go, and finds both workers inside the call.
    columns = {"sensor": ["TS-106"] * ROWS, "level_dbm": list(range(-30, 20)) * (ROWS // 50)}
    inside = [False, False]
    done = [False, False]

    def work(i):
        inside[i] = True
        tu.budgets(columns)
        done[i] = True

    interval = sys.getswitchinterval()
    sys.setswitchinterval(30.0)
    try:
        workers = [threading.Thread(target=work, args=(i,)) for i in range(2)]
        for worker in workers:
            worker.start()
        seen = (list(inside), list(done))
        for worker in workers:
            worker.join()
    finally:
        sys.setswitchinterval(interval)
    assert seen == ([True, True], [False, False])
    assert done == [True, True]
