#include "edit/run.h"

int main(int argc, char **argv)
{
    return edit::run(argc, argv);
}
