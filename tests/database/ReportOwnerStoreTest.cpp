#include "DatabaseFixture.h"
#include "ReportOwnerStore.h"

using namespace tav::database;

using namespace ReportOwnerStore;

namespace {
// The owners read, whatever the reading answered.
std::unique_ptr<ReportOwners> loaded(const QString& path) {
    auto owners = std::make_unique<ReportOwners>();
    LoadReportOwners(path, *owners);
    return owners;
}

// "" when the owner was added, else the reason.
QString added(const QString& path, const QString& name) {
    QString reason;
    return AddReportOwner(path, name, &reason) ? QString() : reason;
}

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
    EXPECT_EQ(loaded(path())->Count(), 0);
    const QString apostrophe = QStringLiteral("O'Brien'); DROP TABLE Reports; --");
    EXPECT_EQ(added(path(), QStringLiteral("Admin")), QString());
    EXPECT_EQ(added(path(), apostrophe), QString());
    EXPECT_EQ(
        added(path(), QStringLiteral("ADMIN")),
        QStringLiteral("Could not add Report Owner to database: Report Owner already exists."));
    EXPECT_EQ(added(path(), QStringLiteral("  ")), QString());

    auto owners = loaded(path());
    ASSERT_EQ(names(*owners),
              (QStringList{QStringLiteral("Admin"), apostrophe, QStringLiteral("  ")}));
    EXPECT_EQ(
        added(path(), apostrophe.toUpper()),
        QStringLiteral("Could not add Report Owner to database: Report Owner already exists."));

    // Renaming makes no duplicate test.
    ReportOwner& renamed = owners->Item(3);
    renamed.Name = QStringLiteral("admin's team");
    EXPECT_TRUE(UpdateReportOwner(path(), renamed));
    EXPECT_TRUE(DeleteReportOwner(path(), owners->Item(1).ReportOwnerId));
    EXPECT_FALSE(DeleteReportOwner(path(), 999));
    EXPECT_EQ(names(*loaded(path())), (QStringList{apostrophe, QStringLiteral("admin's team")}));

    DatabaseConnection db(path());
    EXPECT_TRUE(db.hasTable(QStringLiteral("Reports")));
}

TEST_F(ReportOwnersTest, OwnerOfAReportIsNotDeleted) {
    ASSERT_EQ(added(path(), QStringLiteral("Team")), QString());
    const qint32 id = loaded(path())->Item(1).ReportOwnerId;
    {
        DatabaseConnection db(path());
        insertRow(db, QStringLiteral("Reports"),
                  {{QStringLiteral("Report_Id"), 1}, {QStringLiteral("ReportOwner_Id"), id}});
    }
    EXPECT_FALSE(DeleteReportOwner(path(), id));
    EXPECT_EQ(loaded(path())->Count(), 1);
}

TEST_F(ReportOwnersTest, FailureIsReportedNotTakenForSuccess) {
    EXPECT_NE(added(path(), QString(256, QLatin1Char('x'))), QString());
    EXPECT_EQ(added(path(), QString(255, QLatin1Char('x'))), QString());
    EXPECT_EQ(loaded(path())->Count(), 1);
}

TEST_F(ReportOwnersTest, MissingFileFailsWithoutCreatingOne) {
    const QString missing = dir.filePath(QStringLiteral("none/tv.db"));
    ReportOwners owners;
    QString reason;
    EXPECT_FALSE(LoadReportOwners(missing, owners, &reason));
    EXPECT_EQ(owners.Count(), 0);
    EXPECT_TRUE(reason.contains(missing)) << reason.toStdString();
    EXPECT_NE(added(missing, QStringLiteral("Team")), QString());
    EXPECT_FALSE(QFileInfo::exists(missing));
}
