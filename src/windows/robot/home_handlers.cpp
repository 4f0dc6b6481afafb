// The arm's working values, and HOME. The walk itself is the sequencer's.

#include "windows/robot/robot.h"

void robot::initrobot()
{
    home_position.fill(axes::centre);
    home_speed = 5;
    port_number = 1;
    readConfiguration();
}

void robot::Command2_Click()
{
    homeservos();
}

void robot::homeservos()
{
    m_sequencer.home();
}
