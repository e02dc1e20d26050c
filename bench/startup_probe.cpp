// The program's own start, ended once its main window is on screen: the
// other half of the side-by-side start-up benchmark.

#include "ExitWhenShown.h"
#include "app/program/RunProgram.h"

int main(int argc, char** argv) {
    return notarion::RunProgram(argc, argv, notarion::bench::ExitOnceShown);
}
