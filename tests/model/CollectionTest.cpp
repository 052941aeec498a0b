#include <gtest/gtest.h>

#include "tvCollection.h"

namespace {

struct Thing {
    int id = 0;
};

}  // namespace

TEST(Collection, NewCollectionIsEmpty) {
    tvCollection<Thing> c;
    EXPECT_EQ(c.Count(), 0);
    EXPECT_THROW(c.Item(1), rt::Error);
}
