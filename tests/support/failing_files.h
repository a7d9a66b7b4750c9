#pragma once
// The real file system for the progress and settings files, except that operation number failAt
// (counted from 0) fails with the given errno; a failing write still writes half of its bytes, as
// a full disk would.

#include "shell/progress_file.h"

#include <cerrno>
#include <string>

class FailingFiles final : public ProgressFiles {
  public:
    explicit FailingFiles(int failAt, int error = EIO) : failAt_(failAt), error_(error) {}
    int operations() const { return count_; }

    int create(const std::string& path) override {
        return fails() ? -1 : systemFiles().create(path);
    }
    bool write(int file, const std::string& bytes) override {
        if (count_ == failAt_) {
            systemFiles().write(file, bytes.substr(0, bytes.size() / 2));
        }
        return !fails() && systemFiles().write(file, bytes);
    }
    bool flush(int file) override { return !fails() && systemFiles().flush(file); }
    bool close(int file) override {
        // The descriptor is closed either way, as close(2) does on an error.
        const bool failed = fails();
        return systemFiles().close(file) && !failed;
    }
    bool rename(const std::string& from, const std::string& to) override {
        return !fails() && systemFiles().rename(from, to);
    }
    bool remove(const std::string& path) override { return !fails() && systemFiles().remove(path); }
    void flushDirectory(const std::string& directory) override {
        if (!fails()) {
            systemFiles().flushDirectory(directory);
        }
    }

  private:
    bool fails() {
        if (count_++ != failAt_) {
            return false;
        }
        errno = error_;
        return true;
    }
    int failAt_;
    int error_;
    int count_ = 0;
};
