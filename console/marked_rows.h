#pragma once

#include <functional>
#include <set>

// Walking the marked client rows, as the group commands for selected clients and the message
// to selected clients do.
namespace kestova {

class KestovaMain;

// Makes every row current in turn (letting events run first; the grid is read as each row is
// reached), and for each marked row that holds a client unmarks it and calls `visit`; then waits
// `paceMs`, whether or not anything was done for the row. The selection is invisible meanwhile;
// afterwards the highlighted row is current again, selected across the whole row, and the
// progress bar reset.
void WalkMarkedRows(KestovaMain& main, int paceMs, const std::function<void(int row)>& visit);

// One action never sends its command twice to a client: a row that is both highlighted and
// marked is addressed once.
class OncePerClient {
public:
    // True the first time the port is named.
    bool first(int port) { return ports_.insert(port).second; }

private:
    std::set<int> ports_;
};

}  // namespace kestova
