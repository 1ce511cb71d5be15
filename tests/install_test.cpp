// The installed package: `cmake --install` into a temporary prefix (then moved, to check the
// package is relocatable), and projects outside the tree built against it, once through
// find_package(diagr) and once through pkg-config, in C++ (diagr.h and diagr.hpp) and in Fortran.
// The libraries are of the build's kind: static, or shared (DIAGR_SHARED_LIBS).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/subprocess.h"

namespace {

using support::exists;
using support::exit_code;
using support::lines_of;
using support::slurp;

// A value of the build tree's CMakeCache.txt ("" when it has none).
std::string cache_value(const std::string& name) {
    std::istringstream cache(slurp(DIAGR_BINARY_DIR "/CMakeCache.txt"));
    for (std::string line; std::getline(cache, line);) {
        if (line.rfind(name + ":", 0) == 0) {
            const std::size_t equals = line.find('=');
            return equals == std::string::npos ? "" : line.substr(equals + 1);
        }
    }
    return "";
}

std::string sh_quote(const std::string& text) { return "'" + text + "'"; }

// Under the sanitizers the installed libraries need the sanitizer runtimes in every program.
#if defined(__SANITIZE_ADDRESS__)
const std::string kSanitizeFlags = "-fsanitize=address,undefined";
#else
const std::string kSanitizeFlags;
#endif

constexpr bool kShared = DIAGR_SHARED_LIBS != 0;

class InstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(support::make_temp_directory("install_test", top_));
        cmake_ = cache_value("CMAKE_COMMAND");
        libdir_ = cache_value("CMAKE_INSTALL_LIBDIR");
        fortran_ = cache_value("CMAKE_Fortran_COMPILER");
        ASSERT_FALSE(cmake_.empty());
        ASSERT_FALSE(libdir_.empty());

        // Installed into one place, used from another.
        const std::string stage = top_ + "/stage";
        prefix_ = top_ + "/prefix";
        ASSERT_TRUE(
            shell(sh_quote(cmake_) + " --install " + sh_quote(DIAGR_BINARY_DIR) + " --prefix " + sh_quote(stage)));
        ASSERT_EQ(std::rename(stage.c_str(), prefix_.c_str()), 0);
        ASSERT_EQ(mkdir((top_ + "/run").c_str(), 0755), 0);
        // Shared libraries in a prefix of their own are found as users find them there.
        if (kShared) {
            ASSERT_EQ(setenv("LD_LIBRARY_PATH", (prefix_ + "/" + libdir_).c_str(), 1), 0);
        }
    }
    void TearDown() override {
        if (!top_.empty()) {
            support::remove_tree(top_);
        }
    }

    // Runs COMMAND with /bin/sh, its output kept in the log; true when it ends with status 0.
    bool shell(const std::string& command) {
        const std::string log = top_ + "/log";
        const int status = std::system((command + " >" + sh_quote(log) + " 2>&1").c_str());
        last_output_ = slurp(log);
        const bool ok = exit_code(status) == 0;
        if (!ok) {
            ADD_FAILURE() << command << "\n" << last_output_;
        }
        return ok;
    }

    // Runs PROGRAM in the run directory on the null device with its plotter calls traced; returns
    // the trace lines and keeps its standard output in last_output_.
    std::vector<std::string> run_traced(const std::string& program) {
        const std::string trace = top_ + "/trace";
        std::remove(trace.c_str());
        const std::string command = "cd " + sh_quote(top_ + "/run") +
                                    " && PGPLOT_DEV=/null PLOTTER_TRACE=" + sh_quote(trace) + " " + sh_quote(program);
        const std::string out = top_ + "/out";
        const int status = std::system((command + " >" + sh_quote(out) + " 2>" + sh_quote(top_ + "/err")).c_str());
        last_output_ = slurp(out);
        EXPECT_TRUE(exit_code(status) == 0) << program << "\n" << slurp(top_ + "/err");
        EXPECT_EQ(slurp(top_ + "/err"), "") << program;
        return lines_of(slurp(trace));
    }

    // The demonstration page as the build tree's diatest1 draws it from the installed plot.out.
    std::vector<std::string> reference_page() {
        const std::string data = prefix_ + "/share/doc/diagr/examples/plot.out";
        EXPECT_TRUE(shell("cp " + sh_quote(data) + " " + sh_quote(top_ + "/run/plot.out")));
        return run_traced(DIAGR_BINARY_DIR "/demo/diatest1");
    }

    void expect_consumer_page(const std::string& program) {
        const std::vector<std::string> trace = run_traced(program);
        EXPECT_EQ(last_output_, "-0.3 3.3 -9 99\n");
        ASSERT_GT(trace.size(), 20U);
        EXPECT_EQ(trace.front(), "PLOTS 1 0 15 10");
        EXPECT_EQ(trace.back(), "PLTEND");
    }

    // The consumer's page drawn through diagr.hpp makes the very same plotter calls after choosing
    // its device; its call with unequal arrays was refused with a message before it drew anything.
    void expect_modern_page(const std::string& modern, const std::string& consumer) {
        std::vector<std::string> trace = run_traced(modern);
        EXPECT_EQ(last_output_,
                  "diagr::OVR: X has 4 values but Y has 3\ndiagr::ERRY: X has 4 values but EHI has 1\n"
                  "-0.3 3.3 -9 99\n-1.23457 8 6\n");
        ASSERT_FALSE(trace.empty());
        EXPECT_EQ(trace.front(), "PLTDEV \"/null    \"");
        trace.erase(trace.begin());
        EXPECT_EQ(trace, run_traced(consumer));
    }

    std::string top_;
    std::string prefix_;
    std::string cmake_;
    std::string libdir_;
    std::string fortran_;
    std::string last_output_;
};

