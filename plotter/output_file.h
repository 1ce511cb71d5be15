// Internal: a file the cairo devices write through cairo's stream surfaces, checked at every write.
#pragma once

#include <cairo.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace plotter {

// A change to the bytes written: the first run that begins with START and ends with END (both
// included) becomes REPLACEMENT. With SAME_LENGTH the replacement is padded with blanks to the
// run's length (byte offsets recorded in the file stay right) and is not made when it is longer.
struct StreamEdit {
    std::string start;
    std::string end;
    std::string replacement;
    bool same_length = false;
};

// A file a device writes; the first failed write or close is kept with its reason.
class OutputFile {
public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    // Opens NAME for writing (truncated); false, with errno set, when it cannot be. EDITS are made
    // as the bytes pass (each at most once).
    bool open(const std::string& name, std::vector<StreamEdit> edits = {});
    bool is_open() const { return file_ != nullptr; }
    // Appends N bytes; false once anything failed.
    bool write(const unsigned char* data, std::size_t n);
    // Closes the file; false when any byte did not reach it, and then the file is discarded.
    bool close();
    // Closes the file and removes it if it is a regular file this run wrote (opened under NAME
    // itself, not through a symbolic link, and NAME still names it): what is left of a file that
    // could not be completed.
    void discard();
    // Makes EDIT, too, in the bytes still to come.
    void add_edit(StreamEdit edit) { edits_.push_back(std::move(edit)); }
    // Notes a failure found elsewhere (cairo's own), unless one is noted already.
    void fail(const std::string& reason);
    const std::string& name() const { return name_; }
    // "cannot write NAME: <the reason>" after a failure, else empty.
    std::string failure() const;

    // cairo's write function for a stream surface whose closure is an OutputFile.
    static cairo_status_t write_to(void* closure, const unsigned char* data, unsigned int length);

private:
    bool put(const char* data, std::size_t n);
    // True when C begins the START of an edit still to make.
    bool may_start(char c) const;
    // Passes one byte through the edits.
    void edit(char c);

    std::FILE* file_ = nullptr;
    std::string name_;
    int error_ = 0;
    std::string reason_;
    bool ours_ = false;  // a regular file opened under its own name, identified by device and inode
    unsigned long device_ = 0;
    unsigned long inode_ = 0;
    std::vector<StreamEdit> edits_;
    std::string held_;  // bytes that may begin (or are inside) a run to edit
    int editing_ = -1;  // the edit whose START held_ begins with, or -1
};

}  // namespace plotter
