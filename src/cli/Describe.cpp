#include "Describe.h"

#include "common/AppFolders.h"
#include "common/Text.h"
#include "common/VorpexError.h"
#include "model/FileIO.h"
#include "model/Geometry.h"
#include "model/LevelFile.h"
#include "model/LevelSetFile.h"
#include "model/TilesetFile.h"
#include "render/Picture.h"

#include <QFileInfo>
#include <QTextStream>
#include <map>

namespace {

QString actionName(std::int32_t action)
{
    static const char *const names[] = {"none", "Hittable", "Indestruct.", "Go-thru", "Dynamite"};
    if (action >= 0 && action <= 4)
        return QLatin1String(names[action]);
    // Shooter codes: single directions clockwise, neighbouring pairs, all but one, all four,
    // then the opposite pairs.
    static const char *const shooters[] = {
        "top",          "right",         "bottom",   "left",           "top+right",
        "right+bottom", "bottom+left",   "left+top", "all but bottom", "all but left",
        "all but top",  "all but right", "all four", "right+left",     "top+bottom"};
    if (action >= 5 && action <= 19)
        return QStringLiteral("Shooter ") + QLatin1String(shooters[action - 5]);
    return QStringLiteral("code %1").arg(action);
}

QString describeLevel(const QString &path, const QString &appFolder)
{
    const LevelFileData level = ReadLevelFile(path);
    QString text;
    QTextStream out(&text);
    const QString tileset = ShownName(level.tilesetName);
    out << "Level: " << path << '\n'
        << "Tileset: " << tileset << " ("
        << AppFolders::InFolder(appFolder, AppFolders::Tilesets, tileset) << ")\n"
        << "Background: " << ShownName(level.backgroundName) << '\n';
    static const char *const sides[] = {"bottom", "right", "top", "left"};
    QStringList paddles;
    for (int i = 0; i < 4; ++i) {
        if (level.paddles[static_cast<std::size_t>(i)] == VbTrue)
            paddles << QLatin1String(sides[i]);
    }
    out << "Paddles: " << (paddles.isEmpty() ? QStringLiteral("none") : paddles.join(", ")) << '\n';
    std::map<std::int32_t, int> uses;
    int cells = 0;
    for (int y = 1; y <= GridRows; ++y) {
        for (int x = 1; x <= GridColumns; ++x) {
            if (const std::int32_t brick = level.grid(x, y)) {
                ++uses[brick];
                ++cells;
            }
        }
    }
    out << "Cells with a brick: " << cells << " of " << GridColumns * GridRows << '\n';
    for (const auto &[brick, count] : uses)
        out << "  brick " << brick << ": " << count << (count == 1 ? " cell\n" : " cells\n");
    return text;
}

QString describeTileset(const QString &path)
{
    const TilesetFileData file = ReadTilesetFile(path);
    QString text;
    QTextStream out(&text);
    out << "Tileset: " << path << '\n' << "Bricks: " << file.count();
    try {
        const Picture bitmap = LoadPicture(FindIgnoringCase(CompanionBitmapPath(path)));
        out << " (bitmap " << bitmap.width() << " x " << bitmap.height() << ", "
            << TilesetCells(bitmap.width(), bitmap.height()) << " cells)\n";
    } catch (const VorpexError &) {
        out << " (bitmap " << CompanionBitmapPath(path) << " cannot be read)\n";
    }
    out << qSetFieldWidth(7) << Qt::left << "brick" << qSetFieldWidth(22) << "action"
        << qSetFieldWidth(8) << "frame"
        << "stage" << qSetFieldWidth(0) << "picture\n";
    for (int n = 1; n <= std::min<qsizetype>(file.count(), file.held()); ++n) {
        const BrickRecord b = file.record(n);
        out << qSetFieldWidth(7) << n << qSetFieldWidth(22) << actionName(b.Action)
            << qSetFieldWidth(8) << QStringLiteral("%1/%2").arg(b.AnimFrame).arg(b.Frames)
            << QStringLiteral("%1/%2").arg(b.HitStage).arg(b.Hits) << qSetFieldWidth(0) << b.PicX
            << ", " << b.PicY << '\n';
    }
    return text;
}

QString describeLevelSet(const QString &path)
{
    const LevelSetFile set = LevelSetFile::read(path);
    QString text;
    QTextStream out(&text);
    out << "Levelset: " << path << '\n'
        << "Name: " << ShownName(set.name) << '\n'
        << "Levels: " << set.levels.size() << '\n';
    for (qsizetype i = 0; i < set.levels.size(); ++i)
        out << "  " << i + 1 << ". " << ShownName(set.levels[i]) << '\n';
    return text;
}

} // namespace

QString Describe(const QString &path, const QString &appFolder)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "vxl")
        return describeLevel(path, appFolder);
    if (suffix == "vxt")
        return describeTileset(path);
    if (suffix == "vxs")
        return describeLevelSet(path);
    throw VorpexError(path + QStringLiteral(": not a .vxl, .vxt or .vxs file"));
}
