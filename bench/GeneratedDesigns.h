#pragma once

#include <QByteArray>

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
