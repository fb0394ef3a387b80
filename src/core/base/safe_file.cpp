#include "core/base/safe_file.h"

#include <cerrno>
#include <cstring>
#include "core/base/run_folders.h"
#include "core/base/termination.h"

#include "core/base/os.h"

namespace tarvex {

SafeFileWriter::SafeFileWriter(std::filesystem::path target) : target_(std::move(target)) {
    // Half-written files of runs that were killed mid-save go before this one adds its own.
    sweep_stale_parts(target_.parent_path());
    temp_ = part_file_for(target_);
    // A stop by signal removes the half file as the destructor would.
    remove_on_termination(temp_);
    file_ = base::open_file(temp_, "wb");
    if (!file_)
        fail(errno ? errno : EIO);
    else
        std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
}

SafeFileWriter::~SafeFileWriter() {
    if (file_) std::fclose(file_);
    forget_on_termination(temp_);
    if (!committed_) {
        std::error_code ec;
        std::filesystem::remove(temp_, ec);
    }
}

void SafeFileWriter::fail(int err) {
    if (error_ == 0) error_ = err;
}

void SafeFileWriter::write(std::string_view bytes) {
    if (!file_ || error_) return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        fail(errno ? errno : EIO);
}

bool SafeFileWriter::commit() {
    if (!file_) return false;
    if (!error_ && !base::sync_file(file_)) fail(errno ? errno : EIO);
    if (std::fclose(file_) != 0) fail(errno ? errno : EIO);
    file_ = nullptr;
    if (error_) return false;
    std::error_code ec;
    std::filesystem::rename(temp_, target_, ec);
    if (ec) {
        fail(ec.value());
        return false;
    }
    committed_ = true;
    return true;
}

std::string SafeFileWriter::error_text() const {
    return error_ ? std::string(std::strerror(error_)) : std::string();
}

}  // namespace tarvex
