#include <gtest/gtest.h>

#include <functional>

#include "tvCollection.h"

namespace {

struct Thing {
    int id = 0;
};

using Things = tvCollection<Thing>;
using KeepFirstThings = tvCollection<Thing, true, tvDuplicateKey::KeepFirst>;

std::unique_ptr<Thing> thing(int id) { return std::make_unique<Thing>(Thing{id}); }

template <class C>
std::vector<int> ids(const C& c) {
    std::vector<int> result;
    for (const Thing& t : c) result.push_back(t.id);
    return result;
}

struct Case {
    const char* name;
    std::function<void()> run;
};

class CollectionCases : public testing::TestWithParam<Case> {};

TEST_P(CollectionCases, Behaves) { GetParam().run(); }

const Case kCases[] = {
    {"NewIsEmpty",
     [] {
         Things c;
         EXPECT_EQ(c.Count(), 0);
         EXPECT_THROW(c.Item(1), rt::Error);
         EXPECT_THROW(c.Item(QStringLiteral("a")), rt::Error);
     }},
    {"OmittedAndEmptyKeysAppendUnkeyed",
     [] {
         tvRefCollection<Thing> c;
         Thing t{7};
         c.Add(&t);
         c.Add(&t, QString());
         EXPECT_EQ(c.Count(), 2);
         EXPECT_EQ(&c.Item(1), &c.Item(2));
         EXPECT_THROW(c.Item(QString()), rt::Error);
     }},
    {"DuplicateKeyInOtherCaseFails",
     [] {
         Things c;
         c.Add(thing(1), QStringLiteral("Orders.Amount"));
         try {
             c.Add(thing(2), QStringLiteral("ORDERS.amount"));
             FAIL() << "a duplicate key was accepted";
         } catch (const rt::Error& e) {
             EXPECT_EQ(e.number(), rt::kErrDuplicateKey);
         }
         EXPECT_EQ(c.Count(), 1);
         EXPECT_EQ(c.Item(QStringLiteral("orders.AMOUNT")).id, 1);
     }},
    {"KeysOfAnyScriptOrLengthIgnoreCase",
     [] {
         const QString longKey = QString(70, u'K') + u'x';
         Things c;
         c.Add(thing(1), QStringLiteral("Ärger"));
         c.Add(thing(2), QStringLiteral("ΣΟΦΙΑ"));
         c.Add(thing(3), longKey);
         c.Add(thing(4), QString(64, u'Q'));
         c.Add(thing(5), QStringLiteral("a[1]_B"));
         EXPECT_EQ(c.Item(QStringLiteral("äRGER")).id, 1);
         EXPECT_EQ(c.Item(QStringLiteral("σοφια")).id, 2);
         EXPECT_EQ(c.Item(longKey.toLower()).id, 3);
         EXPECT_EQ(c.Item(QString(64, u'q')).id, 4);
         EXPECT_EQ(c.Item(QStringLiteral("A[1]_b")).id, 5);
         EXPECT_EQ(c.Find(QString(63, u'q')), nullptr);
         EXPECT_EQ(c.Find(QStringLiteral("a{1]_b")), nullptr);
     }},
    {"KeepFirstSwallowsDuplicate",
     [] {
         KeepFirstThings c;
         EXPECT_NE(c.Add(thing(1), QStringLiteral("Total")), nullptr);
         EXPECT_EQ(c.Add(thing(2), QStringLiteral("TOTAL")), nullptr);
         EXPECT_EQ(c.Count(), 1);
         EXPECT_EQ(c.Item(QStringLiteral("total")).id, 1);
         EXPECT_EQ(c.Item(QStringLiteral("TOTAL")).id, 1);
     }},
    {"DigitTextIsAKeyNotAPosition",
     [] {
         Things byPosition;  // keyed by position as text, like group name fields
         byPosition.Add(thing(10), QStringLiteral("1"));
         byPosition.Add(thing(20), QStringLiteral("2"));
         EXPECT_EQ(&byPosition.Item(2), &byPosition.Item(QStringLiteral("2")));
         Things byName;
         byName.Add(thing(10), QStringLiteral("a"));
         byName.Add(thing(20), QStringLiteral("b"));
         EXPECT_EQ(byName.Item(2).id, 20);
         EXPECT_THROW(byName.Item(QStringLiteral("2")), rt::Error);
     }},
    {"PositionOutOfRangeFails",
     [] {
         Things c;
         c.Add(thing(1));
         for (int p : {0, -1, 2}) {
             try {
                 c.Item(p);
                 FAIL() << "position " << p;
             } catch (const rt::Error& e) {
                 EXPECT_EQ(e.number(), rt::kErrSubscript);
             }
         }
         EXPECT_THROW(c.Remove(2), rt::Error);
         EXPECT_EQ(c.Count(), 1);
     }},
    {"RemoveMovesLaterEntriesUp",
     [] {
         Things c;
         c.Add(thing(1), QStringLiteral("a"));
         c.Add(thing(2), QStringLiteral("b"));
         c.Add(thing(3), QStringLiteral("c"));
         c.Remove(1);
         EXPECT_EQ(ids(c), (std::vector<int>{2, 3}));
         EXPECT_EQ(c.Item(1).id, 2);
         EXPECT_EQ(c.Item(QStringLiteral("c")).id, 3);  // keys follow their entries
         EXPECT_THROW(c.Item(QStringLiteral("a")), rt::Error);
         c.Remove(QStringLiteral("C"));
         EXPECT_EQ(ids(c), (std::vector<int>{2}));
         EXPECT_THROW(c.Remove(QStringLiteral("zz")), rt::Error);
     }},
    {"EnumerationVisitsInOrder",
     [] {
         Things c;
         for (int i = 1; i <= 5; ++i) c.Add(thing(i), i % 2 ? QString::number(i * 10) : QString());
         EXPECT_EQ(ids(c), (std::vector<int>{1, 2, 3, 4, 5}));
     }},
    {"SharedItemsStayWithTheirOwner",
     [] {
         Things owner;
         tvRefCollection<Thing> refs;
         refs.Add(owner.Add(thing(5)));
         refs.Remove(1);
         EXPECT_EQ(owner.Item(1).id, 5);
     }},
};

INSTANTIATE_TEST_SUITE_P(Collection, CollectionCases, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
