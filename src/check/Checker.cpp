#include "Checker.h"

#include "common/AppFolders.h"
#include "common/Text.h"
#include "common/VorpexError.h"
#include "model/FileIO.h"
#include "model/Geometry.h"
#include "model/LevelFile.h"
#include "model/LevelSetFile.h"
#include "model/TilesetFile.h"
#include "render/LoadedTileset.h"
#include "render/Picture.h"

#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>

namespace {

constexpr int PaletteBricks = 119;
constexpr int Examples = 5;

// "a, b, c and 4 more"
QString examples(const QStringList &items)
{
    QString text = items.mid(0, Examples).join(QStringLiteral(", "));
    if (items.size() > Examples)
        text += QStringLiteral(" and %1 more").arg(items.size() - Examples);
    return text;
}

Checker::Kind kindOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == "vxl"   ? Checker::Kind::Level
           : suffix == "vxt" ? Checker::Kind::Tileset
           : suffix == "vxs" ? Checker::Kind::LevelSet
                             : Checker::Kind::Other;
}

bool isChecked(const QString &path)
{
    return kindOf(path) != Checker::Kind::Other;
}

// The file itself however a path spells it, links followed.
QString identityOf(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

void Checker::add(
    const QString &path, bool error, const char *code, const QString &message, int brick)
{
    found.push_back({path, error, QLatin1String(code), message, checking, brick});
}

QString Checker::gather(const QString &path)
{
    const PathStatus status = StatusOf(path);
    if (status.error == ENOENT || status.error == ENOTDIR)
        return QStringLiteral("does not exist");
    if (status.folder)
        gatherFolder(path);
    else if (status.error || isChecked(path))
        queue.push_back({path, kindOf(path)});
    else
        return QStringLiteral("is neither a folder nor a .vxl, .vxt or .vxs file");
    return QString();
}

void Checker::gatherFolder(const QString &folder)
{
    checking = Kind::Other;
    QStringList names;
    try {
        names = ListFolder(folder);
    } catch (const VorpexError &error) {
        add(folder, true, "unreadable", error.message());
        return;
    }
    for (const QString &name : names) {
        if (stop.stop_requested())
            return;
        const QString path = folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
        const PathStatus status = StatusOf(path);
        if (status.error && status.error != ENOENT) // what it is cannot be known: levels, maybe
            add(path, true, "unreadable", path + QStringLiteral(": ") + systemError(status.error));
        else if (status.folder && !status.link) // links to folders are not followed: no loops
            gatherFolder(path);
        else if (!status.folder && isChecked(name))
            queue.push_back({path, kindOf(name)});
    }
}

void Checker::finishGathering()
{
    std::set<QString> known;
    std::vector<Queued> once;
    for (Queued &file : queue) {
        if (known.insert(identityOf(file.path)).second)
            once.push_back(std::move(file));
    }
    queue = std::move(once);
    const std::size_t gathered = queue.size();
    for (std::size_t i = 0; i < gathered && !stop.stop_requested(); ++i) {
        if (queue[i].kind != Kind::LevelSet)
            continue;
        const QString set = queue[i].path;
        QStringList levels;
        try {
            levels = LevelSetFile::read(set).levels;
        } catch (const VorpexError &) {
            continue; // the set's own check says why
        }
        for (const QString &level : levels) {
            const QString path = LevelSetFile::findLevel(set, level, appFolder);
            if (!path.isEmpty() && known.insert(identityOf(path)).second)
                queue.push_back({path, Kind::Level});
        }
    }
}

bool Checker::run(const std::function<void(int, int)> &progress)
{
    for (std::size_t i = std::size_t(files); i < queue.size(); ++i) {
        if (stop.stop_requested())
            return false;
        checkFile(queue[i]);
        if (progress)
            progress(files, filesToCheck());
    }
    return true;
}

std::vector<Checker::Finding> Checker::findings() const
{
    std::vector<Finding> sorted = found;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Finding &a, const Finding &b) { return a.path < b.path; });
    return sorted;
}

void Checker::checkFile(const Queued &file)
{
    ++files;
    checking = file.kind;
    const QString &path = file.path;
    const PathStatus status = StatusOf(path);
    if (status.error) {
        add(path, true, "unreadable", path + QStringLiteral(": ") + systemError(status.error));
        return;
    }
    if (!status.regular) {
        add(path, true, "not-a-file", QStringLiteral("not a regular file"));
        return;
    }
    if (file.kind == Kind::Level)
        checkLevel(path, status.size);
    else if (file.kind == Kind::Tileset)
        checkTileset(path);
    else if (file.kind == Kind::LevelSet)
        checkLevelSet(path);
}

