// Decisions of the full-screen run (portable): which music a file setting plays and what each
// tick of the renderer watch does.
#pragma once

#include <string>

enum class MusicType { None, Wav, Mp3 };

// From the last three characters of the file name, in any case: "WAV" or "MP3".
MusicType MusicTypeOf(const std::string& bgmFile);

enum class WatchAction { KeepWaiting, EndRun };

// One tick of the renderer watch. `rendererSeen` becomes true once the renderer's window has
// been found. The run ends when the window has gone after being seen, and also as soon as the
// renderer process has ended (it crashed, could not start, or its window lived too briefly to
// be sampled), so music never plays on and the cursor never stays hidden.
WatchAction RendererWatchStep(bool& rendererSeen, bool windowFound, bool processEnded);
