#include "CompoundFile.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>

#include <QFile>
#include <array>
#include <memory>
#include <mutex>
#include <utility>

#include "PropertySet.h"
#include "RtError.h"
#include "SaveFile.h"

namespace rt {

namespace {

// Streams larger than this are no part of a report file; reading one would only exhaust memory.
constexpr gsf_off_t kLargestStream = gsf_off_t(1) << 30;

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <class T>
using GsfPtr = std::unique_ptr<T, GObjectUnref>;

struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};

// The read in progress on this thread, for as long as it lasts: GLib's log handler is one for
// the whole process, and the library logs on the thread that called it.
struct ReadInProgress {
    bool reading = false;
    const LibraryNotes* notes = nullptr;  // none: the read takes no notes
};
thread_local ReadInProgress readOfThisThread;

class NotesDuringRead {
public:
    explicit NotesDuringRead(const LibraryNotes& notes)
        : earlier_(std::exchange(readOfThisThread, {true, notes ? &notes : nullptr})) {}
    ~NotesDuringRead() { readOfThisThread = earlier_; }
    NotesDuringRead(const NotesDuringRead&) = delete;
    NotesDuringRead& operator=(const NotesDuringRead&) = delete;

private:
    ReadInProgress earlier_;
};

void forwardLibraryMessage(const gchar* domain, GLogLevelFlags level, const gchar* message,
                           gpointer data);

// GLib's default log handler before ours, set once with ours and never changed.
GLogFunc earlierDefaultHandler() {
    static const GLogFunc earlier = g_log_set_default_handler(forwardLibraryMessage, nullptr);
    return earlier;
}

// During a read only the library runs on its thread, and it logs under "libgsf", under domains
// of its parts ("libgsf:msole"), under none at all (its warning about a child it cannot read),
// or through GLib's own domains: all of it is a note of that read, and a read that takes no
// notes drops it, since standard error is the program's, not the library's. Messages of other
// threads and outside a read go where they went before.
void forwardLibraryMessage(const gchar* domain, GLogLevelFlags level, const gchar* message,
                           gpointer data) {
    const ReadInProgress& read = readOfThisThread;
    if (!read.reading) {
        earlierDefaultHandler()(domain, level, message, data);
        return;
    }
    if (!read.notes) return;
    (*read.notes)(QStringLiteral("%1: %2").arg(QString::fromUtf8(domain ? domain : "libgsf"),
                                               QString::fromUtf8(message ? message : "")));
}

void initLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        earlierDefaultHandler();
        gsf_init();
    });
}

QString messageOf(GError* error) {
    return error ? QString::fromUtf8(error->message) : QStringLiteral("unknown error");
}

// Opens a compound file for reading; fails with an Error naming the file.
GsfPtr<GsfInfile> openCompoundFile(const QString& path) {
    initLibrary();
    GError* error = nullptr;
    GsfPtr<GsfInput> input(gsf_input_stdio_new(QFile::encodeName(path).constData(), &error));
    std::unique_ptr<GError, GErrorFree> inputError(error);
    if (!input) throw Error(kErrUnableToOpen, QStringLiteral("%1: %2").arg(path, messageOf(error)));
    error = nullptr;
    GsfPtr<GsfInfile> infile(gsf_infile_msole_new(input.get(), &error));
    std::unique_ptr<GError, GErrorFree> oleError(error);
    if (!infile) {
        throw Error(
            kErrUnableToOpen,
            QStringLiteral("%1: not a readable compound file: %2").arg(path, messageOf(error)));
    }
    return infile;
}

void writeStream(GsfOutfile* root, const QString& name, const QByteArray& bytes,
                 const QString& path) {
    GsfPtr<GsfOutput> stream(gsf_outfile_new_child(root, name.toUtf8().constData(), FALSE));
    const bool written = stream &&
                         gsf_output_write(stream.get(), static_cast<size_t>(bytes.size()),
                                          reinterpret_cast<const guint8*>(bytes.constData())) &&
                         gsf_output_close(stream.get());
    if (!written) {
        throw Error(kErrRuntimeFailure,
                    QStringLiteral("%1: cannot write the stream %2").arg(path, name));
    }
}

// One value of the summary information and the property id it is written under.
template <class T>
struct SummaryProperty {
    quint32 id;
    T SummaryInformation::*member;
};

}  // namespace

