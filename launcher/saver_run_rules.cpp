// Decisions of the full-screen run (portable).
#include "saver_run_rules.h"

MusicType MusicTypeOf(const std::string& bgmFile)
{
    std::string ending = bgmFile.size() > 3 ? bgmFile.substr(bgmFile.size() - 3) : bgmFile;
    for (char& c : ending)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    if (ending == "WAV")
        return MusicType::Wav;
    if (ending == "MP3")
        return MusicType::Mp3;
    return MusicType::None;
}

WatchAction RendererWatchStep(bool& rendererSeen, bool windowFound, bool processEnded)
{
    if (processEnded)
        return WatchAction::EndRun;
    if (!rendererSeen) {
        rendererSeen = windowFound;
        return WatchAction::KeepWaiting;
    }
    return windowFound ? WatchAction::KeepWaiting : WatchAction::EndRun;
}
