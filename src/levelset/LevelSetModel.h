#pragma once

#include "ThumbnailLoader.h"

#include <QAbstractListModel>
#include <QCache>
#include <QSet>
#include <QStringList>

// The levels of a levelset in play order, each with its thumbnail, drawn the first time it is
// asked for (a view asks only for the tiles it paints). Rows change only as a whole list
// (setLevels); the window's history keeps the lists.
class LevelSetModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role {
        ThumbnailRole = Qt::UserRole + 1, // QImage; null while not drawn
        StatusRole,                       // "missing", "unreadable", else empty
    };

    explicit LevelSetModel(const QString &appFolder, QObject *parent = nullptr);

    const QStringList &levels() const { return names; }
    void setLevels(const QStringList &levels);
    // Where levels are looked for; thumbnails are drawn again.
    void setLevelSetPath(const QString &path);
    // The files may have changed: thumbnails are drawn again, the old ones shown until then.
    void refresh();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Rows are dragged as their numbers, for a move inside this model only.
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDropActions() const override;
    // The rows dragged from this model, sorted; empty for anything else.
    QList<int> draggedRows(const QMimeData *data) const;

private:
    struct Entry
    {
        LevelThumbnail thumbnail;
        int generation;
    };
    const Entry *entry(const QString &level) const;
    void thumbnailReady(const QString &level, int generation, const LevelThumbnail &thumbnail);

    QString levelSetPath;
    QStringList names;
    ThumbnailLoader *loader;
    // Bounded: a set of 32767 levels scrolled through end to end keeps the latest only.
    mutable QCache<QString, Entry> thumbnails{1000};
    mutable QSet<QString> requested;
};
