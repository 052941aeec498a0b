// Saves a text file and a run log in a folder over and over, as runs of the program that share
// an output folder do. Usage: save_loop FOLDER COUNT. Status 1, with the cause, at the first
// save that fails.
#include <QDir>
#include <QTextStream>
#include <cstdio>

#include "SaveFile.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: save_loop FOLDER COUNT\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const int count = QByteArray(argv[2]).toInt();
    const QByteArray text(3000, 't');
    for (int i = 0; i < count; ++i) {
        for (const char* name : {"list.tvd", "tvLog.txt"}) {
            QString error;
            if (!rt::saveWhole(folder.filePath(QString::fromLatin1(name)), text, &error)) {
                std::fprintf(stderr, "save %d of %s failed: %s\n", i, name,
                             error.toLocal8Bit().constData());
                return 1;
            }
        }
    }
    return 0;
}
