// Ends the program when the desktop session ends it: on SIGTERM, SIGINT and SIGHUP, and
// when the connection to the X display is lost, the settings are written as File > Close
// writes them, each verb list with unsaved changes in the editor is written to a file of
// its own beside it, and the process exits with status 0, whatever dialog is open.
#pragma once

class CMainFrame;

// From now until the frame is gone; the frame calls it with nullptr when destroyed.
void CloseFrameOnSessionEnd(CMainFrame* pFrame);
