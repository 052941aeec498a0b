#include <gsf/gsf-doc-meta-data.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-meta-names.h>
#include <gsf/gsf-msole-utils.h>
#include <gsf/gsf-timestamp.h>
#include <gsf/gsf-utils.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <thread>

#include "CompoundFile.h"
#include "PropertySet.h"
#include "ScopedTimeZone.h"
#include "TestSupport.h"
#include "tvReportStatistics.h"
#include "tvTypes.h"

namespace {

QDateTime utc(const char* iso) {
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate).toUTC();
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QByteArray summaryOf(const QString& path) {
    return rt::readCompoundStream(path, QString::fromLatin1(rt::kSummaryInformationStream))
        .value_or(QByteArray());
}

rt::SummaryInformation sampleInfo() {
    rt::SummaryInformation info;
    info.title = QStringLiteral("Überblick – 東京");
    info.subject = QStringLiteral("Subject");
    info.author = QStringLiteral("Zoë Łukasz");
    info.keywords = QStringLiteral("a, b");
    info.comments = QStringLiteral("Two\r\nlines");
    info.templateName = QStringLiteral("Corporate");
    info.lastSavedBy = QStringLiteral("Dana");
    info.revisionNumber = QStringLiteral("42");
    info.editTimeMinutes = 125;
    info.lastPrinted = utc("2023-05-06T07:08:09Z");
    info.created = utc("2001-02-03T04:05:06Z");
    info.lastSaved = utc("2024-12-31T23:59:59Z");
    return info;
}

// The metadata that libgsf's own reader finds in a summary information stream, by its names.
class GsfMetadata {
public:
    explicit GsfMetadata(const QByteArray& stream) : meta_(gsf_doc_meta_data_new()) {
        GsfInput* input = gsf_input_memory_new(reinterpret_cast<const guint8*>(stream.constData()),
                                               stream.size(), FALSE);
        GError* error = gsf_doc_meta_data_read_from_msole(meta_, input);
        error_ = error ? QString::fromUtf8(error->message) : QString();
        if (error) g_error_free(error);
        g_object_unref(input);
    }
    ~GsfMetadata() { g_object_unref(meta_); }
    GsfMetadata(const GsfMetadata&) = delete;
    GsfMetadata& operator=(const GsfMetadata&) = delete;

    const QString& error() const { return error_; }

    // A string value as its text, a time stamp as ISO text; empty when absent.
    QString value(const char* name) const {
        GsfDocProp* prop = gsf_doc_meta_data_lookup(meta_, name);
        if (!prop) return {};
        const GValue* value = gsf_doc_prop_get_val(prop);
        if (G_VALUE_HOLDS_STRING(value)) return QString::fromUtf8(g_value_get_string(value));
        if (VAL_IS_GSF_TIMESTAMP(value)) {
            char* text =
                gsf_timestamp_as_string(static_cast<GsfTimestamp*>(g_value_get_boxed(value)));
            const QString result = QString::fromUtf8(text);
            g_free(text);
            return result;
        }
        return QStringLiteral("<other type>");
    }

private:
    GsfDocMetaData* meta_;
    QString error_;
};

class CompoundFile : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

TEST_F(CompoundFile, SummaryInformationIsAWellFormedPropertySet) {
    const QByteArray set = rt::summaryInformationStream(sampleInfo());
    ASSERT_GE(set.size(), 56);
    const auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(set.constData() + at); };
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(set.constData() + at); };
    EXPECT_EQ(u16(0), 0xFFFE);                        // byte order
    EXPECT_EQ(u16(2), 0);                             // format
    EXPECT_EQ(u16(6), 2);                             // written on Win32
    EXPECT_EQ(set.mid(8, 16), QByteArray(16, '\0'));  // class id
    EXPECT_EQ(u32(24), 1u);                           // one section
    EXPECT_EQ(set.mid(28, 16).toHex(), "e0859ff2f94f6810ab9108002b27b3d9");
    ASSERT_EQ(u32(44), 48u);
    EXPECT_EQ(u32(48), quint32(set.size() - 48));  // section size
    const quint32 count = u32(52);
    ASSERT_EQ(count, 13u);
    // Ids 1 to 13 in order; each value 4-byte aligned, inside the section, typed as declared.
    const quint16 types[] = {2, 30, 30, 30, 30, 30, 30, 30, 30, 64, 64, 64, 64};
    for (quint32 i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(u32(56 + i * 8), i + 1);
        const quint32 offset = u32(56 + i * 8 + 4);
        EXPECT_EQ(offset % 4, 0u);
        ASSERT_LT(offset + 4, u32(48));
        EXPECT_EQ(u16(48 + offset), types[i]);
    }

    const rt::PropertySet read = rt::PropertySet::parse(set);
    EXPECT_EQ(read.codePage(), 65001);
    EXPECT_EQ(read.text(rt::kPidTitle), QStringLiteral("Überblick – 東京"));
    EXPECT_EQ(read.text(rt::kPidRevisionNumber), QStringLiteral("42"));
    EXPECT_EQ(read.fileTime(rt::kPidEditTime)->ticks, 125ull * 600000000ull);
    EXPECT_EQ(rt::fileTimeToDateTime(read.fileTime(rt::kPidCreated)->ticks),
              utc("2001-02-03T04:05:06Z"));
}

