#include "LevelSetModel.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <algorithm>

namespace {

const QString RowsType = QStringLiteral("application/x-vorpex-levelset-rows");

} // namespace

LevelSetModel::LevelSetModel(const QString &appFolder, QObject *parent)
    : QAbstractListModel(parent), loader(new ThumbnailLoader(appFolder, this))
{
    connect(loader, &ThumbnailLoader::ready, this, &LevelSetModel::thumbnailReady);
}

void LevelSetModel::setLevels(const QStringList &levels)
{
    beginResetModel();
    names = levels;
    endResetModel();
}

void LevelSetModel::setLevelSetPath(const QString &path)
{
    levelSetPath = path;
    refresh();
}

void LevelSetModel::refresh()
{
    loader->restart(levelSetPath);
    requested.clear();
    if (!names.isEmpty())
        emit dataChanged(index(0), index(int(names.size()) - 1), {ThumbnailRole, StatusRole});
}

int LevelSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(names.size());
}

const LevelSetModel::Entry *LevelSetModel::entry(const QString &level) const
{
    const Entry *found = thumbnails.object(level);
    if ((!found || found->generation != loader->generation()) && !requested.contains(level)) {
        requested.insert(level);
        loader->request(level);
    }
    return found;
}

QVariant LevelSetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= names.size())
        return QVariant();
    const QString &level = names[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return level;
    case Qt::ToolTipRole:
    case ThumbnailRole:
    case StatusRole: {
        const Entry *found = entry(level);
        if (!found)
            return QVariant(); // no picture, no reason, no tip yet
        if (role == ThumbnailRole)
            return found->thumbnail.image;
        if (role == Qt::ToolTipRole)
            return found->thumbnail.path.isEmpty() ? level : found->thumbnail.path;
        switch (found->thumbnail.state) {
        case LevelThumbnail::State::Drawn:
            return QString();
        case LevelThumbnail::State::Missing:
            return QStringLiteral("missing");
        case LevelThumbnail::State::Unreadable:
            return QStringLiteral("unreadable");
        }
        return QVariant();
    }
    default:
        return QVariant();
    }
}

void LevelSetModel::thumbnailReady(const QString &level,
                                   int generation,
                                   const LevelThumbnail &thumbnail)
{
    if (generation != loader->generation())
        return;
    requested.remove(level);
    thumbnails.insert(level, new Entry{thumbnail, generation});
    // Only the tiles on screen are painted again, wherever the level is listed.
    if (!names.isEmpty())
        emit dataChanged(index(0), index(int(names.size()) - 1), {ThumbnailRole, StatusRole});
}

Qt::ItemFlags LevelSetModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractListModel::flags(index) | Qt::ItemIsDropEnabled;
    return index.isValid() ? flags | Qt::ItemIsDragEnabled : flags;
}

QStringList LevelSetModel::mimeTypes() const
{
    return {RowsType};
}

QMimeData *LevelSetModel::mimeData(const QModelIndexList &indexes) const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << quintptr(this);
    for (const QModelIndex &index : indexes)
        out << qint32(index.row());
    auto *data = new QMimeData;
    data->setData(RowsType, bytes);
    return data;
}

Qt::DropActions LevelSetModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QList<int> LevelSetModel::draggedRows(const QMimeData *data) const
{
    QList<int> rows;
    if (!data || !data->hasFormat(RowsType))
        return rows;
    QDataStream in(data->data(RowsType));
    quintptr from = 0;
    in >> from;
    if (from != quintptr(this))
        return rows;
    while (!in.atEnd()) {
        qint32 row = -1;
        in >> row;
        if (in.status() != QDataStream::Ok || row < 0 || row >= names.size())
            return {};
        rows << row;
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}
