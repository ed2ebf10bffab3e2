#include "shell/PlayerFiles.h"

#include "game/Game.h"
#include "game/ScreenRules.h"
#include "shell/UserFolders.h"

#include <cstdio>
#include <ctime>

PlayerFiles::PlayerFiles(std::filesystem::path configPath, std::filesystem::path recordsPath)
    : config(std::move(configPath)), records(std::move(recordsPath))
{
}

void PlayerFiles::Load()
{
    config.Load();
    records.Load();
    linearTexture = config.Values().linearTexture;
}

void PlayerFiles::PrepareGame(Game& game, bool showBest)
{
    showBestStage = showBest;
    game.SetLinearFilter(linearTexture);
    if (showBestStage) game.SetBestStage(records.BestStage());
}

void PlayerFiles::KeepTexture(bool linear)
{
    linearTexture = linear;
    config.Set("texture", TextureValue(linear));
}

void PlayerFiles::AfterFrame(Game& game, bool keepSettings)
{
    if (game.LinearFilter() != linearTexture) {
        linearTexture = game.LinearFilter();
        if (keepSettings) config.Set("texture", TextureValue(linearTexture));
    }
    const bool over = game.State() == StateGameOverByLife || game.State() == StateGameOverByTime;
    if (over && !gameOver) {
        records.Add(RecordOfGame(game.StageRecord()));
        if (showBestStage) game.SetBestStage(records.BestStage());
    }
    gameOver = over;
}

void PlayerFiles::WriteWaiting()
{
    config.WriteWaiting();
    records.WriteWaiting();
}

std::vector<std::string> PlayerFiles::TakeNotices()
{
    std::vector<std::string> notices = config.TakeNotices();
    for (std::string& notice : records.TakeNotices()) notices.push_back(std::move(notice));
    return notices;
}

GameRecord RecordOfGame(uint16_t stage)
{
    GameRecord record;
    record.stage = stage;
    record.rank = RankTitle(stage);
    if (!record.rank.empty() && record.rank.back() == '\n') record.rank.pop_back();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M", &local);
    record.date = date;
    return record;
}

int PrintRecordsAndExit()
{
    RecordsFile file(RecordsFilePath());
    file.Load();
    std::fputs(RecordsTable(file.Records()).c_str(), stdout);
    return 0;
}