TEST_F(CompoundFile, ReportFileRoundTripsAndLibgsfReadsItsSummary) {
    const QByteArray design = "<Report reportTitle=\"x\"/>\n";
    rt::writeReportFile(path("r.rpt"), design, sampleInfo());

    EXPECT_TRUE(rt::isCompoundFile(readAll(path("r.rpt"))));
    EXPECT_EQ(rt::readCompoundStream(path("r.rpt"), QStringLiteral("ReportDesign")), design);
    EXPECT_EQ(rt::readCompoundStream(path("r.rpt"), QStringLiteral("Other")), std::nullopt);

    const GsfMetadata meta(summaryOf(path("r.rpt")));
    ASSERT_TRUE(meta.error().isEmpty()) << meta.error().toStdString();
    EXPECT_EQ(meta.value(GSF_META_NAME_TITLE), QStringLiteral("Überblick – 東京"));
    EXPECT_EQ(meta.value(GSF_META_NAME_SUBJECT), "Subject");
    EXPECT_EQ(meta.value(GSF_META_NAME_CREATOR), QStringLiteral("Zoë Łukasz"));
    EXPECT_EQ(meta.value(GSF_META_NAME_KEYWORDS), "a, b");
    EXPECT_EQ(meta.value(GSF_META_NAME_DESCRIPTION), "Two\r\nlines");
    EXPECT_EQ(meta.value(GSF_META_NAME_TEMPLATE), "Corporate");
    EXPECT_EQ(meta.value(GSF_META_NAME_LAST_SAVED_BY), "Dana");
    EXPECT_EQ(meta.value(GSF_META_NAME_REVISION_COUNT), "42");
    EXPECT_EQ(meta.value(GSF_META_NAME_LAST_PRINTED), "2023-05-06T07:08:09Z");
    EXPECT_EQ(meta.value(GSF_META_NAME_DATE_CREATED), "2001-02-03T04:05:06Z");
    EXPECT_EQ(meta.value(GSF_META_NAME_DATE_MODIFIED), "2024-12-31T23:59:59Z");
}

TEST_F(CompoundFile, WritingReplacesWholeOrLeavesTheOldFile) {
    rt::writeReportFile(path("r.rpt"), "<Report/>", sampleInfo());
    rt::writeReportFile(path("r.rpt"), "<Report reportTitle=\"second\"/>", sampleInfo());
    EXPECT_EQ(rt::readCompoundStream(path("r.rpt"), QStringLiteral("ReportDesign")),
              "<Report reportTitle=\"second\"/>");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"r.rpt"});  // no leftovers

    EXPECT_THROW(rt::writeReportFile(path("missing/r.rpt"), "<Report/>", sampleInfo()), rt::Error);
    EXPECT_FALSE(QFile::exists(path("missing/r.rpt")));
}

