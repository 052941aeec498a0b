#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QVariant>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <utility>

#include "DatabaseSession.h"
#include "tvCollections.h"
class tvIFieldDefinition;
class tvReport;
class tvReportStatistics;
class tvPrinterObject;
class tvExportObject;
class tvDatabase;
class tvSubReportObject;
class tvSpecialVarFieldDefinition;
class tvIReportObject;
class tvFieldElement;
class tvFieldObject;
class tvGraphObject;
class tvCommonFormatting;
class tvBorderFormatting;
class tvHyperlinkFormatting;
class tvParagraphFormatting;
class tvFontFormatting;
class tvPictureFormatting;
struct tvFont;

namespace tav::database {

class DatabaseConnection;

// Stores one mined report, and each of its subreports as a report of its own, in the
// documentation database. An earlier copy of the same report file and revision is replaced.
// The whole report, subreports included, is one transaction (or one savepoint while its session
// groups the commits): a report that fails leaves the database as it was, earlier copy
// included. Every value is bound; text longer than its column allows is cut to the column's
// size, with a line in the run log.
class DatabaseWriter final {
public:
    // The reports it stores belong to the owner named `reportOwner` ("" for none), and are
    // stored through `session`, the run's.
    DatabaseWriter(const QString& reportOwner, DatabaseSession& session);
    // A writer of its own, without a run: its reports are stored through a session of its own,
    // which tells `log` and `reporter`.
    DatabaseWriter(const QString& reportOwner, core::RunLog& log, core::RunReporter& reporter);
    ~DatabaseWriter();

    // False (after the run log says why), with the reason in `error`, when the report could not
    // be stored, and when the run log could not take its steps (with the log's reason).
    bool WriteReport(const tvReport& model, const QString& reportName, const QString& databasePath,
                     const QString& reportPath, QString* error = nullptr);

    // One value of a row: the column's name in the schema and the value to bind. A null value
    // is SQL null: a reference to something missing.
    struct Column {
        const char* name;
        QVariant value;
    };
    // A table and its list of columns as written at one place of the writer, with its statements.
    struct InsertShape;

private:
    // A writer of one subreport, on the connection (and transaction) of its main report, whose
    // rows wait with those of `main`. `subreports` holds the report ids of the subreports that
    // this run stored already.
    DatabaseWriter(const DatabaseWriter& main, QHash<QString, qint32>& subreports);

    core::RunLog& log() const;
    void writeRows(const tvReport& model, const QString& storedFileName,
                   const tvReportStatistics& statistics);
    void deleteReportData();

    // Adds one row of `table` to the session's waiting rows (see RowBatch); they are stored at
    // the latest when the report's rows end.
    void insert(const char* table, std::initializer_list<Column> columns);
    void insertRow(const char* table, std::span<const Column> columns);
    // Stores one row now, after every waiting row that it may name: see RowBatch::insertNow.
    qint64 insertNow(const char* table, std::initializer_list<Column> columns);
    // Stores every waiting row that a row of `table` may name; without a table, every one.
    void flush(const char* table = nullptr);

    qint32 nextFieldId();
    qint32 nextTableId();
    qint32 fillField(const QString& name, qint16 kind, qint32 fieldId);
    // The id of a definition, by its kind and name, or -1: a database field is entered in the
    // fields registry when first asked for.
    qint32 getFieldId(const QString& name, qint16 kind);
    std::optional<qint32> definitionId(const tvIFieldDefinition& definition, const char* table);
    qint32 getDatabaseFieldId(const QString& name);
    // The id of a referenced definition as a value: null when there is none or it is unknown.
    QVariant fieldRef(const tvIFieldDefinition* definition);

    void fillReport(const tvReport& model);
    void fillReportStatistics(const tvReportStatistics& statistics);
    void fillPrinter(const tvPrinterObject& printer);
    void fillReportDatabase();
    void fillExportOptions(const tvExportObject& options);
    void fillTables(const tvDatabase& database);
    void fillDatabaseFields(const tvDatabaseFieldDefinitions& fields, qint32 tableId);
    void fillParameterFields();
    void fillFormulaFields();
    void fillGroupNameFields();
    void fillSQLExpressionFields();
    template <class Summaries>
    void fillSummaryFields(const Summaries& summaries);
    void fillRunningTotalFields();
    void fillSortFields();
    void fillSpecialVarFields();
    void fillSpecialVarField(const tvSpecialVarFieldDefinition& definition);
    void fillAreas();
    void fillSections(qint32 areaId, const tvSections& sections);
    void fillConditionalFormulas(const tvConditionalFormulas& formulas, const QVariant& areaId,
                                 const QVariant& sectionId, const QVariant& reportObjectId);
    void fillReportObjects(qint32 areaId, qint32 sectionId, const tvReportObjects& objects);
    void fillReportObjectDetails(qint32 objectId, const tvIReportObject& object);
    void fillFieldElementsMapping(qint32 objectId, const tvCollection<tvFieldElement>& elements);
    void fillCommonFormatting(qint32 objectId, const tvCommonFormatting& bag);
    void fillBorderFormatting(qint32 objectId, const tvBorderFormatting& bag);
    void fillHyperlinkFormatting(qint32 objectId, const tvHyperlinkFormatting& bag);
    void fillParagraphFormatting(qint32 objectId, const tvParagraphFormatting* bag);
    void fillFontFormatting(qint32 objectId, const tvFontFormatting& bag);
    void fillPictureFormatting(qint32 objectId, const tvPictureFormatting& bag);
    void fillValueFormattings(qint32 objectId, const tvFieldObject& field);
    qint32 fillFont(const tvFont& font);
    void fillGraphObject(qint32 objectId, const tvGraphObject& chart);
    void fillCrossTabGroups(qint32 objectId, const QString& type, const tvCrossTabGroups& groups);
    void fillObjectFieldMapping(qint32 objectId, const tvIFieldDefinition& field,
                                QSet<qint32>& mapped);
    void fillSubreportObject(qint32 objectId, const tvSubReportObject& object);

    std::unique_ptr<DatabaseSession> ownSession_;
    DatabaseSession* session_ = nullptr;
    DatabaseConnection* connection_ = nullptr;
    const tvReport* model_ = nullptr;
    // The facts stored as the report's statistics: its own, or (for a subreport, and for a
    // report whose file records none) a set the writer makes.
    const tvReportStatistics* statistics_ = nullptr;
    qint32 reportId_ = 0;
    qint32 fieldIdCounter_ = 0;
    qint32 tableIdCounter_ = 0;
    qint32 formulaIdCounter_ = 0;
    qint32 fontIdCounter_ = 0;
    // The report's path (a subreport's: its main report's path, "|", its own name), whole, and
    // as its column stores it and lookups find it.
    QString storedPath_;
    QString storedFileName_;
    // The rows this report wrote, so that lookups never ask the database: the registry's ids by
    // kind and whole name, the database fields' by whole name, the definition ids written per
    // table, and the stored table and registry names.
    QHash<std::pair<qint16, QString>, qint32> fieldIds_;
    QHash<QString, qint32> databaseFieldIds_;
    QHash<QString, QSet<qint32>> written_;
    QSet<QString> tableNames_;
    QSet<QString> registryNames_;
    // Stored subreports by stored name, shared by the main report's writer and its subreports'.
    QHash<QString, qint32> ownSubreportIds_;
    QHash<QString, qint32>* subreportIds_ = nullptr;
    // A subreport's writer leaves its rows waiting with its main report's, in the session's batch.
    bool subreport_ = false;
    QString reportOwner_;
};

}  // namespace tav::database
