// The floor of any start of the program: an offscreen Qt application that starts and ends.
#include <QGuiApplication>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    return 0;
}
