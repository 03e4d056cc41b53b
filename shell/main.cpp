// VorlanW: the windowed program.
#include "start_up.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return vorlan::RunShell(app);
}
