// Internal: the files and the window the PGPLOT device has giza draw into.
//
// giza creates its cairo file surfaces by file name, so a failed write (a full disk) goes
// unnoticed, and it keeps a PDF or PostScript document at its first page size. While the PGPLOT
// device routes giza to a GizaTarget, the cairo and Xlib entry points giza uses to create its
// surfaces and its window are answered here: file surfaces and PNG images are written through a
// checked OutputFile, and the surface and the window are noted so the device can size a page and
// keep the window.
#pragma once

#include <cstdio>
#include <string>

namespace plotter {

// A file the PGPLOT device writes; the first failed write or close is kept with its reason.
class OutputFile {
public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    // Opens NAME for writing (truncated); false, with errno set, when it cannot be.
    bool open(const std::string& name);
    bool is_open() const { return file_ != nullptr; }
    // Appends N bytes; false once anything failed.
    bool write(const unsigned char* data, std::size_t n);
    // Closes the file; false when any byte did not reach it, and then the file is discarded.
    bool close();
    // Closes the file and removes it if it is a regular file this run wrote (opened under NAME
    // itself, not through a symbolic link, and NAME still names it): what is left of a file that
    // could not be completed.
    void discard();
    const std::string& name() const { return name_; }
    // "cannot write NAME: <the system's reason>" after a failure, else empty.
    std::string failure() const;

private:
    std::FILE* file_ = nullptr;
    std::string name_;
    int error_ = 0;
    bool ours_ = false;  // a regular file opened under its own name, identified by device and inode
    unsigned long device_ = 0;
    unsigned long inode_ = 0;
};

// What giza creates while routed here.
struct GizaTarget {
    OutputFile* file = nullptr;  // where file surfaces and PNG images are written
    void* surface = nullptr;     // the PDF, PostScript or SVG surface last created
    bool postscript = false;     // that surface is PostScript
    // The size in points the surface's next page gets when giza shows this one (0: as now); giza
    // paints the next page's background at once, so the size is set in between.
    double next_width_pt = 0.0;
    double next_height_pt = 0.0;
    void* display = nullptr;  // the X connection and window last created
    unsigned long window = 0;
};

// Routes what giza creates to TARGET until the next call (null: giza writes its own files).
void route_giza_to(GizaTarget* target);

// Shows TITLE on TARGET's window and waits until a key is hit in it or it is closed; REPAINT
// redraws the window's content when it was covered.
void wait_for_window(const GizaTarget& target, const std::string& title, void (*repaint)());

}  // namespace plotter
