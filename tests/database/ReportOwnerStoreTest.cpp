#include "DatabaseFixture.h"
#include "ReportOwnerStore.h"

using namespace tav::database;

using namespace ReportOwnerStore;

namespace {
const QString kAlreadyExists =
    QStringLiteral("Could not add Report Owner to database: Report Owner already exists.");

ReportOwners loaded(const QString& path) {
    ReportOwners owners;
    EXPECT_TRUE(LoadReportOwners(path, &owners));
    return owners;
}

QStringList names(const ReportOwners& owners) {
    QStringList out;
    for (const ReportOwner& owner : owners) out << owner.Name;
    return out;
}

// The reason an add gives; empty when it succeeds.
QString addFailure(const QString& path, const QString& name) {
    QString error;
    const bool added = AddReportOwner(path, name, &error);
    EXPECT_EQ(added, error.isEmpty()) << error.toStdString();
    return error;
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
    EXPECT_TRUE(loaded(path()).isEmpty());
    const QString apostrophe = QStringLiteral("O'Brien'); DROP TABLE Reports; --");
    EXPECT_EQ(addFailure(path(), QStringLiteral("Admin")), QString());
    EXPECT_EQ(addFailure(path(), apostrophe), QString());
    EXPECT_EQ(addFailure(path(), QStringLiteral("ADMIN")), kAlreadyExists);
    EXPECT_EQ(addFailure(path(), QStringLiteral("  ")), QString());

    ReportOwners owners = loaded(path());
    ASSERT_EQ(names(owners),
              (QStringList{QStringLiteral("Admin"), apostrophe, QStringLiteral("  ")}));
    EXPECT_EQ(addFailure(path(), apostrophe.toUpper()), kAlreadyExists);

    // Renaming makes no duplicate test.
    ReportOwner& renamed = owners[2];
    renamed.Name = QStringLiteral("admin's team");
    EXPECT_TRUE(UpdateReportOwner(path(), renamed));
    EXPECT_TRUE(DeleteReportOwner(path(), owners[0].ReportOwnerId));
    QString error;
    EXPECT_FALSE(DeleteReportOwner(path(), 999, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(UpdateReportOwner(path(), {QStringLiteral("Nobody"), 999}));
    EXPECT_EQ(names(loaded(path())), (QStringList{apostrophe, QStringLiteral("admin's team")}));

    DatabaseConnection db(path());
    EXPECT_TRUE(db.hasTable(QStringLiteral("Reports")));
}

TEST_F(ReportOwnersTest, OwnerOfAReportIsNotDeleted) {
    ASSERT_EQ(addFailure(path(), QStringLiteral("Team")), QString());
    const qint32 id = loaded(path()).value(0).ReportOwnerId;
    {
        DatabaseConnection db(path());
        insertRow(db, QStringLiteral("Reports"),
                  {{QStringLiteral("Report_Id"), 1}, {QStringLiteral("ReportOwner_Id"), id}});
    }
    QString error;
    EXPECT_FALSE(DeleteReportOwner(path(), id, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(loaded(path()).size(), 1);
}

TEST_F(ReportOwnersTest, FailureIsReportedNotTakenForSuccess) {
    EXPECT_TRUE(addFailure(path(), QString(256, QLatin1Char('x')))
                    .startsWith(QStringLiteral("Could not add Report Owner to database: ")));
    EXPECT_EQ(addFailure(path(), QString(255, QLatin1Char('x'))), QString());
    EXPECT_EQ(loaded(path()).size(), 1);
}

TEST_F(ReportOwnersTest, MissingFileFailsWithoutCreatingOne) {
    const QString missing = dir.filePath(QStringLiteral("none/tv.db"));
    ReportOwners owners{{QStringLiteral("stale"), 1}};
    QString error;
    EXPECT_FALSE(LoadReportOwners(missing, &owners, &error));
    EXPECT_TRUE(owners.isEmpty());
    EXPECT_TRUE(error.contains(missing)) << error.toStdString();
    EXPECT_NE(addFailure(missing, QStringLiteral("Team")), QString());
    EXPECT_FALSE(QFileInfo::exists(missing));
}

// A name longer than the table holds is refused in words, added or renamed, and the stored names
// stay; one of exactly that length is taken.
TEST_F(ReportOwnersTest, ANameTooLongIsRefusedInWords) {
    ASSERT_EQ(addFailure(path(), QStringLiteral("Team")), QString());
    const qint32 id = loaded(path()).value(0).ReportOwnerId;
    const QString tooLong(256, QLatin1Char('x'));
    const QString words =
        QStringLiteral("The Report Owner is too long: a Report Owner has at most 255 characters.");
    EXPECT_EQ(addFailure(path(), tooLong),
              QStringLiteral("Could not add Report Owner to database: ") + words);
    QString error;
    EXPECT_FALSE(UpdateReportOwner(path(), {tooLong, id}, &error));
    EXPECT_EQ(error, QStringLiteral("Could not rename Report Owner: ") + words);
    EXPECT_EQ(names(loaded(path())), QStringList{QStringLiteral("Team")});
    EXPECT_TRUE(UpdateReportOwner(path(), {QString(255, QLatin1Char('y')), id}));
    EXPECT_EQ(names(loaded(path())), QStringList{QString(255, QLatin1Char('y'))});
}
