// The arm's working values, and HOME. The walk itself is the session's.

#include "windows/robot/robot.h"
#include "windows/robot/views.h"

void robot::initrobot()
{
    // The defaults (every home 127, speed 5, port 1), then what the file says.
    m_session.files().setConfiguration(
        readConfiguration(this, m_services.folders, *m_services.dialogs));
}

void robot::Command2_Click()
{
    homeservos();
}

void robot::homeservos()
{
    m_session.home();
}
