#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>
#include <stop_token>
#include <vector>

// Finds faults in levels, tilesets and levelsets, the way the game and the editor would meet
// them: each file on its own, and the files it names in the application folder. The paths are
// first gathered into a list of files, then checked one file at a time, so that a window can
// show how far a check has come and stop it.
class Checker
{
public:
    // What a file is checked as; Other for a folder, or a path that cannot be looked at.
    enum class Kind { Other, Level, Tileset, LevelSet };

    struct Finding
    {
        QString path;
        bool error; // else a warning
        QString code;
        QString message;
        Kind kind = Kind::Other;
        int brick = 0; // for a tileset, the first brick the message names; 0 when none
    };

    explicit Checker(QString appFolder) : appFolder(std::move(appFolder)) {}

    // Gathering and checking end early once a stop is requested; what was found stays.
    void stopWhen(std::stop_token token) { stop = std::move(token); }

    // A file to check by its extension (.vxl, .vxt, .vxs), or every such file under a folder; a
    // folder that cannot be listed is an error found at once. Returns why a path is not checked
    // at all, empty when it is.
    QString gather(const QString &path);
    // For a check of whole folders that may overlap: drops files gathered twice (however
    // spelt), then adds the levels that the levelsets gathered name, wherever the sets find them
    // and whatever their extension. `vorpex check` does neither: it checks what it is given.
    void finishGathering();
    int filesToCheck() const { return int(queue.size()); }

    // Checks the files gathered, calling progress(files checked, files to check) after each one.
    // False when stopped before the last.
    bool run(const std::function<void(int, int)> &progress = {});

    // Sorted by path, then in the order found.
    std::vector<Finding> findings() const;
    int filesChecked() const { return files; }

private:
    // What a level needs to know of a tileset or a background it names, found once per file.
    struct Named
    {
        QString problemCode; // empty when usable
        QString problem;
        int bricks = 0; // a tileset's bricks that can be shown
    };
    struct Queued
    {
        QString path;
        Kind kind;
    };

    void gatherFolder(const QString &folder);
    void checkFile(const Queued &file);
    void checkLevel(const QString &path, qint64 size);
    void checkTileset(const QString &path);
    void checkLevelSet(const QString &path);
    const Named &named(const QString &kind, const char *folder, const QString &name);
    std::optional<Named> namedFile(const QString &kind, const char *folder, const QString &name);
    void
    add(const QString &path, bool error, const char *code, const QString &message, int brick = 0);

    QString appFolder;
    std::stop_token stop;
    std::vector<Queued> queue;
    Kind checking = Kind::Other; // of the file being checked
    int files = 0;
    std::vector<Finding> found;
    std::map<QString, Named> tilesets;
    std::map<QString, Named> backgrounds;
};

// "1 file", "2 files"; "1 error", "0 errors"...
QString Counted(qsizetype count, const char *one);
// What a check found, as its summary line says it: "2 files checked: 1 error, 0 warnings".
QString CheckSummary(qsizetype files, qsizetype errors, qsizetype warnings);
