// bench_startup's floor linked to Qt Widgets alone (BareWindow.h).
#include "BareWindow.h"

int main(int argc, char** argv)
{
    return showBareWindow(argc, argv);
}
