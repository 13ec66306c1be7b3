#pragma once

#include <functional>

// Shows the busy cursor for its lifetime when the program has installed a cursor handler;
// does nothing in the command line tool and in tests.
class TBusyCursor {
public:
    TBusyCursor();
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

    // show(true) sets the busy cursor, show(false) restores the previous one.
    static void SetHandler(std::function<void(bool show)> handler);
};
