#pragma once

#include <QUndoCommand>
#include <functional>

// One step of the editor's history: an action the user has just done, and how to take it back.
// The action is done already when the step is pushed, so the first redo does nothing.
class EditCommand : public QUndoCommand
{
public:
    EditCommand(const QString &name, std::function<void()> undoIt, std::function<void()> redoIt)
        : QUndoCommand(name), undoIt(std::move(undoIt)), redoIt(std::move(redoIt))
    {}

    void undo() override { undoIt(); }
    void redo() override
    {
        if (done)
            redoIt();
        done = true;
    }

private:
    std::function<void()> undoIt;
    std::function<void()> redoIt;
    bool done = false;
};
