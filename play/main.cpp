#include "play/run.h"

int main(int argc, char **argv)
{
    return play::run(argc, argv);
}
