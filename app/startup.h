// What main() does before the connection window exists: one running copy
// only, and the interface language.
#pragma once

#include <QString>

class QApplication;
class QLocalServer;
class QLocalSocket;

// The application object, for the whole run.
extern QApplication *g_app;

// Name under which the running copy listens.
constexpr const char *kSingleInstanceName = "TaSuite";

// The local server name of the single-instance check, one per user: on
// Windows kSingleInstanceName itself (a pipe of the user's session); elsewhere
// a socket of that name in the user's runtime folder, not in the temporary
// folder that every user shares.
QString singleInstanceServerName();

// True when another copy already listens under singleInstanceServerName()
// (connect tried for at most 500 ms). Otherwise server listens under that
// name; a name left behind by a copy that ended abnormally is removed first.
bool anotherInstanceRunning(QLocalSocket &socket, QLocalServer &server);

// The modal "already running" warning without parent.
void showAlreadyRunning();

// Reads "Language" (default -1) and resolves it against the system locale.
int startupLanguage();
