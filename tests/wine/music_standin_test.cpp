// The recording winmm stand-in: its log and scripted answers, and that a native override for
// winmm makes a statically linked program import it instead of Wine's own winmm.
#include <gtest/gtest.h>

#include "wine_test_support.h"

namespace {

using SendStringFn = DWORD(WINAPI*)(LPCSTR, LPSTR, UINT, HWND);
using GetErrorStringFn = BOOL(WINAPI*)(DWORD, LPSTR, UINT);
using NumDevsFn = UINT(WINAPI*)();
using PlaySoundFn = BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD);

// An export of `module` as the function type it has.
template <typename F>
F Export(HMODULE module, const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

TEST(MusicStandin, LogsEachCallAndAnswersFromItsScript)
{
    zt::ScratchDir dir;
    // Under another name so that the loader cannot hand out the system's winmm instead.
    ASSERT_TRUE(dir.Copy(zt::StandinDir() + "\\winmm.dll", "winmm_recorder.dll"));
    ASSERT_TRUE(dir.Write("winmm_script.txt",
                          "mci status cdaudio mode=0|stopped\r\n"
                          "mci status=263|\r\n"
                          "mci open \"C:\\a=b.mp3\"=277|reply | with bar\n"
                          "devices=0\n"));
    HMODULE standin = LoadLibraryA(dir.File("winmm_recorder.dll").c_str());
    ASSERT_NE(standin, nullptr);
    auto send = Export<SendStringFn>(standin, "mciSendStringA");
    auto error = Export<GetErrorStringFn>(standin, "mciGetErrorStringA");
    auto devices = Export<NumDevsFn>(standin, "waveOutGetNumDevs");
    auto play = Export<PlaySoundFn>(standin, "PlaySoundA");
    ASSERT_TRUE(send && error && devices && play);

    char reply[8] = "xxxxxxx";
    EXPECT_EQ(send("status cdaudio mode", reply, sizeof(reply), nullptr), 0u);
    EXPECT_STREQ(reply, "stopped");
    EXPECT_EQ(send("status cdaudio current track", reply, sizeof(reply), nullptr), 263u);  // second line
    EXPECT_STREQ(reply, "");
    EXPECT_EQ(send("open \"C:\\a=b.mp3\" type MPEGVideo Alias MP3Play", reply, 5, nullptr), 277u);
    EXPECT_STREQ(reply, "repl");  // cut to the buffer
    EXPECT_EQ(send("play MP3Play", nullptr, 0, nullptr), 0u);  // no line: the default
    char text[64] = {};
    EXPECT_TRUE(error(263, text, sizeof(text)));
    EXPECT_EQ(devices(), 0u);
    EXPECT_TRUE(play("C:\\m\\tune.wav", nullptr, 9));
    EXPECT_TRUE(play(nullptr, nullptr, 0));
    FreeLibrary(standin);

    EXPECT_EQ(dir.Read("winmm_log.txt"),
              "mci: status cdaudio mode\r\n"
              "mci: status cdaudio current track\r\n"
              "mci: open \"C:\\a=b.mp3\" type MPEGVideo Alias MP3Play\r\n"
              "mci: play MP3Play\r\n"
              "mcierror: 263\r\n"
              "waveOutGetNumDevs\r\n"
              "PlaySoundA: C:\\m\\tune.wav flags=9\r\n"
              "PlaySoundA: (null) flags=0\r\n");
}

class MusicStandinProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Named like the launcher, which is what the stand-in is for.
        ASSERT_TRUE(dir.Copy(zt::StandinDir() + "\\music_probe.exe", kProgram));
        ASSERT_TRUE(dir.Copy(zt::StandinDir() + "\\winmm.dll", "winmm.dll"));
        ASSERT_TRUE(dir.Write("winmm_script.txt",
                              "mci status cdaudio current track=0|4\n"
                              "mci status cdaudio number of tracks=0|10\n"
                              "mci status cdaudio mode=0|playing\n"
                              "mci status cdaudio position track 3=0|03:00:00:00\n"
                              "mci play cdaudio=263|\n"
                              "mci status MP3Play mode=0|paused\n"
                              "devices=0\n"));
    }

    // Runs the probe to its end; its exit code, or -1 when it did not end in time.
    int RunProbe()
    {
        const std::string exe = dir.File(kProgram);
        zt::Process probe = zt::Process::Start(exe, exe, dir.Path());
        if (!probe.Started() || !probe.WaitExit(20000))
            return -1;
        return int(probe.ExitCode());
    }

    static constexpr char kProgram[] = "Zirel.scr";
    zt::ScratchDir dir;
};

TEST_F(MusicStandinProgram, NativeOverrideRoutesEveryCallOfAStaticProgramToIt)
{
    int exitCode = -1;
    {
        zt::ScopedNativeWinmm native(kProgram);
        exitCode = RunProbe();
    }
    EXPECT_EQ(exitCode, 1);  // the scripted drive kept the watch running
    EXPECT_EQ(dir.Read("winmm_log.txt"),
              "mci: open cdaudio\r\n"
              "mci: set cdaudio time format tmsf\r\n"
              "mci: status cdaudio current track\r\n"
              "mci: status cdaudio number of tracks\r\n"
              "mci: status cdaudio mode\r\n"
              "mci: status cdaudio position track 3\r\n"
              "mci: play cdaudio from 03:00:00:00\r\n"
              "mcierror: 263\r\n"
              "mci: stop cdaudio\r\n"
              "mci: close cdaudio\r\n"
              "mci: open \"C:\\m\\song.mp3\" type MPEGVideo Alias MP3Play\r\n"
              "mci: play MP3Play\r\n"
              "mci: status MP3Play mode\r\n"
              "mci: stop MP3Play\r\n"
              "mci: play MP3Play from 0\r\n"
              "mci: stop MP3Play\r\n"
              "mci: close MP3Play\r\n"
              "waveOutGetNumDevs\r\n"
              "PlaySoundA: (null) flags=0\r\n");
}

TEST_F(MusicStandinProgram, WithoutTheOverrideTheSystemWinmmAnswers)
{
    // Wine prefers its own winmm even with a winmm.dll beside the program.
    EXPECT_EQ(RunProbe(), 0);  // no CD device here: the first watch step ends the watch
    EXPECT_EQ(dir.Read("winmm_log.txt"), "");
}

}  // namespace
