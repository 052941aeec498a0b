#include <gtest/gtest.h>

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "DocxPackage.h"
#include "DocxWriter.h"
#include "ExtractOptions.h"
#include "RecordingReporter.h"
#include "RunLog.h"
#include "SettingsStore.h"
#include "SharedBlocks.h"
#include "TemplateStore.h"
#include "TestSupport.h"

using namespace tav::core;
using namespace tav::doctext;
using namespace tav::word;

namespace {

// The paragraphs of a part as "StyleId|text", in document order.
QStringList paragraphsOf(const QByteArray& part) {
    QDomDocument document;
    if (!document.setContent(part)) return {QStringLiteral("not well formed")};
    QStringList paragraphs;
    const QDomNodeList list = document.elementsByTagName(QStringLiteral("w:p"));
    for (int i = 0; i < list.size(); ++i) {
        const QDomElement p = list.at(i).toElement();
        QString text;
        const QDomNodeList texts = p.elementsByTagName(QStringLiteral("w:t"));
        for (int t = 0; t < texts.size(); ++t) text += texts.at(t).toElement().text();
        paragraphs << p.firstChildElement(QStringLiteral("w:pPr"))
                              .firstChildElement(QStringLiteral("w:pStyle"))
                              .attribute(QStringLiteral("w:val")) +
                          u'|' + text;
    }
    return paragraphs;
}

// A program folder with the Templates folder the program ships, settings of their defaults.
class ShippedTemplate : public ::testing::Test {
protected:
    void SetUp() override {
        const QDir shipped(QStringLiteral(TAV_RESOURCES "/Templates"));
        ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("Templates")));
        for (const QString& name : shipped.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(shipped.filePath(name), path("Templates/" + name)));
        SettingsStore(path("tavrin.ini"), dir_.path() + u'/').load(options_);
    }
    QString path(const QString& relative) const { return dir_.filePath(relative); }

    // The document of the sample list.rpt on the named profile, as the writer left it; nothing
    // when it could not be written.
    std::shared_ptr<DocxWriter> writeList(const QString& profileName) {
        QFile design(sampleReport(QStringLiteral("list.xml")));
        if (!design.open(QIODevice::ReadOnly)) return nullptr;
        const QString name = QStringLiteral("list.rpt");
        const auto report = loadReport(design.readAll(), path(name));
        auto writer = std::make_shared<DocxWriter>(options_, log_, reporter_);
        const bool written = writer->init(name, dir_.path() + u'/', path(name), profileName) &&
                             writer->WriteReport(*report, name);
        writer->closeDocument();
        return written ? writer : nullptr;
    }

    QTemporaryDir dir_;
    RecordingReporter reporter_;
    QStringList& messages_ = reporter_.messages;
    RunLog log_{dir_.path()};  // the writer's, never closed: no file
    ExtractOptions options_;
};

// With "Use Template" on and every other setting at its default, the document is written on the
// shipped template of the default profile, and the user is told nothing.
TEST_F(ShippedTemplate, DefaultProfileGivesTheClassicDocumentWithoutAMessage) {
    ASSERT_EQ(options_.OutputTemplate, QStringLiteral("Classic"));
    options_.UseTemplate = 1;
    const auto writer = writeList(options_.OutputTemplate);
    ASSERT_TRUE(writer);
    EXPECT_EQ(writer->profile().templateName, QStringLiteral("Classic"));
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join(u'\n').toStdString();

    const auto parts = tvdocx::readPackage(writer->documentPath());
    ASSERT_TRUE(parts);
    // The template's title page, its fields filled with the report's values, comes first; the
    // report's headings follow in the template's heading styles.
    const QStringList body = paragraphsOf(parts->at(QStringLiteral("word/document.xml")));
    ASSERT_GE(body.size(), 2);
    EXPECT_EQ(body.mid(0, 2), QStringList({"Title|Report Documentation", "Subtitle|list.rpt"}));
    EXPECT_TRUE(body.contains(QStringLiteral("Heading2|Sections")));
    EXPECT_TRUE(body.contains(QStringLiteral("Heading2|Report Layout")));
    const QStringList header = paragraphsOf(parts->at(QStringLiteral("word/header1.xml")));
    ASSERT_FALSE(header.isEmpty());
    EXPECT_TRUE(header.first().startsWith(QStringLiteral("Header|Report File: list.rpt")));

    // The heading styles are the template's own, not those of a new document.
    QDomDocument styles;
    ASSERT_TRUE(styles.setContent(parts->at(QStringLiteral("word/styles.xml"))));
    const QDomNodeList list = styles.elementsByTagName(QStringLiteral("w:style"));
    QString headingColour;
    for (int i = 0; i < list.size(); ++i) {
        const QDomElement style = list.at(i).toElement();
        if (style.attribute(QStringLiteral("w:styleId")) == QLatin1String("Heading1"))
            headingColour = style.firstChildElement(QStringLiteral("w:rPr"))
                                .firstChildElement(QStringLiteral("w:color"))
                                .attribute(QStringLiteral("w:val"));
    }
    EXPECT_EQ(headingColour, QStringLiteral("1F3864"));
}

// A profile name that is not stored gives its one message, and the document is written on the
// template that the fallback profile names, which ships.
TEST_F(ShippedTemplate, AnUnknownProfileGivesOneMessageAndTheShippedTemplate) {
    options_.UseTemplate = 1;
    const auto writer = writeList(QStringLiteral("Modern"));
    ASSERT_TRUE(writer);
    ASSERT_EQ(messages_.size(), 1) << messages_.join(u'\n').toStdString();
    EXPECT_TRUE(messages_[0].startsWith(QStringLiteral("Selected Profile not found")));
    const auto parts = tvdocx::readPackage(writer->documentPath());
    ASSERT_TRUE(parts);
    EXPECT_EQ(paragraphsOf(parts->at(QStringLiteral("word/document.xml"))).value(0),
              QStringLiteral("Title|Report Documentation"));
}

// Every profile of the shipped store names a template that ships beside it, and so does the
// fallback profile.
TEST_F(ShippedTemplate, EveryShippedProfileHasItsTemplate) {
    std::vector<DocumentTemplate> profiles;
    QString error;
    ASSERT_TRUE(TemplateStore(dir_.path()).LoadAllTemplates(profiles, &error))
        << error.toStdString();
    ASSERT_FALSE(profiles.empty());
    for (const DocumentTemplate& profile : profiles)
        EXPECT_TRUE(QFile::exists(profile.templatePath)) << profile.templatePath.toStdString();
    EXPECT_TRUE(QFile::exists(TemplateStore(dir_.path()).GetFallbackTemplate().templatePath));
}

}  // namespace
