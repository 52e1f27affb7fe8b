#include "LevelTileDelegate.h"

#include "LevelSetModel.h"

#include <QApplication>
#include <QPainter>

namespace {

// A level is 640 x 480: its thumbnail is as wide as the thumbnail size and three quarters as high.
constexpr int ThumbnailWidth = LevelThumbnail::Size;
constexpr int ThumbnailHeight = LevelThumbnail::Size * 3 / 4;

} // namespace

QRect LevelTileDelegate::thumbnailRect(const QRect &tile)
{
    return QRect(tile.x() + Margin, tile.y() + Margin, ThumbnailWidth, ThumbnailHeight);
}

QSize LevelTileDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return QSize(ThumbnailWidth + 2 * Margin,
                 ThumbnailHeight + 2 * Margin + option.fontMetrics.height() + Margin / 2);
}

void LevelTileDelegate::paint(QPainter *painter,
                              const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    painter->save();
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette &palette = option.palette;
    if (selected)
        painter->fillRect(option.rect, palette.brush(QPalette::Highlight));

    const QRect picture = thumbnailRect(option.rect);
    const QImage thumbnail = index.data(LevelSetModel::ThumbnailRole).value<QImage>();
    const QString status = index.data(LevelSetModel::StatusRole).toString();
    if (!thumbnail.isNull()) {
        painter->drawImage(picture.topLeft(), thumbnail);
    } else {
        painter->fillRect(picture, QColor::fromRgb(status.isEmpty() ? NotYetDrawn : NoPicture));
        painter->setPen(Qt::black);
        painter->drawText(picture, Qt::AlignCenter, status);
    }

    const QRect caption(option.rect.x() + Margin, picture.bottom() + 1 + Margin / 2,
                        option.rect.width() - 2 * Margin, option.fontMetrics.height());
    const QString text = QString::number(index.row() + 1) + QStringLiteral("  ") +
                         index.data(Qt::DisplayRole).toString();
    painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(caption, Qt::AlignHCenter | Qt::AlignVCenter,
                      option.fontMetrics.elidedText(text, Qt::ElideMiddle, caption.width()));
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = option.rect.adjusted(1, 1, -1, -1);
        const QWidget *widget = option.widget;
        (widget ? widget->style() : QApplication::style())
            ->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}
