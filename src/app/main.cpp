#include "app/quillhourprogram.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    InstallProgramServices();
    TQuillhourProgram program;
    return program.Run();
}
