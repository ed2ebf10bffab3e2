#include "core/Settings.h"

#include "core/ErrorReport.h"

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
    SetFatalErrorNotice(nullptr);
}
