// The checked output file of the cairo devices, with the edits made to the bytes on their way.
#include "output_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace plotter {

namespace {

// A held run longer than this is no run to edit.
constexpr std::size_t kMaxEditedRun = 4096;

bool ends_with(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

OutputFile::~OutputFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool OutputFile::open(const std::string& name, std::vector<StreamEdit> edits) {
    name_ = name;
    error_ = 0;
    reason_.clear();
    ours_ = false;
    edits_ = std::move(edits);
    held_.clear();
    editing_ = -1;
    struct stat before {};
    const bool linked = lstat(name.c_str(), &before) == 0 && S_ISLNK(before.st_mode);
    file_ = std::fopen(name.c_str(), "wb");
    if (file_ == nullptr) {
        error_ = errno;
        return false;
    }
    struct stat opened {};
    if (!linked && fstat(fileno(file_), &opened) == 0 && S_ISREG(opened.st_mode)) {
        ours_ = true;
        device_ = opened.st_dev;
        inode_ = opened.st_ino;
    }
    return true;
}

bool OutputFile::put(const char* data, std::size_t n) {
    if (file_ == nullptr || error_ != 0 || !reason_.empty()) {
        return false;
    }
    if (n > 0 && std::fwrite(data, 1, n, file_) != n) {
        error_ = errno != 0 ? errno : EIO;
        return false;
    }
    return true;
}

bool OutputFile::may_start(char c) const {
    return std::any_of(edits_.begin(), edits_.end(), [c](const StreamEdit& e) { return e.start[0] == c; });
}

void OutputFile::edit(char c) {
    held_ += c;
    if (editing_ >= 0) {
        const StreamEdit& e = edits_[static_cast<std::size_t>(editing_)];
        if (held_.size() >= e.start.size() + e.end.size() && ends_with(held_, e.end)) {
            std::string out = e.replacement;
            if (e.same_length) {
                out = out.size() <= held_.size() ? out + std::string(held_.size() - out.size(), ' ') : held_;
            }
            put(out.data(), out.size());
            edits_.erase(edits_.begin() + editing_);
            editing_ = -1;
            held_.clear();
        } else if (held_.size() > kMaxEditedRun) {
            put(held_.data(), held_.size());
            edits_.erase(edits_.begin() + editing_);
            editing_ = -1;
            held_.clear();
        }
        return;
    }
    bool prefix = false;
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        const std::string& start = edits_[i].start;
        if (start.compare(0, held_.size(), held_) == 0) {
            if (start.size() == held_.size()) {
                editing_ = static_cast<int>(i);
                return;
            }
            prefix = true;
        }
    }
    if (prefix) {
        return;
    }
    // No run begins here: what was held goes out, and the last byte may begin one.
    held_.pop_back();
    put(held_.data(), held_.size());
    held_.clear();
    if (may_start(c)) {
        edit(c);
    } else {
        put(&c, 1);
    }
}

bool OutputFile::write(const unsigned char* data, std::size_t n) {
    const char* p = reinterpret_cast<const char*>(data);
    std::size_t i = 0;
    while (i < n && error_ == 0 && reason_.empty()) {
        if (edits_.empty() && held_.empty()) {
            put(p + i, n - i);
            break;
        }
        if (!held_.empty()) {
            edit(p[i++]);
            continue;
        }
        // Bytes up to the next one that may begin a run go out as they are.
        std::size_t next = i;
        while (next < n && !may_start(p[next])) {
            ++next;
        }
        put(p + i, next - i);
        if (next < n) {
            edit(p[next]);
        }
        i = next + 1;
    }
    return error_ == 0 && reason_.empty();
}

cairo_status_t OutputFile::write_to(void* closure, const unsigned char* data, unsigned int length) {
    return static_cast<OutputFile*>(closure)->write(data, length) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

void OutputFile::fail(const std::string& reason) {
    if (error_ == 0 && reason_.empty()) {
        reason_ = reason;
    }
}

bool OutputFile::close() {
    if (file_ != nullptr) {
        put(held_.data(), held_.size());
        held_.clear();
        errno = 0;
        if (std::fclose(file_) != 0 && error_ == 0) {
            error_ = errno != 0 ? errno : EIO;
        }
        file_ = nullptr;
    }
    const bool ok = error_ == 0 && reason_.empty();
    if (!ok) {
        discard();
    }
    return ok;
}

void OutputFile::discard() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    struct stat now {};
    if (ours_ && lstat(name_.c_str(), &now) == 0 && S_ISREG(now.st_mode) && now.st_dev == device_ &&
        now.st_ino == inode_) {
        unlink(name_.c_str());
    }
    ours_ = false;
}

std::string OutputFile::failure() const {
    if (error_ != 0) {
        return "cannot write " + name_ + ": " + std::strerror(error_);
    }
    if (!reason_.empty()) {
        return "cannot write " + name_ + ": " + reason_;
    }
    return {};
}

}  // namespace plotter
