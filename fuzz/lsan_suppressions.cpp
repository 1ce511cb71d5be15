// LeakSanitizer's built-in suppressions, linked into every fuzz target. fontconfig keeps the
// elements of its patterns behind offsets, not pointers, so the patterns that stay for the whole
// process (its configuration, the plotter's text face and fallback faces, found once) look
// unreachable to LeakSanitizer although they are not.
extern "C" const char* __lsan_default_suppressions();

extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
