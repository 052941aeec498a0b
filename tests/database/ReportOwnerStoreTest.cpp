#include "DatabaseFixture.h"
#include "ReportOwnerStore.h"

using namespace tav::database;

using namespace ReportOwnerStore;

namespace {
QStringList names(const ReportOwners& owners) {
    QStringList out;
    for (const ReportOwner& owner : owners) out << owner.Name;
    return out;
}
}  // namespace

class ReportOwnersTest : public DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        ASSERT_TRUE(DatabaseCreator::CreateDatabase(path()));
    }
};

TEST_F(ReportOwnersTest, AddRenameAndDeleteKeepNamesAsTyped) {
    EXPECT_EQ(LoadReportOwners(path())->Count(), 0);
    const QString apostrophe = QStringLiteral("O'Brien'); DROP TABLE Reports; --");
    EXPECT_EQ(AddReportOwner(path(), QStringLiteral("Admin")), QString());
    EXPECT_EQ(AddReportOwner(path(), apostrophe), QString());
    EXPECT_EQ(
        AddReportOwner(path(), QStringLiteral("ADMIN")),
        QStringLiteral("Could not add Report Owner to database: Report Owner already exists."));
    EXPECT_EQ(AddReportOwner(path(), QStringLiteral("  ")), QString());

    auto owners = LoadReportOwners(path());
    ASSERT_EQ(names(*owners),
              (QStringList{QStringLiteral("Admin"), apostrophe, QStringLiteral("  ")}));
    EXPECT_EQ(
        AddReportOwner(path(), apostrophe.toUpper()),
        QStringLiteral("Could not add Report Owner to database: Report Owner already exists."));

    // Renaming makes no duplicate test.
    ReportOwner& renamed = owners->Item(3);
    renamed.Name = QStringLiteral("admin's team");
    EXPECT_TRUE(UpdateReportOwner(path(), renamed));
    EXPECT_TRUE(DeleteReportOwner(path(), owners->Item(1).ReportOwnerId));
    EXPECT_FALSE(DeleteReportOwner(path(), 999));
    EXPECT_EQ(names(*LoadReportOwners(path())),
              (QStringList{apostrophe, QStringLiteral("admin's team")}));

    DbConnection db(path());
    EXPECT_TRUE(db.hasTable(QStringLiteral("Reports")));
}

TEST_F(ReportOwnersTest, OwnerOfAReportIsNotDeleted) {
    ASSERT_EQ(AddReportOwner(path(), QStringLiteral("Team")), QString());
    const qint32 id = LoadReportOwners(path())->Item(1).ReportOwnerId;
    {
        DbConnection db(path());
        insertRow(db, QStringLiteral("Reports"),
                  {{QStringLiteral("Report_Id"), 1}, {QStringLiteral("ReportOwner_Id"), id}});
    }
    EXPECT_FALSE(DeleteReportOwner(path(), id));
    EXPECT_EQ(LoadReportOwners(path())->Count(), 1);
}

TEST_F(ReportOwnersTest, FailureIsReportedNotTakenForSuccess) {
    EXPECT_NE(AddReportOwner(path(), QString(256, QLatin1Char('x'))), QString());
    EXPECT_EQ(AddReportOwner(path(), QString(255, QLatin1Char('x'))), QString());
    EXPECT_EQ(LoadReportOwners(path())->Count(), 1);
}

TEST_F(ReportOwnersTest, MissingFileFailsWithoutCreatingOne) {
    const QString missing = dir.filePath(QStringLiteral("none/tv.db"));
    EXPECT_EQ(LoadReportOwners(missing)->Count(), 0);
    EXPECT_NE(AddReportOwner(missing, QStringLiteral("Team")), QString());
    EXPECT_FALSE(QFileInfo::exists(missing));
}
