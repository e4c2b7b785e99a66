// Ends the program as File > Close does when the desktop session ends it: on SIGTERM,
// SIGINT and SIGHUP, and when the connection to the X display is lost.
#pragma once

class CMainFrame;

// From now until the frame is gone; the frame calls it with nullptr when destroyed.
void CloseFrameOnSessionEnd(CMainFrame* pFrame);
