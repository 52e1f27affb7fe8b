#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

// A level's thumbnail: its picture fitted into Size x Size as `vorpex render --size` fits it,
// or why there is none.
struct LevelThumbnail
{
    static constexpr int Size = 160;
    enum class State { Drawn, Missing, Unreadable };

    State state = State::Missing;
    QImage image; // Drawn only
    QString path; // where the level was found; empty when missing
};

// Draws the thumbnails of a levelset's levels on a thread of its own, so that a window shows at
// once however many levels it lists: the latest request first (the tiles just scrolled to), each
// tileset and background read once, every result handed back on the loader's own thread.
class ThumbnailLoader : public QObject
{
    Q_OBJECT
public:
    explicit ThumbnailLoader(const QString &appFolder, QObject *parent = nullptr);
    ~ThumbnailLoader() override;

    // Levels are looked for beside this levelset, then in Lvl. Each call starts afresh (files
    // may have changed): requests not yet drawn are dropped and tilesets are read again.
    void restart(const QString &levelSetPath);
    void request(const QString &level);
    // Counts restarts; every result carries the one it was drawn in.
    int generation() const;

signals:
    void ready(const QString &level, int generation, const LevelThumbnail &thumbnail);

private:
    void run();

    const QString appFolder;
    mutable std::mutex mutex;
    std::condition_variable wake;
    QString levelSetPath;
    int current = 0;
    std::vector<QString> queue; // the back is drawn first
    bool stopping = false;
    std::thread worker;
};
