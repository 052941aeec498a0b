#pragma once

#include <QByteArray>
#include <QString>

// The most of a report file that the statistics scan looks at.
inline constexpr qint64 kReportFileHeadSize = 500000;

// The leading bytes of the file, at most kReportFileHeadSize of them (all of a shorter file,
// none of an empty one). Fails with an rt::Error when the file cannot be opened or read.
QByteArray ReadReportFileHead(const QString& path);
