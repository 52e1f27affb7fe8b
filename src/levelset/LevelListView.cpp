#include "LevelListView.h"

#include "LevelSetModel.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QPainter>

LevelListView::LevelListView(QWidget *parent) : QListView(parent)
{
    setViewMode(QListView::ListMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragDropMode(QAbstractItemView::InternalMove); // dragging and drops on too
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
}

QList<int> LevelListView::draggedRows(const QDropEvent *event) const
{
    const auto *levels = qobject_cast<const LevelSetModel *>(model());
    return levels ? levels->draggedRows(event->mimeData()) : QList<int>();
}

int LevelListView::dropRow(const QPoint &pos) const
{
    if (const QModelIndex index = indexAt(pos); index.isValid())
        return index.row() + (pos.x() >= visualRect(index).center().x() ? 1 : 0);
    // Right of a row's last tile, or below the last row.
    for (int x = pos.x(); x >= 0; x -= 8) {
        if (const QModelIndex index = indexAt(QPoint(x, pos.y())); index.isValid())
            return index.row() + 1;
    }
    return model() ? model()->rowCount() : 0;
}

void LevelListView::showDropBar(int row)
{
    if (row != dropBar) {
        dropBar = row;
        viewport()->update();
    }
}

void LevelListView::dragEnterEvent(QDragEnterEvent *event)
{
    if (draggedRows(event).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void LevelListView::dragMoveEvent(QDragMoveEvent *event)
{
    QListView::dragMoveEvent(event); // scrolls near the edges
    if (draggedRows(event).isEmpty()) {
        event->ignore();
        showDropBar(-1);
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    showDropBar(dropRow(event->position().toPoint()));
}

void LevelListView::dragLeaveEvent(QDragLeaveEvent *event)
{
    QListView::dragLeaveEvent(event);
    showDropBar(-1);
}

void LevelListView::dropEvent(QDropEvent *event)
{
    stopAutoScroll();
    setState(QAbstractItemView::NoState);
    showDropBar(-1);
    const QList<int> rows = draggedRows(event);
    if (rows.isEmpty()) {
        event->ignore();
        return;
    }
    // The view that started the drag then asks the model to remove the rows it dragged: the
    // model removes none, so the rows moved stay.
    event->accept();
    emit rowsDropped(rows, dropRow(event->position().toPoint()));
}

void LevelListView::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    if (dropBar < 0 || !model() || model()->rowCount() == 0)
        return;
    const bool after = dropBar >= model()->rowCount();
    const QRect tile = visualRect(model()->index(after ? dropBar - 1 : dropBar, 0));
    const int x = after ? tile.right() - 1 : tile.left() - 1;
    QPainter painter(viewport());
    painter.fillRect(QRect(x, tile.top(), 3, tile.height()), palette().brush(QPalette::Highlight));
}
