// What main() does before the connection window exists: one running copy
// only, and the interface language.
#pragma once

class QApplication;
class QLocalServer;
class QLocalSocket;

// The application object, for the whole run.
extern QApplication *g_app;

// Name under which the running copy listens.
constexpr const char *kSingleInstanceName = "TaSuite";

// True when another copy already listens under kSingleInstanceName (connect
// tried for at most 500 ms). Otherwise server listens under that name; a name
// left behind by a copy that ended abnormally is removed first.
bool anotherInstanceRunning(QLocalSocket &socket, QLocalServer &server);

// The modal "already running" warning without parent.
void showAlreadyRunning();

// Reads "Language" (default -1) and resolves it against the system locale.
int startupLanguage();
