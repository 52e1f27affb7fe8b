#include "SampleLevels.h"

#include "common/AppFolders.h"
#include "common/VorpexError.h"
#include "model/Geometry.h"
#include "model/LevelFile.h"
#include "model/LevelSetFile.h"

#include <QImage>
#include <QStringList>
#include <algorithm>
#include <bit>
#include <map>
#include <random>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// A letter of the maps stands for the brick of the tileset that does this, as the first
// picture of its animation: the nth such brick for the plain colours. Found by what it does, so
// the maps stay right when the tileset's bricks are drawn in another order.
struct Letter
{
    char letter;
    BrickRecord like; // Action, Frames, AnimFrame, Hits, HitStage
    int nth = 1;
};

const Letter Letters[] = {
    // Plain bricks: red, orange, yellow, green, cyan, blue, magenta, pink.
    {'r', {1, 1, 1, 1, 1}, 1},
    {'o', {1, 1, 1, 1, 1}, 2},
    {'y', {1, 1, 1, 1, 1}, 3},
    {'g', {1, 1, 1, 1, 1}, 4},
    {'c', {1, 1, 1, 1, 1}, 5},
    {'b', {1, 1, 1, 1, 1}, 6},
    {'m', {1, 1, 1, 1, 1}, 7},
    {'k', {1, 1, 1, 1, 1}, 8},
    // Two hits and three hits; lower case is a later stage, a brick already cracked.
    {'T', {1, 1, 1, 2, 1}},
    {'t', {1, 1, 1, 2, 2}},
    {'H', {1, 1, 1, 3, 1}},
    {'h', {1, 1, 1, 3, 2}},
    {'x', {1, 1, 1, 3, 3}},
    // Indestructible, go-through, dynamite.
    {'M', {2, 1, 1, 1, 1}},
    {'G', {3, 1, 1, 1, 1}},
    {'D', {4, 1, 1, 1, 1}},
    // Shooters, drawn as where they fire: up, right, down, left, all four, up and down, sideways.
    {'^', {5, 1, 1, 1, 1}},
    {'>', {6, 1, 1, 1, 1}},
    {'v', {7, 1, 1, 1, 1}},
    {'<', {8, 1, 1, 1, 1}},
    {'+', {17, 1, 1, 1, 1}},
    {'|', {19, 1, 1, 1, 1}},
    {'-', {18, 1, 1, 1, 1}},
    // Animated: a glowing brick; a pulsing one that takes two hits, and its cracked stage.
    {'A', {1, 4, 1, 1, 1}},
    {'P', {1, 2, 1, 2, 1}},
    {'p', {1, 2, 1, 2, 2}},
};

enum Paddle { Bottom = 1, Right = 2, Top = 4, Left = 8 };

constexpr const char *Starfield = "Starfield.bmp";

struct Sample
{
    const char *file;
    int paddles;
    const char *background;
    int firstRow;                      // of the map, 1..30
    std::vector<std::string_view> map; // rows of 20 letters, '.' for an empty cell
};

// In play order. Rows and columns next to a paddle are left open for the ball.
const std::vector<Sample> &samples()
{
    static const std::vector<Sample> list = {
        {"Sample1-Walls.vxl",
         Bottom,
         AppFolders::DefaultBackground,
         3,
         {
             "rrrrrrrrrrrrrrrrrrrr",
             "oooooooooooooooooooo",
             "yyyyyyyyyyyyyyyyyyyy",
             "gggggggggggggggggggg",
             "....................",
             "....................",
             "cccccccc....cccccccc",
             "bbbbbbbb....bbbbbbbb",
             "mmmmmmmm....mmmmmmmm",
             "kkkkkkkk....kkkkkkkk",
         }},
        {"Sample2-Diamond.vxl",
         Bottom | Top,
         AppFolders::DefaultBackground,
         8,
         {
             "........mbbm........",
             ".......mbccbm.......",
             "......mbcggcbm......",
             ".....mbcgyygcbm.....",
             "....mbcgyooygcbm....",
             "...mbcgyorroygcbm...",
             "..mbcgyorTTroygcbm..",
             ".mbcgyorTHHTroygcbm.",
             ".mbcgyorTHHTroygcbm.",
             "..mbcgyorTTroygcbm..",
             "...mbcgyorroygcbm...",
             "....mbcgyooygcbm....",
             ".....mbcgyygcbm.....",
             "......mbcggcbm......",
             ".......mbccbm.......",
             "........mbbm........",
         }},
        {"Sample3-Stairs.vxl",
         Bottom | Right,
         AppFolders::DefaultBackground,
         3,
         {
             "TTT.................",
             "rrr.................",
             "rrrTTT..............",
             "rrrooo..............",
             "rrroooTTT...........",
             "rrroooyyy...........",
             "rrroooyyyTTT........",
             "rrroooyyyggg........",
             "rrroooyyygggTTT.....",
             "rrroooyyygggccc.....",
             "rrroooyyygggcccTTT..",
             "rrroooyyygggcccbbb..",
             "rrroooyyygggcccbbb..",
         }},
        {"Sample4-Comet.vxl",
         Bottom,
         Starfield,
         3,
         {
             "m...................",
             "mmb.................",
             ".mbbc...............",
             "..mbbcc.............",
             "...mbccpp...........",
             "....bbccppP.........",
             "......ccppPPP.......",
             "........ppPPPPAA....",
             "..........pPPAAAA...",
             "............PAAAAA..",
             "..............AAAA..",
             "...............AA...",
         }},
        {"Sample5-Fortress.vxl",
         Bottom | Right | Left,
         AppFolders::DefaultBackground,
         4,
         {
             "..MrMrM......MrMrM..",
             "..MMMMMMMGGMMMMMMM..",
             "..M..............M..",
             "..M..HHHHHHHHHH..M..",
             "..G..HHHHHHHHHH..G..",
             "..G..hhhhhhhhhh..G..",
             "..M..xxxxxxxxxx..M..",
             "..M..............M..",
             "..M..............M..",
             "..MMMMMGGGGGGMMMMM..",
             "....................",
             "...TT..tt..tt..TT...",
         }},
        {"Sample6-Crossfire.vxl",
         Bottom | Right | Top | Left,
         AppFolders::DefaultBackground,
         6,
         {
             ".........^^.........", ".........bb.........", "..yyyy...--...yyyy..",
             "..yDDy...bb...yDDy..", "..yyyy...bb...yyyy..", ".........--.........",
             ".........bb.........", ".........bb.........", ".........cc.........",
             "..<b|bb|c++c|bb|b>..", "..<b|bb|c++c|bb|b>..", ".........cc.........",
             ".........bb.........", ".........bb.........", ".........--.........",
             "..yyyy...bb...yyyy..", "..yDDy...bb...yDDy..", "..yyyy...--...yyyy..",
             ".........bb.........", ".........vv.........",
         }},
    };
    return list;
}

