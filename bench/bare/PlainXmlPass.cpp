// What loading a design as a process is measured against: a program that reads a file and makes
// one plain pass of a stream reader over it, every attribute of every element read.
#include <QFile>
#include <QXmlStreamReader>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    QFile file(QFile::decodeName(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) return 1;
    QXmlStreamReader reader(file.readAll());
    qint64 attributes = 0;
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement)
            attributes += reader.attributes().size();
    // Printed, so that the pass is not optimised away.
    std::printf("%lld\n", static_cast<long long>(attributes));
    return 0;
}
