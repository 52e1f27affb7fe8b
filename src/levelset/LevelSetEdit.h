#pragma once

#include <QList>
#include <QStringList>
#include <QUndoCommand>
#include <functional>

// One step of the levelset window's history: the set's name and levels before and after it,
// with the levels selected at either end. Lists of names are shared, not copied, between steps.
// Typing in the name is one step until something else is done.
class LevelSetEdit : public QUndoCommand
{
public:
    struct State
    {
        QString name;
        QStringList levels;
        QList<int> selected;
    };
    using Apply = std::function<void(const State &)>;

    LevelSetEdit(const QString &text, State before, State after, Apply apply);

    void undo() override { apply(before); }
    void redo() override { apply(after); }
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    bool isRename() const;

    State before;
    State after;
    Apply apply;
};
