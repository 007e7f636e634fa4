#pragma once
// Runs deliveries one after the other, never one inside another.
//
// A handler of a reader report may spin the event loop (to repaint a label,
// say); a report arriving meanwhile waits until that handler has returned
// instead of running nested inside it. A delivery may destroy the owner of
// this object; the remaining ones are then dropped.

#include <functional>
#include <memory>
#include <QList>

class SerialDelivery
{
public:
    SerialDelivery() = default;
    SerialDelivery(const SerialDelivery&) = delete;
    SerialDelivery& operator=(const SerialDelivery&) = delete;
    ~SerialDelivery();

    // Runs the deliveries in order now, or after the one running at the moment.
    void post(const QList<std::function<void()>>& deliveries);

    bool delivering() const { return delivering_; }

private:
    QList<std::function<void()>> queue_;
    bool delivering_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
