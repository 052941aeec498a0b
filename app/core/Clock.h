#pragma once

#include <QDateTime>
#include <functional>

namespace tav::core {

// "Now" for the dates the program writes: the system clock, unless a test fixes it.
class Clock {
public:
    static QDateTime now();
    static QDate today() { return now().date(); }

    // Puts a clock that answers `fixed` in place for as long as the object lives.
    class Fixed {
    public:
        explicit Fixed(const QDateTime& fixed);
        ~Fixed();
        Fixed(const Fixed&) = delete;
        Fixed& operator=(const Fixed&) = delete;

    private:
        std::function<QDateTime()> previous_;
    };

private:
    static std::function<QDateTime()>& source();
};

}  // namespace tav::core
