// The program: make the application and its seven windows, show the main
// window and run until it closes; a list file given by name opens over it.
// It answers --version and --help on the terminal without opening a window.

#include "app/program/RunProgram.h"

int main(int argc, char** argv) {
    return notarion::RunProgram(argc, argv);
}
