#include "Clock.h"

#include <utility>

namespace tav::core {

std::function<QDateTime()>& Clock::source() {
    static std::function<QDateTime()> clock;
    return clock;
}

QDateTime Clock::now() { return source() ? source()() : QDateTime::currentDateTime(); }

Clock::Fixed::Fixed(const QDateTime& fixed)
    : previous_(std::exchange(source(), [fixed] { return fixed; })) {}

Clock::Fixed::~Fixed() { source() = std::move(previous_); }

}  // namespace tav::core
