#include "ThumbnailLoader.h"

#include "imageio/QtImages.h"
#include "model/LevelSetFile.h"
#include "render/LevelPictures.h"
#include "render/Scaling.h"

#include <exception>
#include <optional>

namespace {

LevelThumbnail Draw(LevelPictures &pictures,
                    const QString &levelSetPath,
                    const QString &level,
                    const QString &appFolder)
{
    LevelThumbnail thumbnail;
    thumbnail.path = LevelSetFile::findLevel(levelSetPath, level, appFolder);
    if (thumbnail.path.isEmpty())
        return thumbnail;
    try {
        thumbnail.image =
            ToQImage(FittedInto(pictures.image(thumbnail.path), LevelThumbnail::Size));
        thumbnail.state = LevelThumbnail::State::Drawn;
    } catch (const std::exception &) {
        thumbnail.state = LevelThumbnail::State::Unreadable;
    }
    return thumbnail;
}

} // namespace

ThumbnailLoader::ThumbnailLoader(const QString &appFolder, QObject *parent)
    : QObject(parent), appFolder(appFolder), worker([this] { run(); })
{}

ThumbnailLoader::~ThumbnailLoader()
{
    {
        const std::lock_guard lock(mutex);
        stopping = true;
    }
    wake.notify_one();
    worker.join();
}

void ThumbnailLoader::restart(const QString &path)
{
    const std::lock_guard lock(mutex);
    levelSetPath = path;
    ++current;
    queue.clear();
}

void ThumbnailLoader::request(const QString &level)
{
    {
        const std::lock_guard lock(mutex);
        queue.push_back(level);
    }
    wake.notify_one();
}

int ThumbnailLoader::generation() const
{
    const std::lock_guard lock(mutex);
    return current;
}

void ThumbnailLoader::run()
{
    std::optional<LevelPictures> pictures;
    int drawing = -1;
    std::unique_lock lock(mutex);
    for (;;) {
        wake.wait(lock, [this] { return stopping || !queue.empty(); });
        if (stopping)
            return;
        const QString level = std::move(queue.back());
        queue.pop_back();
        const int generation = current;
        const QString setPath = levelSetPath;
        lock.unlock();
        if (generation != drawing) {
            pictures.emplace(appFolder);
            drawing = generation;
        }
        const LevelThumbnail thumbnail = Draw(*pictures, setPath, level, appFolder);
        // Queued to this object: dropped unseen if it is gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, level, generation, thumbnail] { emit ready(level, generation, thumbnail); },
            Qt::QueuedConnection);
        lock.lock();
    }
}
