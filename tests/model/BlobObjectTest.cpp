#include <gtest/gtest.h>

#include <QLocale>

#include "ChartFixture.h"
#include "FieldFixtures.h"
#include "tvBlobObject.h"

namespace {

// Sets the default locale for one test and puts the earlier one back.
class DefaultLocale {
public:
    explicit DefaultLocale(QLocale::Language language) { QLocale::setDefault(QLocale(language)); }
    ~DefaultLocale() { QLocale::setDefault(saved_); }
    DefaultLocale(const DefaultLocale&) = delete;
    DefaultLocale& operator=(const DefaultLocale&) = delete;

private:
    QLocale saved_;
};

QByteArray blob(const QByteArray& attributes, const QByteArray& children = {}) {
    return "<BlobFieldObject kind='9' " + attributes + ">" + children + "</BlobFieldObject>";
}

}  // namespace

TEST(BlobObject, CopiesFieldPlaceCroppingAndScaling) {
    const DefaultLocale german(QLocale::German);
    ASSERT_EQ(QLocale().toString(0.5), u"0,5");
    const auto report = loadReport(ordersWithObjects(
        blob("name='Photo1' field='1:Orders.Photo' left='-5' top='6' width='700' height='800'"
             " leftCropping='0' rightCropping='-120' bottomCropping='2147483647' topCropping='15'"
             " xScaling='1' yScaling='0.5'") +
        blob("field='1:ORDERS.PHOTO' xScaling='0.333333333333333333' yScaling='1e-7'")));
    ASSERT_EQ(liveRuntimeObjects(), 0);

    const auto& first = objectAt<tvBlobObject>(*report, 1);
    const auto& second = objectAt<tvBlobObject>(*report, 2);
    EXPECT_EQ(first.kind, tvBlobObjectKind);
    EXPECT_EQ(first.objectName, u"Blob");
    EXPECT_EQ(second.objectName, u"Blob");
    EXPECT_TRUE(first.key.isEmpty());
    EXPECT_EQ(first.field, ordersColumn(*report, "Orders.Photo"));
    EXPECT_EQ(second.field, first.field);
    EXPECT_EQ(first.parent, &report->tvAreas.Item(1).tvSections.Item(1));

    EXPECT_EQ(first.xScaling, u"1");
    EXPECT_EQ(first.yScaling, u"0.5");
    EXPECT_EQ(second.xScaling, u"0.333333333333333");
    EXPECT_EQ(second.yScaling, u"1e-07");
    EXPECT_EQ(first.leftCropping, u"0");
    EXPECT_EQ(first.rightCropping, u"-120");
    EXPECT_EQ(first.bottomCropping, u"2147483647");
    EXPECT_EQ(first.topCropping, u"15");
    EXPECT_EQ(first.position.left, -5);
    EXPECT_EQ(first.position.height, 800);
    EXPECT_EQ(first.commonFormatting.name, u"Photo1");
    EXPECT_TRUE(second.ConditionalFormulas.isEmpty());
}

// A field of a kind the model does not know leaves the object without a field; a definition
// that is no database field, a cropping beyond 32 bits or a failing read fails the load.
TEST(BlobObject, FieldOfAnotherKindAndFailures) {
    const auto report =
        loadReport(ordersWithObjects(blob("", "<field kind='12' name='Elsewhere'/>")));
    EXPECT_EQ(objectAt<tvBlobObject>(*report, 1).field, nullptr);
    EXPECT_EQ(objectAt<tvBlobObject>(*report, 1).objectName, u"Blob");

    struct Case {
        QByteArray objects;
        long error;
    };
    const Case cases[] = {
        {blob("field='2:Amount'"), rt::kErrTypeMismatch},
        {blob(""), rt::kErrObjectRequired},
        {blob("field='1:Orders.Photo' topCropping='0x80000000'"), rt::kErrOverflow},
        {blob("field='1:Orders.Photo' fail='yScaling'"), rt::kErrRuntimeFailure},
        {blob("field='1:Orders.Photo' xScaling='large'"), rt::kErrTypeMismatch},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.objects.toStdString());
        EXPECT_EQ(loadError(ordersWithObjects(c.objects)), c.error);
        EXPECT_EQ(liveRuntimeObjects(), 0);
    }
}
