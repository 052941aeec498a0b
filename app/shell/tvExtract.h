#pragma once

#include <QString>
#include <QStringList>

#include "TextUtilities.h"

// The Extract driver: mines each report into a fresh model and hands it to the writers that
// the settings switch on (text, Word, database, in that order), keeping the Extract result
// list in step with the output files.

// The output files of a report stem, in the settings' folders.
QString textOutputPath(const QString& stem);
QString wordOutputPath(const QString& stem);

// Mines every report of `reportList` (full paths) in order and keeps `resultList` naming the
// expected outputs of each report once, at the end, whether the report succeeded or not.
// True when every report was documented.
bool ExtractReportList(const QStringList& reportList, QStringList& resultList);

// Removes the first entry equal to `name` and, when Word output is on, the first entry naming
// the Word document of the same folder and stem.
void RemoveListItem(QStringList& list, const QString& name);

// Mines one report and runs the enabled writers. Never fails to its caller: a report that
// fails shows "Unable to open Report: " and its file name, and the result is false.
bool ExtractReport(const QString& reportPath, const QString& reportFileName);
