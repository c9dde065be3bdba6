#include "toolkit/UiTicker.h"

#include <algorithm>

namespace kv {

UiTicker::UiTicker() {
    connect(&m_timer, &QTimer::timeout, this, &UiTicker::tick);
}

int UiTicker::addClient(Client client) {
    m_clients.emplace_back(m_nextHandle, std::move(client));
    return m_nextHandle++;
}

void UiTicker::removeClient(int handle) {
    std::erase_if(m_clients, [handle](const auto& c) { return c.first == handle; });
}

void UiTicker::stop() {
    m_timer.stop();
    m_clients.clear();
}

void UiTicker::tick() {
    // A client may remove itself while called: walk a copy.
    const auto clients = m_clients;
    for (const auto& [handle, client] : clients)
        client();
}

} // namespace kv
