#pragma once

#include <QByteArray>
#include <QLockFile>
#include <QString>
#include <memory>
#include <optional>

// The unsaved level kept on disk, so that a crash or a kill does not cost it: the level in its
// file's layout (ID.vxl) and the path of its file (ID.txt, empty for an untitled level), in a
// folder of the user's. Each editor locks its own copy (ID.lock), so two editors never take
// each other's; a copy whose editor is gone is an orphan that the next editor may take.
class RecoveryCopy
{
public:
    // An empty folder keeps nothing.
    explicit RecoveryCopy(QString folder);
    ~RecoveryCopy();

    // Replaces this editor's copy. A failure is silent: the next change tries again.
    void keep(const QByteArray &level, const QString &levelPath);
    // Removes this editor's copy.
    void discard();
    // Lets go of the copy, which stays on disk for the next editor to offer.
    void release();
    // Where this editor's copy of the level lies, once it has one.
    QString levelFile() const;

    struct Orphan
    {
        QString levelFile; // the copy of the level
        QString levelPath; // the level's own file, or empty
    };
    // The next copy that no running editor owns; it becomes this editor's copy.
    std::optional<Orphan> takeOrphan();

private:
    bool own(const QString &copyId);
    QString file(const char *suffix) const;

    QString folder;
    QString id;
    std::unique_ptr<QLockFile> lock;
};