std::optional<Checker::Named>
Checker::namedFile(const QString &kind, const char *folder, const QString &name)
{
    if (!IsBareFileName(name))
        return Named{kind + "-name",
                     kind + QStringLiteral(" name '%1' is not a file name").arg(ShownName(name))};
    const QString path = FindIgnoringCase(AppFolders::InFolder(appFolder, folder, name));
    const PathStatus status = StatusOf(path);
    if (status.error == ENOENT || status.error == ENOTDIR)
        return Named{kind + "-missing",
                     kind + QStringLiteral(" '%1' not found in %2")
                                .arg(ShownName(name), AppFolders::InFolder(appFolder, folder))};
    if (!status.error && !status.regular)
        return Named{kind + "-not-a-file",
                     kind + QStringLiteral(" '%1' is not a regular file").arg(path)};
    return std::nullopt; // else reading it says what is wrong
}

// A tileset or a background a level names, looked at once whatever the number of levels.
const Checker::Named &Checker::named(const QString &kind, const char *folder, const QString &name)
{
    std::map<QString, Named> &cache = folder == AppFolders::Tilesets ? tilesets : backgrounds;
    if (const auto it = cache.find(name); it != cache.end())
        return it->second;
    Named named;
    if (std::optional<Named> problem = namedFile(kind, folder, name)) {
        named = *problem;
    } else {
        const QString path = FindIgnoringCase(AppFolders::InFolder(appFolder, folder, name));
        try {
            if (folder == AppFolders::Tilesets)
                named.bricks = LoadedTileset::load(path).recordCount();
            else
                LoadPicture(path);
        } catch (const VorpexError &error) {
            named = {kind + "-bad",
                     QStringLiteral("%1 '%2' cannot be read: %3").arg(kind, path, error.message())};
        }
    }
    return cache[name] = named;
}

void Checker::checkLevel(const QString &path, qint64 size)
{
    LevelFileData level;
    try {
        level = DecodeLevelFile(ReadFileBytes(path, LevelFileSize + 1));
    } catch (const VorpexError &error) {
        add(path, true, "unreadable", QStringLiteral("not a level: ") + error.message());
        return;
    }
    if (size > LevelFileSize)
        add(path, false, "trailing-bytes",
            QStringLiteral("%1 bytes after the level's %2")
                .arg(size - LevelFileSize)
                .arg(LevelFileSize));
    if (std::none_of(level.paddles.begin(), level.paddles.end(),
                     [](std::int16_t p) { return p == VbTrue; }))
        add(path, true, "no-paddle", QStringLiteral("no paddle (the editor adds the bottom one)"));
    if (std::any_of(level.paddles.begin(), level.paddles.end(),
                    [](std::int16_t p) { return p != VbTrue && p != VbFalse; }))
        add(path, false, "paddle-value", QStringLiteral("a paddle word other than -1 or 0"));
    const Named &back = named("background", AppFolders::Backgrounds, level.backgroundName);
    if (!back.problemCode.isEmpty())
        add(path, true, back.problemCode.toLatin1().constData(), back.problem);
    const Named &bricks = named("tileset", AppFolders::Tilesets, level.tilesetName);
    if (!bricks.problemCode.isEmpty()) {
        add(path, true, bricks.problemCode.toLatin1().constData(), bricks.problem);
        return;
    }
    QStringList unknown, unplaceable, outside;
    for (int y = 0; y <= GridRows; ++y) {
        for (int x = 0; x <= GridColumns; ++x) {
            const std::int32_t brick = level.grid(x, y);
            const QString cell = QStringLiteral("(%1, %2) = %3").arg(x).arg(y).arg(brick);
            if (x == 0 || y == 0) {
                if (brick != 0)
                    outside << cell;
            } else if (brick < 0 || brick > bricks.bricks) {
                unknown << cell;
            } else if (brick > PaletteBricks) {
                unplaceable << cell;
            }
        }
    }
    if (!unknown.isEmpty())
        add(path, true, "unknown-brick",
            QStringLiteral("cells name bricks that tileset '%1' (%2 bricks) does not have: %3")
                .arg(level.tilesetName)
                .arg(bricks.bricks)
                .arg(examples(unknown)));
    if (!unplaceable.isEmpty())
        add(path, false, "beyond-palette",
            QStringLiteral("cells name bricks above 119, which the editor cannot show: ") +
                examples(unplaceable));
    if (!outside.isEmpty())
        add(path, false, "outside-playfield",
            QStringLiteral("cells of row 0 or column 0, outside the playfield, are set: ") +
                examples(outside));
}

