#include "CompoundFile.h"

#include "RtError.h"

namespace rt {

bool isCompoundFile(const QByteArray& head) {
    static const char kSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    return head.startsWith(QByteArray::fromRawData(kSignature, 8));
}

std::optional<QByteArray> readCompoundStream(const QString&, const QString&) {
    return std::nullopt;  // replaced by the libgsf reader
}

void writeReportFile(const QString&, const QByteArray&, const SummaryInformation&) {
    throw Error(kErrRuntimeFailure, QStringLiteral("not built yet"));
}

}  // namespace rt