TEST_F(InstallTest, InstallsLibrariesHeadersFortranIncludeAndPackageFiles) {
    std::vector<std::string> libraries;
    for (const char* name : {"diagr", "plotter", "diagr_fortran"}) {
        const std::string lib = prefix_ + "/" + libdir_ + "/lib" + name;
        libraries.push_back(kShared ? lib + ".so." DIAGR_SOVERSION : lib + ".a");
        EXPECT_TRUE(exists(kShared ? lib + ".so" : lib + ".a")) << lib;
    }
    const std::vector<std::string> files = {"/include/diagr/diagr.h",
                                            "/include/diagr/diagr.hpp",
                                            "/include/diagr/plotter.h",
                                            "/include/diagr/pltpar.inc",
                                            "/" + libdir_ + "/cmake/diagr/diagrConfig.cmake",
                                            "/" + libdir_ + "/cmake/diagr/diagrConfigVersion.cmake",
                                            "/" + libdir_ + "/pkgconfig/diagr.pc",
                                            "/share/doc/diagr/examples/diatest1f.f90",
                                            "/share/doc/diagr/examples/plot.out",
                                            "/share/doc/diagr/examples/measured.out"};
    for (const std::string& file : files) {
        EXPECT_TRUE(exists(prefix_ + file)) << file;
    }
    // The libraries define no function of cairo, Xlib, giza or PGPLOT; PGTEXT and its Fortran entry
    // pgtext_ are ours.
    std::string nm = kShared ? "nm -D --defined-only -j" : "nm --defined-only -j";
    for (const std::string& library : libraries) {
        nm += " " + sh_quote(library);
    }
    ASSERT_TRUE(shell(nm));
    const std::regex foreign("(cairo_|X[A-Z]|giza_|cpg|PG).*|pg[a-z0-9_]*_");
    bool ours = false;
    for (const std::string& symbol : lines_of(last_output_)) {
        ours = ours || symbol == "pgtext_";
        EXPECT_TRUE(symbol == "pgtext_" || symbol == "PGTEXT" || !std::regex_match(symbol, foreign)) << symbol;
    }
    EXPECT_TRUE(ours) << last_output_;
    // The Fortran module sits where pkg-config's -I points, beside pltpar.inc.
    EXPECT_EQ(exists(prefix_ + "/include/diagr/diagr_api.mod"), !fortran_.empty());
    // The headers are the source tree's, unchanged.
    EXPECT_EQ(slurp(prefix_ + "/include/diagr/diagr.h"), slurp(DIAGR_SOURCE_DIR "/lib/diagr.h"));
    EXPECT_EQ(slurp(prefix_ + "/include/diagr/plotter.h"), slurp(DIAGR_SOURCE_DIR "/plotter/plotter.h"));
    EXPECT_EQ(slurp(prefix_ + "/include/diagr/diagr.hpp"), slurp(DIAGR_SOURCE_DIR "/lib/diagr.hpp"));
}

