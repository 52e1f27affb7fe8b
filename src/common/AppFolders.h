#pragma once

#include <QString>

// The data folders that lie beside the program.
namespace AppFolders {

inline constexpr const char *Tilesets = "Tls";
inline constexpr const char *Backgrounds = "Bgd";
inline constexpr const char *Levelsets = "Lvl";
inline constexpr const char *DefaultTileSet = "DefaultTileSet.vxt";
inline constexpr const char *DefaultBackground = "DefaultBackground.bmp";

// The caption of every message box that names none.
inline constexpr const char *AppTitle = "VorpexEditor";

// appFolder + separator + folder + separator + name (name may be empty for the folder itself).
QString InFolder(const QString &appFolder, const char *folder, const QString &name = QString());

// The folder that holds the running program, without a trailing separator (but the root's).
QString ApplicationFolder();

// The application folder to work in: the program's own where it may write there (the build
// folder, a portable copy); else, for an installed program, the user's data folder
// (~/.local/share/VorpexEditor), first given whatever it lacks of the installed Tls, Bgd and
// Lvl. Nothing there is ever overwritten. Where that folder cannot be made or given those
// files, the program's own (read-only) folder.
QString DataFolder(const QString &program = ApplicationFolder());

} // namespace AppFolders
