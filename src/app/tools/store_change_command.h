#pragma once
// One undo step for a change across the store (removing duplicates, unlocking): the touched
// group files and record lines before and after. The change has run when the step is pushed.
#include <QUndoCommand>
#include <functional>

#include "core/editor/store_snapshot.h"

namespace tarvex {

class SystemStore;
class GroupFiles;

class StoreChangeCommand : public QUndoCommand {
  public:
    // `refresh` runs after every undo and redo (editors reloaded, data marked changed).
    StoreChangeCommand(const QString& text, SystemStore& store, GroupFiles& files,
                       StoreSnapshot before, StoreSnapshot after, std::function<void()> refresh);
    void undo() override;
    void redo() override;

  private:
    SystemStore& store_;
    GroupFiles& files_;
    StoreSnapshot before_, after_;
    std::function<void()> refresh_;
    bool first_ = true;
};

}  // namespace tarvex
