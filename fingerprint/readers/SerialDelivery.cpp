#include "SerialDelivery.h"

SerialDelivery::~SerialDelivery()
{
    *alive_ = false;
}

void SerialDelivery::post(const QList<std::function<void()>>& deliveries)
{
    queue_.append(deliveries);
    if (delivering_)
        return;
    delivering_ = true;
    const std::shared_ptr<bool> alive = alive_;
    while (*alive && !queue_.isEmpty()) {
        const std::function<void()> next = queue_.takeFirst();
        next();
    }
    if (*alive)
        delivering_ = false;
}
