#include "busycursor.h"

namespace {
std::function<void(bool)>& Handler() {
    static std::function<void(bool)> handler;
    return handler;
}
} // namespace

TBusyCursor::TBusyCursor() {
    if (Handler())
        Handler()(true);
}

TBusyCursor::~TBusyCursor() {
    if (Handler())
        Handler()(false);
}

void TBusyCursor::SetHandler(std::function<void(bool)> handler) {
    Handler() = std::move(handler);
}
