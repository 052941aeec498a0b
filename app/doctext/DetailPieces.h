#pragma once

// The pieces that documentation lines of settings are built from: ", ", a label and a value's
// text, each written only when its condition holds. Blocks keep their pieces in constexpr tables
// of member pointers, walked by blockValue.

#include <QString>
#include <cstddef>

#include "DetailError.h"
#include "ObjectDetailWriter.h"
#include "tvTypes.h"

namespace tav::doctext {

namespace detail {

// One setting of a bag in a line: ", ", the label and the value's text, written only when
// `when` holds (always when it is nullptr). A piece without a label brings its own ", ".
template <class Bag>
struct Piece {
    const char* label;
    QString (*value)(const Bag&);
    bool (*when)(const Bag&) = nullptr;
};

template <class>
struct MemberOf;
template <class Class, class Type>
struct MemberOf<Type Class::*> {
    using Bag = Class;
};
template <auto Member>
using BagOf = typename MemberOf<decltype(Member)>::Bag;

// How a member's value reads in a line, and when it is written.
template <auto Member>
QString text(const BagOf<Member>& bag) {
    return bag.*Member;
}
template <auto Member>
QString number(const BagOf<Member>& bag) {
    return FormatGeneralNumber(bag.*Member);
}
template <auto Member>
QString flag(const BagOf<Member>& bag) {
    return tvBooleanText(bag.*Member);
}
template <auto Member, auto Lookup>
QString lookup(const BagOf<Member>& bag) {
    return Lookup(bag.*Member);
}
// For a piece that is written only when its flag is set.
template <class Bag>
QString trueText(const Bag&) {
    return QStringLiteral("True");
}
template <auto Member>
bool notEmpty(const BagOf<Member>& bag) {
    return !(bag.*Member).isEmpty();
}
template <auto Member>
bool notZero(const BagOf<Member>& bag) {
    return bag.*Member != 0;
}
template <auto Member>
bool isTrue(const BagOf<Member>& bag) {
    return bag.*Member;
}

// A code or colour that a bag keeps as its decimal text; no text reads as 0, and a text that is
// no whole number is a type mismatch.
inline qint32 codeOfText(const QString& text) {
    if (text.isEmpty()) return 0;
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok) failTypeMismatch();
    return tvColor(value);
}

// The pieces that hold, run together, without the first ", ".
template <class Bag, std::size_t N>
QString blockValue(const Piece<Bag> (&pieces)[N], const Bag& bag) {
    QString built;
    for (const Piece<Bag>& piece : pieces) {
        if (piece.when && !piece.when(bag)) continue;
        if (piece.label) built += QStringLiteral(", ") + QLatin1StringView(piece.label);
        built += piece.value(bag);
    }
    return built.mid(2);
}

}  // namespace detail

}  // namespace tav::doctext