int brickLike(const Letter &letter, const BrickTable &bricks, int count)
{
    int seen = 0;
    for (int n = 1; n <= count; ++n) {
        BrickRecord r = bricks[n];
        r.PicX = r.PicY = 0;
        if (r == letter.like && ++seen == letter.nth)
            return n;
    }
    throw VorpexError(
        QStringLiteral("the tileset has no brick for the letter '%1'").arg(QChar(letter.letter)));
}

// A dark sky with stars of several brightnesses; the same pictures on every build.
QImage starfield()
{
    QImage sky(160, 120, QImage::Format_RGB32);
    sky.fill(QColor(10, 6, 26));
    std::minstd_rand random(1979);
    for (int i = 0; i < 70; ++i) {
        const int x = int(random() % 160), y = int(random() % 120);
        const int light = 70 + int(random() % 186);
        const QColor star(light, light, std::min(255, light + 30));
        sky.setPixelColor(x, y, star);
        if (i % 10 == 0) { // a bright one, with rays
            for (auto [dx, dy] : {std::pair(1, 0), {-1, 0}, {0, 1}, {0, -1}})
                sky.setPixelColor((x + dx + 160) % 160, (y + dy + 120) % 120, star.darker(160));
        }
    }
    return sky;
}

} // namespace

void WriteSampleLevels(const QString &appFolder, const BrickTable &bricks, int count)
{
    std::map<char, int> brickOf;
    for (const Letter &letter : Letters)
        brickOf[letter.letter] = brickLike(letter, bricks, count);

    std::set<int> used, paddleCounts;
    QStringList names;
    for (const Sample &sample : samples()) {
        const QString file = QString::fromLatin1(sample.file);
        LevelFileData level;
        for (int i = 0; i < 4; ++i)
            level.paddles[std::size_t(i)] = sample.paddles & (1 << i) ? VbTrue : VbFalse;
        level.tilesetName = QString::fromLatin1(AppFolders::DefaultTileSet);
        level.backgroundName = QString::fromLatin1(sample.background);
        int y = sample.firstRow;
        for (std::string_view row : sample.map) {
            if (row.size() != GridColumns || y > GridRows)
                throw VorpexError(file + QStringLiteral(": the map does not fit the playfield"));
            for (int x = 1; x <= GridColumns; ++x) {
                const char letter = row[std::size_t(x - 1)];
                if (letter == '.')
                    continue;
                const auto brick = brickOf.find(letter);
                if (brick == brickOf.end())
                    throw VorpexError(file +
                                      QStringLiteral(": no brick is '%1'").arg(QChar(letter)));
                level.grid(x, y) = brick->second;
                used.insert(brick->second);
            }
            ++y;
        }
        WriteLevelFile(AppFolders::InFolder(appFolder, AppFolders::Levelsets, file), level);
        names << file;
        paddleCounts.insert(std::popcount(unsigned(sample.paddles)));
    }
    // Together the samples show every brick a designer places, and one to four paddles.
    for (int n = 1; n <= count; ++n) {
        if (bricks[n].AnimFrame == 1 && !used.contains(n))
            throw VorpexError(QStringLiteral("no sample level uses brick %1").arg(n));
    }
    if (paddleCounts != std::set<int>{1, 2, 3, 4})
        throw VorpexError(QStringLiteral("the sample levels lack a number of paddles"));

    LevelSetFile::write(AppFolders::InFolder(appFolder, AppFolders::Levelsets, "Samples.vxs"),
                        QStringLiteral("Vorpex Samples"), names);
    if (!starfield().save(
            AppFolders::InFolder(appFolder, AppFolders::Backgrounds, QLatin1String(Starfield)),
            "BMP"))
        throw VorpexError(QStringLiteral("cannot write the background ") + Starfield);
}
