#pragma once

#include <QStyledItemDelegate>

// A level as a tile of the levelset window: its thumbnail (grey and saying "missing" or
// "unreadable" when there is none to draw), then its number in play and its file name. Every
// tile has the same size, so that a view lays out any number of them at once.
class LevelTileDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    static constexpr int Margin = 8;
    // Grey of a tile without a picture, and of one still being drawn.
    static constexpr QRgb NoPicture = 0xffa0a0a0;
    static constexpr QRgb NotYetDrawn = 0xff303030;

    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void paint(QPainter *painter,
               const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    // Where the thumbnail lies in a tile.
    static QRect thumbnailRect(const QRect &tile);
};
