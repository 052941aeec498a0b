#include <QFile>
#include <QFileInfo>

#include "CompoundFile.h"
#include "DesignDocument.h"
#include "RtObject.h"

namespace rt {

std::unique_ptr<Object> Application::openReport(const QString& path,
                                                const LibraryNotes& notes) const {
    // No file name can hold a NUL: asking the system about one would only bring Qt's warning
    // and a cause that says nothing of why.
    if (path.contains(QChar(u'\0'))) {
        throw Error(kErrUnableToOpen,
                    QStringLiteral("%1: the file name holds a NUL character, which no file name "
                                   "can hold")
                        .arg(path));
    }
    // A device or a pipe is no report file: reading one would never end, or wait for ever.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        throw Error(kErrUnableToOpen, QStringLiteral("%1 is not a regular file").arg(path));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        // Qt decodes a file name that is not valid UTF-8 with replacement characters, and no
        // file answers to the decoded name: the file may well be there, under its own name.
        if (path.contains(QChar::ReplacementCharacter)) {
            throw Error(kErrUnableToOpen,
                        QStringLiteral("%1: the file name is not valid text (UTF-8); rename the "
                                       "file to open it")
                            .arg(path));
        }
        throw Error(kErrUnableToOpen, QStringLiteral("%1: %2").arg(path, file.errorString()));
    }
    // An empty file says so, rather than leave the XML reader to find that the document ends.
    if (file.size() == 0) {
        throw Error(kErrUnableToOpen, QStringLiteral("%1: the file is empty").arg(path));
    }
    const QByteArray head = file.peek(8);
    QByteArray design;
    if (isCompoundFile(head)) {
        file.close();
        auto stream = readCompoundStream(path, QString::fromLatin1(kReportDesignStream), notes);
        if (!stream) {
            throw Error(kErrUnableToOpen,
                        QStringLiteral("%1: the compound file holds no report design").arg(path));
        }
        design = std::move(*stream);
    } else {
        design = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            throw Error(kErrUnableToOpen, QStringLiteral("%1: %2").arg(path, file.errorString()));
        }
    }
    return DesignDocument::parse(design, path)->report();
}

}  // namespace rt
