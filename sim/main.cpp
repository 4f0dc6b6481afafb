#include "sim/run.h"

int main(int argc, char **argv)
{
    return sim::run(argc, argv);
}
