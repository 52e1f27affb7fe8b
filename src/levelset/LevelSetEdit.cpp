#include "LevelSetEdit.h"

LevelSetEdit::LevelSetEdit(const QString &text, State before, State after, Apply apply)
    : QUndoCommand(text), before(std::move(before)), after(std::move(after)),
      apply(std::move(apply))
{}

bool LevelSetEdit::isRename() const
{
    return before.levels == after.levels && before.name != after.name;
}

int LevelSetEdit::id() const
{
    return isRename() ? 1 : -1;
}

bool LevelSetEdit::mergeWith(const QUndoCommand *other)
{
    // Only steps of the same id are offered: renames.
    after = static_cast<const LevelSetEdit *>(other)->after;
    // Typed back to where it began: no step at all.
    setObsolete(after.name == before.name);
    return true;
}
