// What loading a design as a process is measured against: a program that reads a file and makes
// one plain pass of a stream reader over it, every attribute of every element read. With
// --values it also touches each attribute's name and value, what any loader must at least do.
#include <QFile>
#include <QXmlStreamReader>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const bool values = argc == 3 && std::strcmp(argv[1], "--values") == 0;
    if (argc != 2 && !values) return 2;
    QFile file(QFile::decodeName(argv[argc - 1]));
    if (!file.open(QIODevice::ReadOnly)) return 1;
    QXmlStreamReader reader(file.readAll());
    qint64 attributes = 0;
    qint64 characters = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement) continue;
        const QXmlStreamAttributes read = reader.attributes();
        attributes += read.size();
        if (values)
            for (const QXmlStreamAttribute& a : read)
                characters += a.name().size() + a.value().size();
    }
    // Printed, so that the pass is not optimised away.
    std::printf("%lld %lld\n", static_cast<long long>(attributes),
                static_cast<long long>(characters));
    return 0;
}
