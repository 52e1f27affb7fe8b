#include "CellBlockText.h"

#include "Geometry.h"

#include <QList>
#include <QStringList>

namespace {

// 30 rows of 20 five-digit numbers with their blanks, and room to spare.
constexpr qsizetype MostText = 8 * 1024;

QString rows(const CellBlock &block)
{
    QString text;
    for (int y = 0; y < block.height; ++y) {
        for (int x = 0; x < block.width; ++x)
            text += QString::number(block.at(x, y)) + (x + 1 < block.width ? u' ' : u'\n');
    }
    return text;
}

std::optional<int> number(QStringView word, int most)
{
    if (word.isEmpty() || word.size() > 5)
        return std::nullopt;
    int value = 0;
    for (QChar c : word) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value <= most ? std::optional(value) : std::nullopt;
}

} // namespace

QString CellBlockAsText(const CellBlock &block)
{
    return rows(block);
}

QByteArray EncodeCellBlock(const CellBlock &block, const QString &tilesetName)
{
    return QStringLiteral("%1 %2\n%3\n%4")
        .arg(block.width)
        .arg(block.height)
        .arg(tilesetName, rows(block))
        .toUtf8();
}

std::optional<CellBlock> CellBlockFromText(const QString &text)
{
    if (text.size() > MostText)
        return std::nullopt;
    QStringView rest(text);
    while (rest.endsWith(u'\n') || rest.endsWith(u'\r'))
        rest.chop(1);
    CellBlock block;
    for (QStringView row : rest.split(u'\n')) {
        // Tabs too: a block copied from a spreadsheet.
        QString line = row.toString().replace(u'\t', u' ').replace(u'\r', u' ');
        const QList<QStringView> words = QStringView(line).split(u' ', Qt::SkipEmptyParts);
        if (block.height == 0)
            block.width = int(words.size());
        if (words.size() != block.width || block.width == 0 || block.width > GridColumns ||
            ++block.height > GridRows)
            return std::nullopt;
        for (QStringView word : words) {
            const std::optional<int> brick = number(word, MaxTilesetCells);
            if (!brick)
                return std::nullopt;
            block.bricks.push_back(*brick);
        }
    }
    if (block.height == 0)
        return std::nullopt;
    return block;
}

std::optional<CellBlock> DecodeCellBlock(const QByteArray &bytes)
{
    if (bytes.size() > MostText)
        return std::nullopt;
    const QString text = QString::fromUtf8(bytes);
    const qsizetype first = text.indexOf(u'\n');
    const qsizetype second = text.indexOf(u'\n', first + 1);
    if (first < 0 || second < 0)
        return std::nullopt;
    const QList<QStringView> size = QStringView(text).first(first).split(u' ');
    std::optional<CellBlock> block = CellBlockFromText(text.mid(second + 1));
    if (size.size() != 2 || !block || number(size[0], GridColumns) != block->width ||
        number(size[1], GridRows) != block->height)
        return std::nullopt;
    return block;
}
