#include "tvReportFileReader.h"

#include <QFile>

#include "RtError.h"

QByteArray ReadReportFileHead(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw rt::Error(rt::kErrUnableToOpen,
                        QStringLiteral("%1: %2").arg(path, file.errorString()));
    }
    QByteArray head = file.read(kReportFileHeadSize);
    if (file.error() != QFileDevice::NoError) {
        throw rt::Error(rt::kErrUnableToOpen,
                        QStringLiteral("%1: %2").arg(path, file.errorString()));
    }
    return head;
}