TEST_F(CompoundFile, ReadingFailsOnFilesThatAreNoCompoundFiles) {
    QFile text(path("plain.rpt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("<Report/>");
    text.close();
    EXPECT_THROW(rt::readCompoundStream(path("plain.rpt"), QStringLiteral("ReportDesign")),
                 rt::Error);
    EXPECT_THROW(rt::readCompoundStream(path("absent.rpt"), QStringLiteral("ReportDesign")),
                 rt::Error);

    // Cut short inside its sector tables.
    rt::writeReportFile(path("r.rpt"), "<Report/>", sampleInfo());
    QFile cut(path("cut.rpt"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(readAll(path("r.rpt")).first(700));
    cut.close();
    EXPECT_THROW(rt::readCompoundStream(path("cut.rpt"), QStringLiteral("ReportDesign")),
                 rt::Error);
}

// The library's notes about a damaged file go to the notes of the read that met them, and to no
// other read's, on any thread.
TEST_F(CompoundFile, LibraryNotesGoToTheReadThatMetThem) {
    rt::writeReportFile(path("r.rpt"), "<Report/>", sampleInfo());
    QByteArray damaged = readAll(path("r.rpt"));
    const quint32 directoryStart = 9999;  // beyond the file: the allocation table is broken
    damaged.replace(0x30, 4, reinterpret_cast<const char*>(&directoryStart), 4);
    QFile file(path("damaged.rpt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(damaged);
    file.close();

    const auto readWithNotes = [&](const QString& name, QStringList& notes) {
        try {
            rt::readCompoundStream(path(name), QStringLiteral("ReportDesign"),
                                   [&](const QString& note) { notes << note; });
        } catch (const rt::Error&) {
        }
    };
    QStringList damagedNotes;
    QStringList soundNotes;
    std::thread other([&] { readWithNotes(QStringLiteral("damaged.rpt"), damagedNotes); });
    for (int i = 0; i < 20; ++i) readWithNotes(QStringLiteral("r.rpt"), soundNotes);
    other.join();
    ASSERT_FALSE(damagedNotes.isEmpty());
    for (const QString& note : damagedNotes)
        EXPECT_TRUE(note.startsWith(u"libgsf")) << qPrintable(note);
    EXPECT_TRUE(soundNotes.isEmpty()) << qPrintable(soundNotes.join(u'\n'));
}

// A warning that the library gives under no domain of its own (a child it cannot read) is a note
// of the read too, not a line on standard error.
TEST_F(CompoundFile, AWarningUnderNoDomainIsANoteOfTheRead) {
    QByteArray damaged = readAll(sampleReport(QStringLiteral("layout.rpt")));
    const quint32 cutoff = 0x10000000;  // every stream then lies in blocks the file lacks
    damaged.replace(0x38, 4, reinterpret_cast<const char*>(&cutoff), 4);
    QFile file(path("damaged.rpt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(damaged);
    file.close();

    QStringList notes;
    EXPECT_EQ(rt::readCompoundStream(path("damaged.rpt"), QStringLiteral("ReportDesign"),
                                     [&](const QString& note) { notes << note; }),
              std::nullopt);
    for (const QString& note : notes) EXPECT_TRUE(note.startsWith(u"libgsf")) << qPrintable(note);
    EXPECT_TRUE(notes.join(u'\n').contains(u"libgsf: Unable to get child['ReportDesign']"))
        << qPrintable(notes.join(u'\n'));
}

// ---- The property-set reader on sets it did not write ---------------------------------------

// A property set of one section holding the given (id, type-tagged value) pairs.
QByteArray propertySet(const std::vector<std::pair<quint32, QByteArray>>& values) {
    QByteArray table;
    QByteArray data;
    const auto le32 = [](quint32 v) {
        QByteArray out(4, '\0');
        qToLittleEndian<quint32>(v, out.data());
        return out;
    };
    for (const auto& [id, value] : values) {
        table += le32(id) + le32(quint32(8 + values.size() * 8 + data.size()));
        data += value;
    }
    QByteArray set = QByteArray::fromHex("feff000006010200") + QByteArray(16, '\0') + le32(1);
    set += rt::summaryInformationFormatId() + le32(48);
    set += le32(quint32(8 + table.size() + data.size())) + le32(quint32(values.size()));
    return set + table + data;
}

TEST_F(CompoundFile, PropertySetReadsEachTypeInItsCodePage) {
    struct Case {
        const char* what;
        quint16 codePage;
        QByteArray value;
        rt::PropertyValue expected;
    };
    const Case cases[] = {
        {"1252 string", 1252, QByteArray::fromHex("1e0000000400000080e94100"),
         QStringLiteral("€éA")},
        {"string without a code page", 0, QByteArray::fromHex("1e0000000300000093610000"),
         QStringLiteral("\u201Ca")},
        {"UTF-8 string", 65001, QByteArray::fromHex("1e00000004000000c3a94100"),
         QStringLiteral("éA")},
        {"UTF-16 8-bit string", 1200, QByteArray::fromHex("1e000000060000004100e9000000"),
         QStringLiteral("Aé")},
        {"16-bit string", 1252, QByteArray::fromHex("1f000000030000004100e9000000"),
         QStringLiteral("Aé")},
        {"VT_I2", 1252, QByteArray::fromHex("02000000feff0000"), qint64(-2)},
        {"VT_I4", 1252, QByteArray::fromHex("03000000ffffffff"), qint64(-1)},
        {"VT_UI4", 1252, QByteArray::fromHex("13000000ffffffff"), qint64(0xFFFFFFFF)},
        {"VT_BOOL", 1252, QByteArray::fromHex("0b000000ffff0000"), qint64(-1)},
        {"VT_R8", 1252, QByteArray::fromHex("05000000000000000000f83f"), 1.5},
        {"VT_FILETIME", 1252, QByteArray::fromHex("400000000100000002000000"),
         rt::FileTime{0x0000000200000001ull}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::pair<quint32, QByteArray>> values{{9, c.value}};
        if (c.codePage != 0) {
            QByteArray cp = QByteArray::fromHex("0200000000000000");
            qToLittleEndian<quint16>(c.codePage, cp.data() + 4);
            values.emplace_back(1, cp);  // after the value: read first all the same
        }
        const rt::PropertySet set = rt::PropertySet::parse(propertySet(values));
        ASSERT_NE(set.value(9), nullptr);
        EXPECT_EQ(*set.value(9), c.expected);
    }
}

TEST_F(CompoundFile, PropertySetSurvivesDamage) {
    const QByteArray good = rt::summaryInformationStream(sampleInfo());
    const rt::PropertySet whole = rt::PropertySet::parse(good);
    ASSERT_EQ(whole.count(), 13);

    for (qsizetype size = 0; size < good.size(); ++size) {
        const rt::PropertySet cut = rt::PropertySet::parse(good.first(size));
        // Whatever a truncated set yields is what the whole set holds.
        for (quint32 id = 1; id <= 13; ++id) {
            if (const rt::PropertyValue* v = cut.value(id)) {
                EXPECT_EQ(*v, *whole.value(id)) << size;
            }
        }
    }
    EXPECT_EQ(rt::PropertySet::parse(good.first(55)).count(), 0);

    // Random damage, with a fixed seed so that a failure repeats.
    QRandomGenerator random(20240301);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bad = good;
        const int flips = 1 + int(random.bounded(8));
        for (int i = 0; i < flips; ++i) {
            bad[qsizetype(random.bounded(quint32(bad.size())))] = char(random.bounded(256));
        }
        // No more entries than the stream has room for, no string longer than the stream.
        const rt::PropertySet set = rt::PropertySet::parse(bad);
        EXPECT_LE(set.count(), bad.size() / 8);
        for (quint32 id = 0; id < 64; ++id) {
            if (const auto text = set.text(id)) {
                EXPECT_LE(text->size(), bad.size());
            }
        }
    }
}

// ---- tvpack and the samples ------------------------------------------------------------------

struct ToolRun {
    int exitCode;
    QString errors;
};

ToolRun tvpack(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(TVPACK), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST_F(CompoundFile, TvpackPacksTheDocumentWithItsSummary) {
    const QString design = sampleReport(QStringLiteral("grouped.xml"));
    const QStringList options{"--revision",      "12",
                              "--edit-minutes",  "90",
                              "--last-saved-by", "Pat",
                              "--created",       "2020-01-02T03:04:05Z",
                              "--last-saved",    "2020-02-03T04:05:06+01:00",
                              "--last-printed",  "2020-03-04"};
    ASSERT_EQ(tvpack(QStringList{design, path("a.rpt")} + options).exitCode, 0);
    ASSERT_EQ(tvpack(QStringList{design, path("b.rpt")} + options).exitCode, 0);
    EXPECT_EQ(readAll(path("a.rpt")), readAll(path("b.rpt")));  // reproducible

    EXPECT_EQ(rt::readCompoundStream(path("a.rpt"), QStringLiteral("ReportDesign")),
              readAll(design));
    const rt::PropertySet set = rt::PropertySet::parse(summaryOf(path("a.rpt")));
    EXPECT_EQ(set.text(rt::kPidTitle), "Orders by Customer");
    EXPECT_EQ(set.text(rt::kPidSubject), "Order totals per customer");
    EXPECT_EQ(set.text(rt::kPidAuthor), "Dana Whitlock");
    EXPECT_EQ(set.text(rt::kPidKeywords), "orders, customers, totals");
    EXPECT_EQ(set.text(rt::kPidComments),
              "Grouped on the customer; each group ends with its order total.");
    EXPECT_EQ(set.text(rt::kPidTemplate), "Corporate");
    EXPECT_EQ(set.text(rt::kPidLastSavedBy), "Pat");
    EXPECT_EQ(set.text(rt::kPidRevisionNumber), "12");
    EXPECT_EQ(set.fileTime(rt::kPidEditTime)->ticks, 90ull * 600000000ull);
    const auto date = [&](quint32 id) { return rt::fileTimeToDateTime(set.fileTime(id)->ticks); };
    EXPECT_EQ(date(rt::kPidCreated), utc("2020-01-02T03:04:05Z"));
    EXPECT_EQ(date(rt::kPidLastSaved), utc("2020-02-03T03:05:06Z"));
    EXPECT_EQ(date(rt::kPidLastPrinted), utc("2020-03-04T00:00:00Z"));
}

TEST_F(CompoundFile, TvpackRefusesBadInput) {
    QFile broken(path("broken.xml"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("<Report reportTitle=\"x\">\n  <Areas>\n</Report>\n");
    broken.close();
    const ToolRun bad = tvpack({path("broken.xml"), path("out.rpt")});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.errors.contains(u"line 3")) << bad.errors.toStdString();
    EXPECT_FALSE(QFile::exists(path("out.rpt")));

    EXPECT_EQ(tvpack({path("absent.xml"), path("out.rpt")}).exitCode, 1);

    const QString design = sampleReport(QStringLiteral("list.xml"));
    const QStringList usageErrors[] = {
        {},
        {design},
        {design, path("out.rpt"), path("third")},
        {design, path("out.rpt"), "--revision", "many"},
        {design, path("out.rpt"), "--edit-minutes", "-5"},
        {design, path("out.rpt"), "--created", "yesterday"},
        {design, path("out.rpt"), "--unknown"},
    };
    for (const QStringList& arguments : usageErrors) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const ToolRun run = tvpack(arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_FALSE(run.errors.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(path("out.rpt")));
}

// The samples are packed by scripts/pack-samples.sh with these values.
TEST_F(CompoundFile, SamplesAreCurrentAndLoad) {
    ScopedTimeZone zone("UTC");
    const QDir samples(sampleReport(QString()));
    const QStringList designs = samples.entryList({QStringLiteral("*.xml")}, QDir::Files);
    ASSERT_GE(designs.size(), 2);
    for (const QString& design : designs) {
        SCOPED_TRACE(design.toStdString());
        const QString packed = samples.filePath(QString(design).replace(".xml", ".rpt"));
        ASSERT_TRUE(QFile::exists(packed)) << "run scripts/pack-samples.sh";
        EXPECT_EQ(rt::readCompoundStream(packed, QStringLiteral("ReportDesign")),
                  readAll(samples.filePath(design)))
            << "stale sample: run scripts/pack-samples.sh";
    }
    for (const QString& packed : samples.entryList({QStringLiteral("*.rpt")}, QDir::Files)) {
        SCOPED_TRACE(packed.toStdString());
        EXPECT_TRUE(designs.contains(QString(packed).replace(".rpt", ".xml")));
        tvReport report;
        ASSERT_NO_THROW(report.init(samples.filePath(packed), 0, 0));
        EXPECT_FALSE(report.reportTitle.isEmpty());
        EXPECT_GE(report.tvAreas.Count(), 5);
        const tvReportStatistics& s = *report.tvReportStatistics;
        EXPECT_EQ(s.revisionNumber, 3);
        EXPECT_EQ(s.totalEditTime, 95);
        EXPECT_EQ(s.lastSavedBy, "Dana Whitlock");
        EXPECT_EQ(s.created.toString(Qt::ISODate), "2024-01-15T09:30:00");
        EXPECT_EQ(s.lastSaved.toString(Qt::ISODate), "2024-03-01T14:30:00");
        EXPECT_EQ(s.lastPrinted.toString(Qt::ISODate), "2024-02-20T08:05:00");
    }
}

TEST_F(CompoundFile, RealReportsCannotBeOpened) {
    const QDir real(testData(QStringLiteral("real-reports")));
    const QStringList files = real.entryList({QStringLiteral("*.rpt")}, QDir::Files);
    ASSERT_EQ(files.size(), 6);
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        tvReport report;
        try {
            report.init(real.filePath(file), 0, 0);
            ADD_FAILURE() << "opened";
        } catch (const rt::Error& e) {
            EXPECT_EQ(e.number(), rt::kErrUnableToOpen);
            EXPECT_EQ(e.description(), "Tavrin is unable to open this report");
        }
    }
}

}  // namespace
