#pragma once
#include <QObject>
#include <QTimer>

#include <functional>
#include <vector>

namespace kv {

// The shared 100-millisecond ticker: one timer that calls every registered
// client in turn.
class UiTicker : public QObject {
  public:
    using Client = std::function<void()>;
    static constexpr int kPeriodMs = 100;

    UiTicker();
    int addClient(Client client);
    void removeClient(int handle);
    void start() { m_timer.start(kPeriodMs); }
    // Stops the timer and forgets every client.
    void stop();
    void tick();

  private:
    QTimer m_timer;
    int m_nextHandle = 1;
    std::vector<std::pair<int, Client>> m_clients;
};

} // namespace kv
