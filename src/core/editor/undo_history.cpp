#include "core/editor/undo_history.h"

namespace tarvex {

size_t UndoStep::bytes() const {
    size_t total = sizeof(UndoStep) + label.size();
    // The "after" snapshot is the next step's "before" in the usual run of steps: counting
    // only "before" keeps the figure close to what is really held.
    if (store_before) total += SystemStore::snapshot_bytes(*store_before);
    for (const auto& f : files)
        total += sizeof f + (f.before ? f.before->size() : 0) + (f.after ? f.after->size() : 0);
    return total;
}

void UndoHistory::push(UndoStep step) {
    if (clean_ > static_cast<long long>(index_)) clean_ = k_never;  // the redo side is gone
    while (steps_.size() > index_) {
        bytes_ -= step_bytes_.back();
        steps_.pop_back();
        step_bytes_.pop_back();
    }
    size_t b = step.bytes();
    steps_.push_back(std::move(step));
    step_bytes_.push_back(b);
    bytes_ += b;
    ++index_;
    trim();
}

void UndoHistory::trim() {
    // The newest step always stays, however large.
    while (steps_.size() > 1 && (steps_.size() > k_max_steps || bytes_ > k_max_bytes)) {
        bytes_ -= step_bytes_.front();
        steps_.pop_front();
        step_bytes_.pop_front();
        --index_;
        if (clean_ != k_never) clean_ = clean_ == 0 ? k_never : clean_ - 1;
    }
}

void UndoHistory::clear() {
    steps_.clear();
    step_bytes_.clear();
    index_ = 0;
    clean_ = 0;
    bytes_ = 0;
}

}  // namespace tarvex
