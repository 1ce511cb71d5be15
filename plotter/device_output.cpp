// The files and the window giza draws into: checked output files, giza's cairo surfaces and X
// window answered here while routed, and the wait on the window at the end.
//
// The entry points below carry cairo's and Xlib's own names and so take giza's calls in their
// place (the program's own definitions come first); each hands on to the library's function
// (found with dlsym) and only adds what the device needs. The plotter links neither cairo nor
// Xlib itself: both are loaded with giza, and their functions are looked up the same way.
#include "device_output.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "state.h"

namespace {

// cairo's types, as far as they are used here (cairo_status_t is an enum; 11 is WRITE_ERROR).
struct cairo_surface;
struct cairo;
using cairo_status_t = int;
constexpr cairo_status_t kCairoSuccess = 0;
constexpr cairo_status_t kCairoWriteError = 11;
using cairo_write_func_t = cairo_status_t (*)(void* closure, const unsigned char* data, unsigned int length);

// Where what giza creates goes now, if anywhere.
plotter::GizaTarget* routed() { return plotter::state().giza_target; }

// The file giza's file surfaces and PNG images go to now; null: giza writes its own files.
plotter::OutputFile* routed_file() {
    const plotter::GizaTarget* target = routed();
    return target != nullptr ? target->file : nullptr;
}

template <class Function>
Function next_definition(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

template <class Function>
Function loaded_function(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
}

cairo_status_t write_to_target(void* closure, const unsigned char* data, unsigned int length) {
    auto* file = static_cast<plotter::OutputFile*>(closure);
    return file->write(data, length) ? kCairoSuccess : kCairoWriteError;
}

using StreamSurface = cairo_surface* (*)(cairo_write_func_t, void*, double, double);
using FileSurface = cairo_surface* (*)(const char*, double, double);

// A file surface of giza's: on the routed file when there is one, else as giza asked.
cairo_surface* file_surface(const char* stream_function, const char* file_function, const char* filename, double width,
                            double height, bool postscript) {
    plotter::OutputFile* file = routed_file();
    if (file == nullptr) {
        static const auto by_name = next_definition<FileSurface>(file_function);
        return by_name != nullptr ? by_name(filename, width, height) : nullptr;
    }
    const auto on_stream = loaded_function<StreamSurface>(stream_function);
    if (on_stream == nullptr) {
        return nullptr;
    }
    cairo_surface* surface = on_stream(write_to_target, file, width, height);
    routed()->surface = surface;
    routed()->postscript = postscript;
    return surface;
}

}  // namespace

extern "C" {

cairo_surface* cairo_pdf_surface_create(const char* filename, double width, double height) {
    return file_surface("cairo_pdf_surface_create_for_stream", "cairo_pdf_surface_create", filename, width, height,
                        false);
}

cairo_surface* cairo_ps_surface_create(const char* filename, double width, double height) {
    return file_surface("cairo_ps_surface_create_for_stream", "cairo_ps_surface_create", filename, width, height, true);
}

cairo_surface* cairo_svg_surface_create(const char* filename, double width, double height) {
    return file_surface("cairo_svg_surface_create_for_stream", "cairo_svg_surface_create", filename, width, height,
                        false);
}

cairo_status_t cairo_surface_write_to_png(cairo_surface* surface, const char* filename) {
    plotter::OutputFile* file = routed_file();
    if (file == nullptr) {
        static const auto by_name =
            next_definition<cairo_status_t (*)(cairo_surface*, const char*)>("cairo_surface_write_to_png");
        return by_name != nullptr ? by_name(surface, filename) : kCairoWriteError;
    }
    using ToStream = cairo_status_t (*)(cairo_surface*, cairo_write_func_t, void*);
    const auto to_stream = loaded_function<ToStream>("cairo_surface_write_to_png_stream");
    return to_stream != nullptr ? to_stream(surface, write_to_target, file) : kCairoWriteError;
}

// giza ends a page with cairo_show_page and then paints the next one's background: the size the
// next page was given must be set in between.
void cairo_show_page(cairo* context) {
    static const auto show_page = next_definition<void (*)(cairo*)>("cairo_show_page");
    show_page(context);
    plotter::GizaTarget* target = routed();
    if (target == nullptr || target->surface == nullptr || target->next_width_pt <= 0.0) {
        return;
    }
    static const auto get_target = loaded_function<cairo_surface* (*)(cairo*)>("cairo_get_target");
    using SetSize = void (*)(cairo_surface*, double, double);
    const auto set_size =
        loaded_function<SetSize>(target->postscript ? "cairo_ps_surface_set_size" : "cairo_pdf_surface_set_size");
    if (get_target != nullptr && set_size != nullptr &&
        get_target(context) == static_cast<cairo_surface*>(target->surface)) {
        set_size(static_cast<cairo_surface*>(target->surface), target->next_width_pt, target->next_height_pt);
    }
}

Window XCreateSimpleWindow(Display* display, Window parent, int x, int y, unsigned int width, unsigned int height,
                           unsigned int border_width, unsigned long border, unsigned long background) {
    static const auto create = next_definition<decltype(&XCreateSimpleWindow)>("XCreateSimpleWindow");
    const Window window = create(display, parent, x, y, width, height, border_width, border, background);
    if (plotter::GizaTarget* target = routed()) {
        target->display = display;
        target->window = window;
    }
    return window;
}

}  // extern "C"

namespace plotter {

OutputFile::~OutputFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool OutputFile::open(const std::string& name) {
    name_ = name;
    error_ = 0;
    ours_ = false;
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

bool OutputFile::write(const unsigned char* data, std::size_t n) {
    if (file_ == nullptr || error_ != 0) {
        return false;
    }
    if (std::fwrite(data, 1, n, file_) != n) {
        error_ = errno != 0 ? errno : EIO;
        return false;
    }
    return true;
}

bool OutputFile::close() {
    if (file_ != nullptr) {
        errno = 0;
        if (std::fclose(file_) != 0 && error_ == 0) {
            error_ = errno != 0 ? errno : EIO;
        }
        file_ = nullptr;
    }
    if (error_ != 0) {
        discard();
    }
    return error_ == 0;
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
    if (error_ == 0) {
        return {};
    }
    return "cannot write " + name_ + ": " + std::strerror(error_);
}

void route_giza_to(GizaTarget* target) { state().giza_target = target; }

namespace {

int ignore_x_error(Display*, XErrorEvent*) { return 0; }

// The connection is gone (the window was killed): the page was shown; end as after a key.
int connection_lost(Display*) {
    std::fflush(nullptr);
    _exit(0);
}

}  // namespace

void wait_for_window(const GizaTarget& target, const std::string& title, void (*repaint)()) {
    auto* display = static_cast<Display*>(target.display);
    if (display == nullptr || target.window == 0) {
        return;
    }
    const auto store_name = loaded_function<decltype(&XStoreName)>("XStoreName");
    const auto intern_atom = loaded_function<decltype(&XInternAtom)>("XInternAtom");
    const auto set_protocols = loaded_function<decltype(&XSetWMProtocols)>("XSetWMProtocols");
    const auto select_input = loaded_function<decltype(&XSelectInput)>("XSelectInput");
    const auto sync = loaded_function<decltype(&XSync)>("XSync");
    const auto next_event = loaded_function<decltype(&XNextEvent)>("XNextEvent");
    const auto set_error_handler = loaded_function<decltype(&XSetErrorHandler)>("XSetErrorHandler");
    const auto set_io_error_handler = loaded_function<decltype(&XSetIOErrorHandler)>("XSetIOErrorHandler");
    if (store_name == nullptr || intern_atom == nullptr || set_protocols == nullptr || select_input == nullptr ||
        sync == nullptr || next_event == nullptr || set_error_handler == nullptr || set_io_error_handler == nullptr) {
        return;
    }
    set_error_handler(ignore_x_error);
    set_io_error_handler(connection_lost);
    const Window window = target.window;
    store_name(display, window, title.c_str());
    Atom delete_window = intern_atom(display, "WM_DELETE_WINDOW", False);
    set_protocols(display, window, &delete_window, 1);
    select_input(display, window, KeyPressMask | ExposureMask | StructureNotifyMask);
    // Keys hit before the page was complete do not count.
    sync(display, True);
    for (;;) {
        XEvent event;
        next_event(display, &event);
        if (event.type == KeyPress || event.type == DestroyNotify) {
            break;
        }
        if (event.type == Expose && event.xexpose.count == 0) {
            repaint();
        }
        if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == delete_window) {
            break;
        }
    }
}

}  // namespace plotter
