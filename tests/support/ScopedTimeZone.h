#pragma once

#include <QByteArray>
#include <ctime>

// Pins the process's time zone (the TZ variable) for the life of the object, so that
// conversions to local time give known results; the earlier setting comes back afterwards.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone)
        : hadZone_(qEnvironmentVariableIsSet("TZ")), previous_(qgetenv("TZ")) {
        qputenv("TZ", zone);
        tzset();
    }
    ~ScopedTimeZone() {
        if (hadZone_) {
            qputenv("TZ", previous_);
        } else {
            qunsetenv("TZ");
        }
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    bool hadZone_;
    QByteArray previous_;
};
