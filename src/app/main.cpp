// Program entry.
#include "morvexprogram.h"

int main(int argc, char *argv[])
{
    return runMorvex(argc, argv);
}
