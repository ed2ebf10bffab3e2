// fontconfig builds a few records on its first match that it keeps (unreachable, but never
// growing) for the life of the process; the leak checker of sanitizer runs is told to let them be.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
