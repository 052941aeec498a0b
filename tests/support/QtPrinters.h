#pragma once

#include <QString>
#include <ostream>

// Failures show texts as text, not as the bytes of their characters.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
