#pragma once

#include <QByteArray>
#include <QList>
#include <algorithm>
#include <vector>

// A design of `objects` field objects, twenty to a detail section, each with the attributes
// `objectAttributes` (its place and formatting) after its name, field and left edge.
inline QByteArray fieldObjectsDesign(int objects, const QByteArray& objectAttributes) {
    QByteArray xml =
        "<Report reportTitle=\"Generated\"><Database><Tables><Table name=\"Orders\" "
        "location=\"Orders\"><Fields><Field kind=\"1\" name=\"Orders.Amount\" "
        "databaseFieldName=\"Amount\" valueType=\"8\" numberOfBytes=\"8\"/></Fields></Table>"
        "</Tables></Database><ExportOptions/><Areas><Area kind=\"3\" "
        "name=\"DetailArea1\"><Sections>";
    for (int done = 0, section = 1; done < objects; ++section) {
        xml += "<Section sectionName=\"DetailSection" + QByteArray::number(section) +
               "\" height=\"300\"><ReportObjects>";
        for (int k = 0; k < 20 && done < objects; ++k, ++done)
            xml += "<FieldObject kind=\"1\" name=\"Field" + QByteArray::number(done) +
                   "\" field=\"1:Orders.Amount\" left=\"" + QByteArray::number(k * 100) + "\" " +
                   objectAttributes + "/>";
        xml += "</ReportObjects></Section>";
    }
    xml += "</Sections></Area></Areas></Report>";
    return xml;
}

// A design of `objects` field objects with their formatting.
inline QByteArray fieldsDesign(int objects) {
    return fieldObjectsDesign(objects,
                              "top=\"10\" width=\"90\" height=\"200\" textColor=\"0\" "
                              "fontName=\"Arial\" fontSize=\"9\" horAlignment=\"2\" "
                              "suppressIfDuplicated=\"true\"");
}

// The load benchmark's own design: `fields` field objects, a fifth as many text objects (one
// embedded field each) and a twentieth as many vertical lines ending in a later section, fifty
// objects a detail section, every field object with its font and the attributes the model reads;
// the fields name a tenth as many database columns (at least ten) of one table.
inline QByteArray loadBenchDesign(int fields) {
    const auto n = [](long long value) { return QByteArray::number(value); };
    const int columns = std::max(10, fields / 10);
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Report reportTitle=\"Scale " +
                     n(fields) +
                     "\" numberOfGroups=\"0\" leftMargin=\"720\" rightMargin=\"720\" "
                     "topMargin=\"720\" bottomMargin=\"720\">\n<Database><Tables><Table "
                     "name=\"T\" location=\"T\" dllName=\"crdb_odbc.dll\" "
                     "databaseType=\"2\"><Fields>\n";
    constexpr int kValueTypes[] = {5, 12, 8, 10, 16, 9};
    for (int c = 0; c < columns; ++c)
        xml += "<Field kind=\"1\" name=\"T.C" + n(c) + "\" databaseFieldName=\"C" + n(c) +
               "\" valueType=\"" + n(kValueTypes[c % 6]) + "\" numberOfBytes=\"8\"/>\n";
    xml +=
        "</Fields></Table></Tables></Database><ExportOptions/>\n<Areas>\n<Area kind=\"1\" "
        "name=\"ReportHeaderArea1\"><Sections><Section sectionName=\"RH\" number=\"0\" "
        "height=\"300\" width=\"10800\"><ReportObjects><TextObject kind=\"2\" name=\"Title\" "
        "text=\"Scale\" left=\"0\" top=\"0\" width=\"4000\" height=\"240\"/></ReportObjects>"
        "</Section></Sections></Area>\n";
    const int objects = fields + fields / 5 + fields / 20;
    const int sections = std::max(2, (objects + 49) / 50);
    std::vector<QList<QByteArray>> inSection(static_cast<size_t>(sections));
    int next = 0;
    const auto place = [&](const QByteArray& object) -> int {
        const int section = next++ % sections;
        inSection[static_cast<size_t>(section)].append(object);
        return section;
    };
    for (int i = 0; i < fields; ++i)
        place("<FieldObject kind=\"1\" name=\"F" + n(i) + "\" field=\"1:T.C" + n(i % columns) +
              "\" left=\"" + n(i * 97LL % 10000) +
              "\" top=\"0\" width=\"600\" height=\"240\" canGrow=\"true\" "
              "backgroundColor=\"-1\"><font name=\"Arial\" size=\"9\" "
              "weight=\"400\"/></FieldObject>");
    for (int i = 0; i < fields / 5; ++i) {
        const QByteArray column = "T.C" + n(i % columns);
        place("<TextObject kind=\"2\" name=\"X" + n(i) + "\" text=\"Value {" + column +
              "}\" left=\"" + n(i * 131LL % 9000) +
              "\" top=\"0\" width=\"2000\" height=\"240\" backgroundColor=\"-1\"><font "
              "name=\"Arial\" size=\"9\"/><FieldElements><FieldElement field=\"1:" +
              column + "\"/></FieldElements></TextObject>");
    }
    for (int i = 0; i < fields / 20; ++i) {
        const int section = next % sections;
        const QByteArray x = n(i * 53LL % 10800);
        place("<LineObject kind=\"3\" name=\"L" + n(i) + "\" left=\"" + x + "\" right=\"" + x +
              "\" top=\"0\" bottom=\"200\" endSection=\"D" +
              n(std::min(sections - 1, section + 1 + i % 3)) +
              "\" lineStyle=\"1\" lineThickness=\"10\"/>");
    }
    xml += "<Area kind=\"4\" name=\"DetailArea1\"><Sections>\n";
    for (int s = 0; s < sections; ++s)
        xml += "<Section sectionName=\"D" + n(s) + "\" number=\"" + n(s) +
               "\" height=\"300\" width=\"10800\"><ReportObjects>\n" +
               inSection[static_cast<size_t>(s)].join('\n') + "\n</ReportObjects></Section>\n";
    xml +=
        "</Sections></Area>\n<Area kind=\"8\" name=\"ReportFooterArea1\"><Sections><Section "
        "sectionName=\"RF\" number=\"0\" height=\"300\" width=\"10800\"/></Sections></Area>\n"
        "</Areas>\n</Report>\n";
    return xml;
}
