#pragma once

#include <QString>

// A font as the runtime described it, copied at load so that nothing of the runtime outlives it.
struct tvFont {
    QString name;
    double size = 0.0;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    qint16 weight = 0;
    qint16 charset = 0;

    bool operator==(const tvFont&) const = default;
};
