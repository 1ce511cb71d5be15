// The data files the driver programs hold open, so that an end by abort can close them.
#pragma once

namespace driver {

// Notes FD as an open data file; at most eight are kept (the reader holds one at a time).
void register_open_file(int fd);

// Forgets FD; harmless when it was never noted.
void unregister_open_file(int fd);

// Closes every noted file and forgets it. Safe to call from a signal handler.
void close_open_files();

}  // namespace driver
