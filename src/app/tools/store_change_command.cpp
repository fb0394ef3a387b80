#include "app/tools/store_change_command.h"

namespace tarvex {

StoreChangeCommand::StoreChangeCommand(const QString& text, SystemStore& store, GroupFiles& files,
                                       StoreSnapshot before, StoreSnapshot after,
                                       std::function<void()> refresh)
    : store_(store),
      files_(files),
      before_(std::move(before)),
      after_(std::move(after)),
      refresh_(std::move(refresh)) {
    setText(text);
}

void StoreChangeCommand::undo() {
    restore_snapshot(store_, files_, before_);
    if (refresh_) refresh_();
}

void StoreChangeCommand::redo() {
    if (first_) {
        first_ = false;
        return;
    }
    restore_snapshot(store_, files_, after_);
    if (refresh_) refresh_();
}

}  // namespace tarvex