QByteArray summaryInformationStream(const SummaryInformation& info) {
    static constexpr std::array<SummaryProperty<QString>, 8> kTexts{{
        {kPidTitle, &SummaryInformation::title},
        {kPidSubject, &SummaryInformation::subject},
        {kPidAuthor, &SummaryInformation::author},
        {kPidKeywords, &SummaryInformation::keywords},
        {kPidComments, &SummaryInformation::comments},
        {kPidTemplate, &SummaryInformation::templateName},
        {kPidLastSavedBy, &SummaryInformation::lastSavedBy},
        {kPidRevisionNumber, &SummaryInformation::revisionNumber},
    }};
    static constexpr std::array<SummaryProperty<QDateTime>, 3> kDates{{
        {kPidLastPrinted, &SummaryInformation::lastPrinted},
        {kPidCreated, &SummaryInformation::created},
        {kPidLastSaved, &SummaryInformation::lastSaved},
    }};

    PropertySetWriter writer;
    for (const auto& p : kTexts) writer.addText(p.id, info.*p.member);
    // The editing time is a duration held in a file time.
    const quint64 minutes = static_cast<quint64>(std::max<qint64>(info.editTimeMinutes, 0));
    writer.addFileTime(kPidEditTime, minutes * kFileTimeTicksPerMinute);
    for (const auto& p : kDates) {
        writer.addFileTime(p.id, dateTimeToFileTime(info.*p.member));
    }
    return writer.toByteArray(summaryInformationFormatId());
}

bool isCompoundFile(const QByteArray& head) {
    static const char kSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    return head.startsWith(QByteArray::fromRawData(kSignature, 8));
}

std::optional<QByteArray> readCompoundStream(const QString& path, const QString& streamName,
                                             const LibraryNotes& notes) {
    const NotesDuringRead during(notes);
    const GsfPtr<GsfInfile> root = openCompoundFile(path);
    GsfPtr<GsfInput> stream(gsf_infile_child_by_name(root.get(), streamName.toUtf8().constData()));
    if (!stream) return std::nullopt;
    // A storage of that name is no stream.
    if (GSF_IS_INFILE(stream.get()) && gsf_infile_num_children(GSF_INFILE(stream.get())) >= 0) {
        return std::nullopt;
    }
    const gsf_off_t size = gsf_input_size(stream.get());
    if (size < 0 || size > kLargestStream) {
        throw Error(
            kErrUnableToOpen,
            QStringLiteral("%1: the stream %2 has an impossible size").arg(path, streamName));
    }
    QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
    if (size > 0 && !gsf_input_read(stream.get(), static_cast<size_t>(size),
                                    reinterpret_cast<guint8*>(bytes.data()))) {
        throw Error(kErrUnableToOpen,
                    QStringLiteral("%1: the stream %2 cannot be read").arg(path, streamName));
    }
    return bytes;
}

void writeCompoundFile(const QString& path,
                       const std::vector<std::pair<QString, QByteArray>>& streams) {
    initLibrary();
    // The compound file is built in memory and saved whole, so a failure leaves the old file.
    GsfPtr<GsfOutput> memory(gsf_output_memory_new());
    {
        GsfPtr<GsfOutfile> root(gsf_outfile_msole_new(memory.get()));
        if (!root) throw Error(kErrRuntimeFailure, QStringLiteral("%1: cannot build").arg(path));
        for (const auto& [name, bytes] : streams) writeStream(root.get(), name, bytes, path);
        if (!gsf_output_close(GSF_OUTPUT(root.get()))) {
            throw Error(kErrRuntimeFailure, QStringLiteral("%1: cannot build").arg(path));
        }
    }
    const gsf_off_t size = gsf_output_size(memory.get());
    const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory.get()));
    if (!bytes) throw Error(kErrRuntimeFailure, QStringLiteral("%1: cannot build").arg(path));
    QString cause;
    if (!saveWhole(path, QByteArray::fromRawData(reinterpret_cast<const char*>(bytes), size),
                   &cause)) {
        throw Error(kErrRuntimeFailure, QStringLiteral("%1: %2").arg(path, cause));
    }
}

void writeReportFile(const QString& path, const QByteArray& design,
                     const SummaryInformation& info) {
    writeCompoundFile(
        path, {{QString::fromLatin1(kReportDesignStream), design},
               {QString::fromLatin1(kSummaryInformationStream), summaryInformationStream(info)}});
}

}  // namespace rt
