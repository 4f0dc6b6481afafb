// The arm's working values, and HOME. The walk itself is the sequencer's.

#include "windows/robot/robot.h"

void robot::initrobot()
{
    // The defaults (every home 127, speed 5, port 1), then what the file says.
    m_config = readConfiguration();
}

void robot::Command2_Click()
{
    homeservos();
}

void robot::homeservos()
{
    m_sequencer.home();
}
