#pragma once

#include <QStringView>
#include <cstddef>

namespace rt {

// Hashes and compares texts ignoring letter case, code point by code point as QString::compare
// with Qt::CaseInsensitive folds them, without a folded copy of either: for hashed containers
// keyed by names that a design, a store or a user may spell in any case.
struct IgnoringCase {
    using is_transparent = void;

    std::size_t operator()(QStringView text) const noexcept {
        std::size_t hash = 14695981039346656037ull;
        for (qsizetype i = 0; i < text.size(); ++i) {
            char32_t code = text[i].unicode();
            if (code < 0x80) {
                if (code >= u'A' && code <= u'Z') code += u'a' - u'A';
            } else {
                if (QChar::isHighSurrogate(code) && i + 1 < text.size() &&
                    text[i + 1].isLowSurrogate())
                    code = QChar::surrogateToUcs4(char16_t(code), text[++i].unicode());
                code = QChar::toCaseFolded(code);
            }
            hash = (hash ^ code) * 1099511628211ull;
        }
        return hash;
    }

    bool operator()(QStringView a, QStringView b) const noexcept {
        return a.compare(b, Qt::CaseInsensitive) == 0;
    }
};

}  // namespace rt
