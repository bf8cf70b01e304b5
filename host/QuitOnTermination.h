#pragma once
// Termination signals (platform/TerminationSignals.h) for a program with windows: when one
// arrives, every event loop of the application ends, so each open dialog and the sheet end
// as if cancelled and the applet closes its session on its way out; windows and boxes that
// open after that return at once with their most cautious answer.

class QCoreApplication;

// Watches the termination descriptor from the application's event loops. The handlers must
// be installed first.
void QuitOnTermination(QCoreApplication& application);
