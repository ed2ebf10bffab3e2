#include "shell/Settings.h"

namespace {
RunSettings current;
}

const RunSettings& Settings() { return current; }
void SetSettings(const RunSettings& settings) { current = settings; }
