#pragma once

#include <QString>
#include <QStringList>

class Dialogs;

// The editor as a program: the command line (a level to open, or nothing), Qt's reader for the
// bitmaps ours leaves to it, the window over the application folder, shown and first activated,
// offering what an editor that did not end normally left, then the level opened; until the
// window closes. Returns the exit status: 2,
// with a usage line, for a command line it does not take.
int RunEditor(const QStringList &arguments,
              Dialogs &dialogs,
              const QString &appFolder,
              const QString &recoveryFolder);
