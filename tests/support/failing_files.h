#pragma once
// The real file system for the progress and settings files, except that operation number failAt
// (counted from 0) fails; a failing write still writes half of its bytes, as a full disk would.

#include "shell/progress_file.h"

class FailingFiles final : public ProgressFiles {
  public:
    explicit FailingFiles(int failAt) : failAt_(failAt) {}
    int operations() const { return count_; }

    int create(const std::string& path) override {
        return fails() ? -1 : systemFiles().create(path);
    }
    bool write(int file, const std::string& bytes) override {
        if (fails()) {
            systemFiles().write(file, bytes.substr(0, bytes.size() / 2));
            return false;
        }
        return systemFiles().write(file, bytes);
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
    bool fails() { return count_++ == failAt_; }
    int failAt_;
    int count_ = 0;
};