void Checker::checkTileset(const QString &path)
{
    QByteArray bytes;
    try {
        bytes = ReadFileBytes(path, 4 + qint64(BrickRecordSize) * (MaxTilesetCells + 1));
    } catch (const VorpexError &error) {
        add(path, true, "unreadable", error.message());
        return;
    }
    std::optional<TilesetFileData> file;
    try {
        file.emplace(bytes);
    } catch (const VorpexError &error) {
        add(path, true, "count", error.message());
        return;
    }
    const qint64 count = file->count();
    if (count > MaxTilesetCells) {
        add(path, true, "count",
            QStringLiteral("%1 bricks; brick numbers reach %2").arg(count).arg(MaxTilesetCells));
        return;
    }
    const qint64 held = file->held();
    if (held < count)
        add(path, true, "short",
            QStringLiteral("counts %1 bricks but holds %2 records").arg(count).arg(held));
    else if (bytes.size() > 4 + count * BrickRecordSize)
        add(path, false, "trailing-bytes",
            QStringLiteral("%1 bytes after the last record")
                .arg(bytes.size() - 4 - count * BrickRecordSize));

    const QString bitmapPath = FindIgnoringCase(CompanionBitmapPath(path));
    Picture bitmap;
    if (!StatusOf(bitmapPath).regular) {
        add(path, true, "bitmap-missing",
            QStringLiteral("its bitmap %1 is missing or not a regular file").arg(bitmapPath));
    } else {
        try {
            bitmap = LoadPicture(bitmapPath);
        } catch (const VorpexError &error) {
            add(path, true, "bitmap-bad",
                QStringLiteral("its bitmap cannot be read: ") + error.message());
        }
    }
    if (!bitmap.isNull()) {
        if (bitmap.width() % CellWidth || bitmap.height() % CellHeight)
            add(path, false, "bitmap-size",
                QStringLiteral("its bitmap of %1 x %2 is not cut into whole 32 x 16 cells")
                    .arg(bitmap.width())
                    .arg(bitmap.height()));
        const int cells = TilesetCells(bitmap.width(), bitmap.height());
        if (count > cells)
            add(path, true, "beyond-bitmap",
                QStringLiteral("counts %1 bricks but its bitmap has %2 cells")
                    .arg(count)
                    .arg(cells));
    }

    // Each rule with the bricks that break it.
    struct Rule
    {
        bool error;
        const char *code;
        QString text;
        QStringList bricks;
    };
    Rule rules[] = {
        {true, "action", QStringLiteral("action codes outside 0..19"), {}},
        {false, "unassigned", QStringLiteral("no action assigned (code 0)"), {}},
        {true, "frames", QStringLiteral("frames below 1, or a picture number outside them"), {}},
        {true,
         "animation-past-end",
         QStringLiteral("an animation running past the last brick"),
         {}},
        {true, "hits", QStringLiteral("hits below 1, or a stage number outside them"), {}},
        {true, "stage-past-end", QStringLiteral("a next hit stage past the last brick"), {}},
        {true, "picture-outside", QStringLiteral("pictures lying outside the bitmap"), {}},
    };
    const QRect inside = bitmap.isNull() ? QRect() : bitmap.rect();
    for (int n = 1; n <= std::min<qint64>(count, held); ++n) {
        const BrickRecord b = file->record(n);
        const QString number = QString::number(n);
        auto mark = [&](int rule, bool broken) {
            if (broken)
                rules[rule].bricks << number;
        };
        mark(0, b.Action < 0 || b.Action > 19);
        mark(1, b.Action == 0);
        const bool framesOk = b.Frames >= 1 && b.AnimFrame >= 1 && b.AnimFrame <= b.Frames;
        mark(2, !framesOk);
        mark(3, framesOk && qint64(n) + b.Frames - b.AnimFrame > count);
        const bool hitsOk = b.Hits >= 1 && b.HitStage >= 1 && b.HitStage <= b.Hits;
        mark(4, !hitsOk);
        // The next stage starts after this stage's last picture.
        mark(5, framesOk && hitsOk && b.HitStage < b.Hits &&
                    qint64(n) + b.Frames - b.AnimFrame + 1 > count);
        mark(6, !inside.isNull() && !inside.contains(QRect(b.PicX, b.PicY, CellWidth, CellHeight)));
    }
    for (const Rule &rule : rules) {
        if (!rule.bricks.isEmpty())
            add(path, rule.error, rule.code,
                rule.text + QStringLiteral(": brick ") + examples(rule.bricks),
                rule.bricks.constFirst().toInt());
    }
}

void Checker::checkLevelSet(const QString &path)
{
    QByteArray bytes;
    try {
        bytes = ReadFileBytes(path, LevelSetFile::MaxBytes);
    } catch (const VorpexError &error) {
        add(path, true, "unreadable", error.message());
        return;
    }
    LevelSetFile set;
    try {
        set = LevelSetFile::decode(bytes);
    } catch (const VorpexError &error) {
        add(path, true, "format", error.message());
        return;
    }
    const QStringList folders = LevelSetFile::levelFolders(path, appFolder);
    for (const QString &level : set.levels) {
        if (LevelSetFile::findLevel(path, level, appFolder).isEmpty())
            add(path, true, "level-missing",
                QStringLiteral("level '%1' is in none of: %2").arg(level, folders.join(", ")));
    }
}

QString Counted(qsizetype count, const char *one)
{
    return QStringLiteral("%1 %2%3").arg(count).arg(QLatin1String(one), count == 1 ? "" : "s");
}

QString CheckSummary(qsizetype files, qsizetype errors, qsizetype warnings)
{
    return QStringLiteral("%1 checked: %2, %3")
        .arg(Counted(files, "file"), Counted(errors, "error"), Counted(warnings, "warning"));
}
