#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <stdexcept>

#include "FaultyRuntime.h"
#include "FieldFixtures.h"
#include "LayoutFixture.h"
#include "tvArea.h"
#include "tvSection.h"

// The Orders report (FieldFixtures.h) with `declarations` after its database and one detail
// section holding `objects`.
inline QByteArray ordersWithObjects(const QByteArray& objects,
                                    const QByteArray& declarations = {}) {
    return ordersReport(declarations +
                        "<Areas><Area kind='4' name='DetailArea1'><Sections>"
                        "<Section sectionName='DetailSection1' height='300'><ReportObjects>" +
                        objects + "</ReportObjects></Section></Sections></Area></Areas>");
}

inline void expectPlace(const tvPosition& p, qint32 left, qint32 top, qint32 width, qint32 height) {
    EXPECT_EQ(p.left, left);
    EXPECT_EQ(p.top, top);
    EXPECT_EQ(p.width, width);
    EXPECT_EQ(p.height, height);
}

// Each of the `members` ("Type.member"), failing alone, ends the load of `xml`, and no runtime
// object outlives the failed load.
inline void expectFailingReadsEndTheLoad(const QByteArray& xml,
                                         std::initializer_list<const char*> members) {
    for (const char* member : members) {
        SCOPED_TRACE(member);
        const FaultyRuntime faults({QString::fromLatin1(member)});
        auto crReport = faults.wrap(runtimeReport(xml));
        tvReport report;
        EXPECT_THROW(report.init(QStringLiteral("fixture.rpt"), 0, 0, crReport, false), rt::Error);
        crReport.reset();
        EXPECT_EQ(liveRuntimeObjects(), 0);
    }
}
