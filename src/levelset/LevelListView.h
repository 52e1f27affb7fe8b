#pragma once

#include <QListView>

// The levels as rows of tiles, left to right, wrapped to the view's width. Tiles dragged within
// it are moved by whoever handles rowsDropped (as one step of the window's history), never by
// the view itself; the place they would go is shown by a bar between tiles.
class LevelListView : public QListView
{
    Q_OBJECT
public:
    explicit LevelListView(QWidget *parent = nullptr);

    // The place before which a drop at pos (in the viewport) puts the tiles.
    int dropRow(const QPoint &pos) const;

signals:
    void rowsDropped(const QList<int> &rows, int before);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QList<int> draggedRows(const QDropEvent *event) const;
    void showDropBar(int row);

    int dropBar = -1; // the row the bar stands before; -1 for none
};
