#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

// Finds faults in levels, tilesets and levelsets, the way the game and the editor would meet
// them: each file on its own, and the files it names in the application folder.
class Checker
{
public:
    struct Finding
    {
        QString path;
        bool error; // else a warning
        QString code;
        QString message;
    };

    explicit Checker(QString appFolder) : appFolder(std::move(appFolder)) {}

    // A file by its extension (.vxl, .vxt, .vxs), or every such file under a folder; a path
    // that cannot be looked at is an error found. Returns why a path is not checked at all,
    // empty when it is.
    QString check(const QString &path);

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

    void checkFolder(const QString &folder);
    void checkFile(const QString &path);
    void checkLevel(const QString &path, qint64 size);
    void checkTileset(const QString &path);
    void checkLevelSet(const QString &path);
    const Named &named(const QString &kind, const char *folder, const QString &name);
    std::optional<Named> namedFile(const QString &kind, const char *folder, const QString &name);
    void add(const QString &path, bool error, const char *code, const QString &message);

    QString appFolder;
    int files = 0;
    std::vector<Finding> found;
    std::map<QString, Named> tilesets;
    std::map<QString, Named> backgrounds;
};