TEST_F(InstallTest, InstalledCommandDrawsTheReadmePicture) {
    if (!exists(DIAGR_BINARY_DIR "/cli/diagr")) {
        GTEST_SKIP() << "the diagr command was not built (CLI11 missing)";
    }
    // The README's command, on the installed examples.
    ASSERT_TRUE(shell("cd " + sh_quote(prefix_ + "/share/doc/diagr/examples") + " && " +
                      sh_quote(prefix_ + "/bin/diagr") +
                      " plot.out measured.out -s solid,marker=1 -t 'Height over time' -x 'time t / s'"
                      " -y 'height h / m' --text '0.38:0.88:line: plot.out, circles: measured.out' -o " +
                      sh_quote(top_ + "/run/cli.png")));
    EXPECT_EQ(last_output_, "");
    EXPECT_EQ(slurp(top_ + "/run/cli.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
}

TEST_F(InstallTest, OutsideCMakeProjectFindsThePackageAndLinksCppAndFortran) {
    const std::string build = top_ + "/consumer";
    std::string configure = sh_quote(cmake_) + " -S " + sh_quote(DIAGR_SOURCE_DIR "/tests/consumer") + " -B " +
                            sh_quote(build) + " -DCMAKE_PREFIX_PATH=" + sh_quote(prefix_) +
                            " -DCMAKE_CXX_COMPILER=" + sh_quote(cache_value("CMAKE_CXX_COMPILER")) +
                            " -DCMAKE_BUILD_TYPE=RelWithDebInfo";
    if (!kSanitizeFlags.empty()) {
        configure += " -DCMAKE_CXX_FLAGS=" + kSanitizeFlags + " -DCMAKE_EXE_LINKER_FLAGS=" + kSanitizeFlags;
    }
    ASSERT_TRUE(shell(configure));
    ASSERT_TRUE(shell(sh_quote(cmake_) + " --build " + sh_quote(build)));

    expect_consumer_page(build + "/consumer");
    expect_modern_page(build + "/modern", build + "/consumer");
    if (fortran_.empty()) {
        GTEST_SKIP() << "built without a Fortran compiler: the Fortran programs were not tried";
    }
    // A project in Fortran alone: gfortran links, and diagr::fortran brings what the C++ code needs.
    const std::string fbuild = top_ + "/fortran_consumer";
    std::string fconfigure = sh_quote(cmake_) + " -S " + sh_quote(DIAGR_SOURCE_DIR "/tests/consumer/fortran") + " -B " +
                             sh_quote(fbuild) + " -DCMAKE_PREFIX_PATH=" + sh_quote(prefix_) +
                             " -DCMAKE_Fortran_COMPILER=" + sh_quote(fortran_) + " -DDIAGR_FORTRAN_SOURCES=" +
                             sh_quote(prefix_ + "/share/doc/diagr/examples/diatest1f.f90;" DIAGR_SOURCE_DIR
                                                "/tests/fortran/pltpar_probe.f90");
    if (!kSanitizeFlags.empty()) {
        fconfigure += " -DCMAKE_Fortran_FLAGS=" + kSanitizeFlags + " -DCMAKE_EXE_LINKER_FLAGS=" + kSanitizeFlags;
    }
    ASSERT_TRUE(shell(fconfigure));
    ASSERT_TRUE(shell(sh_quote(cmake_) + " --build " + sh_quote(fbuild)));
    const std::vector<std::string> reference = reference_page();
    ASSERT_GT(reference.size(), 100U);
    EXPECT_EQ(run_traced(fbuild + "/diatest1f"), reference);
    // pltpar.inc was found, and its common block is the library's plot state from the start.
    run_traced(fbuild + "/pltpar_probe");
    EXPECT_EQ(last_output_.rfind("START 6F727245 ", 0), 0U) << last_output_;
}

TEST_F(InstallTest, PkgConfigGivesEverythingACppAndAFortranLinkNeeds) {
    ASSERT_TRUE(shell("PKG_CONFIG_PATH=" + sh_quote(prefix_ + "/" + libdir_ + "/pkgconfig") +
                      " pkg-config --cflags --libs diagr"));
    std::string flags = last_output_;
    while (!flags.empty() && (flags.back() == '\n' || flags.back() == ' ')) {
        flags.pop_back();
    }
    // Static libraries bring cairo along; shared ones link it themselves.
    EXPECT_EQ(flags.find("-lcairo") != std::string::npos, !kShared) << flags;

    const std::string cpp = top_ + "/consumer";
    ASSERT_TRUE(shell(sh_quote(cache_value("CMAKE_CXX_COMPILER")) + " -std=c++17 " + kSanitizeFlags + " " +
                      sh_quote(DIAGR_SOURCE_DIR "/tests/consumer/consumer.cpp") + " " + flags + " -o " +
                      sh_quote(cpp)));
    expect_consumer_page(cpp);
    const std::string modern = top_ + "/modern";
    ASSERT_TRUE(shell(sh_quote(cache_value("CMAKE_CXX_COMPILER")) + " -std=c++20 -Wall -Wextra -Wpedantic -Werror " +
                      kSanitizeFlags + " " + sh_quote(DIAGR_SOURCE_DIR "/tests/consumer/modern.cpp") + " " + flags +
                      " -o " + sh_quote(modern)));
    expect_modern_page(modern, cpp);

    if (fortran_.empty()) {
        GTEST_SKIP() << "built without a Fortran compiler: the Fortran example was not tried";
    }
    const std::string fortran = top_ + "/diatest1f";
    ASSERT_TRUE(shell(sh_quote(fortran_) + " " + kSanitizeFlags + " " +
                      sh_quote(prefix_ + "/share/doc/diagr/examples/diatest1f.f90") + " " + flags + " -o " +
                      sh_quote(fortran)));
    const std::vector<std::string> reference = reference_page();
    ASSERT_GT(reference.size(), 100U);
    EXPECT_EQ(run_traced(fortran), reference);

    // With "use diagr_api" the compiler checks each call: integers where a routine takes reals are
    // refused. Without it the same call still compiles and links, as old programs do.
    struct Program {
        const char* use;
        bool compiles;
    };
    for (const char* call :
         {"call plots(1, 0, 20, 10)", "call logax(1.0, 0)", "call timax(1, 0, 1.0)", "call erry(e, e, e, e, 3, 1)",
          "call legadd('fit', 1, 0, 0)", "call hist(e, 3, 2, 0, 1, 0)"}) {
        for (const Program& p : {Program{"use diagr_api\n", false}, Program{"", true}}) {
            const std::string source = top_ + "/wrong.f90";
            std::FILE* out = std::fopen(source.c_str(), "w");
            ASSERT_NE(out, nullptr);
            std::fprintf(out, "program wrong\n%sreal :: e(3)\ne = 1.0\n%s\ncall pltend()\nend program wrong\n", p.use,
                         call);
            std::fclose(out);
            const std::string log = top_ + "/wrong.log";
            const int status = std::system((sh_quote(fortran_) + " " + kSanitizeFlags + " " + sh_quote(source) + " " +
                                            flags + " -o " + sh_quote(top_ + "/wrong") + " >" + sh_quote(log) + " 2>&1")
                                               .c_str());
            const std::string said = slurp(log);
            EXPECT_EQ(exit_code(status) == 0, p.compiles) << call << "\n" << p.use << said;
            if (!p.compiles) {
                EXPECT_NE(said.find("Type mismatch in argument"), std::string::npos) << said;
            }
        }
    }
}

}  // namespace
