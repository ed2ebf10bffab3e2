#include "shell/Settings.h"

#include "shell/ErrorReport.h"

namespace {
RunSettings current;
}

const RunSettings& Settings() { return current; }
void SetSettings(const RunSettings& settings) { current = settings; }

void UseLogicOnlySettings()
{
    RunSettings settings;
    settings.headless = true;
    settings.render = false;
    settings.sound = false;
    settings.music = false;
    SetSettings(settings);
    SetMessageBoxesEnabled(false);
}
