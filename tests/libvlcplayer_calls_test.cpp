// The binding's calls into the engine, checked against a stand-in library that
// writes every call down, and the binding's not-loaded state.

#include "libvlcplayer.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <vlc/vlc.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace tavrel {
namespace {

using Calls = std::vector<std::string>;

// The stand-in stays loaded for the whole process, so its call log survives
// each binding's dlclose.
class StandIn {
public:
    StandIn() : m_library(::dlopen(TAVREL_FAKE_LIBVLC, RTLD_NOW | RTLD_LOCAL)) {
        if (m_library == nullptr) {
            ADD_FAILURE() << ::dlerror();
            return;
        }
        m_calls = reinterpret_cast<Calls* (*)()>(::dlsym(m_library, "fake_libvlc_calls"))();
        m_reset = reinterpret_cast<void (*)(const char*)>(::dlsym(m_library, "fake_libvlc_reset"));
    }

    void Reset(const char* failAt = "") { m_reset(failAt); }
    // The calls since the last Take.
    Calls Take() {
        Calls calls;
        calls.swap(*m_calls);
        return calls;
    }

private:
    void* m_library;
    Calls* m_calls = nullptr;
    void (*m_reset)(const char*) = nullptr;
};

StandIn& Engine() {
    static StandIn engine;
    return engine;
}

void NoCallback(const libvlc_event_t*, void*) {}

std::string Hex(const void* pointer) {
    char text[32];
    std::snprintf(text, sizeof text, "%p", pointer);
    return text;
}

Calls Join(std::initializer_list<Calls> parts) {
    Calls all;
    for (const Calls& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

const std::string kPlainVector = "libvlc_new -I dummy --ignore-config --plugin-path=./plugins";
const std::string kRotatedVector = kPlainVector +
                                   " --file-caching=3000 --video-filter=transform"
                                   " --transform-type=180";

// The twelve subscriptions, in their order, on one event manager.
Calls Attaches(int events, const std::string& context) {
    Calls calls;
    for (const int type : {268, 269, 267, 5, 256, 258, 259, 260, 261, 262, 265, 266}) {
        calls.push_back("libvlc_event_attach events" + std::to_string(events) + ' ' +
                        std::to_string(type) + ' ' + context);
    }
    return calls;
}

Calls Opens(int media, const std::string& path, int volume) {
    return {"libvlc_audio_set_volume player1 " + std::to_string(volume),
            "libvlc_media_new_path instance1 " + path,
            "libvlc_media_add_option media" + std::to_string(media) + " :ffmpeg-hw",
            "libvlc_media_player_set_media player1 media" + std::to_string(media),
            "libvlc_video_set_key_input player1 0",
            "libvlc_video_set_mouse_input player1 0"};
}

class LibVlcPlayerCallsTest : public ::testing::Test {
protected:
    void SetUp() override { Engine().Reset(); }
};

TEST_F(LibVlcPlayerCallsTest, CreatesAttachesAndReleasesInOrder) {
    int context = 0;
    {
        LibVlcPlayer player(TAVREL_FAKE_LIBVLC);
        ASSERT_TRUE(player.IsLoaded());
        EXPECT_EQ(Engine().Take(), (Calls{kPlainVector, "libvlc_media_player_new instance1",
                                          "libvlc_media_player_event_manager player1",
                                          "libvlc_audio_set_volume player1 200"}));
        EXPECT_FALSE(player.IsPlaying());
        EXPECT_TRUE(player.IsPaused());

        player.AttachEvents(&NoCallback, &context);
        EXPECT_EQ(Engine().Take(), Attaches(1, Hex(&context)));
        player.OpenMedia("/card/FILE0001.AVI");
        Engine().Take();
    }
    EXPECT_EQ(Engine().Take(),
              (Calls{"libvlc_media_release media1", "libvlc_media_player_release player1",
                     "libvlc_release instance1"}));
}

TEST_F(LibVlcPlayerCallsTest, OpenMediaReleasesTheHeldMediaFirstAndReappliesTheVolume) {
    LibVlcPlayer player(TAVREL_FAKE_LIBVLC);
    player.SetVolume(80);
    Engine().Take();

    EXPECT_EQ(player.MediaTag(), 0);
    player.OpenMedia("/card/FILE0001.AVI");
    EXPECT_EQ(Engine().Take(), Opens(1, "/card/FILE0001.AVI", 80));
    EXPECT_EQ(player.MediaTag(), 1);
    player.OpenMedia("/card/動画/FILE0002.AVI");
    EXPECT_EQ(Engine().Take(),
              Join({{"libvlc_media_release media1"}, Opens(2, "/card/動画/FILE0002.AVI", 80)}));
    EXPECT_EQ(player.MediaPath(), "/card/動画/FILE0002.AVI");
    EXPECT_EQ(player.MediaTag(), 2);
}

// Subscribed for its own signals, the player hands the engine one context of
// its own, and hands it again to a re-created engine.
TEST_F(LibVlcPlayerCallsTest, EventsForTheSignalsKeepOneContextAcrossRecreation) {
    std::atomic<std::int64_t> pendingSeekMs{0};
    LibVlcPlayer player(TAVREL_FAKE_LIBVLC);
    Engine().Take();
    player.AttachEvents(pendingSeekMs);
    const Calls attached = Engine().Take();
    ASSERT_FALSE(attached.empty());
    const std::string context = attached.front().substr(attached.front().rfind(' ') + 1);
    EXPECT_NE(context, Hex(nullptr));
    EXPECT_EQ(attached, Attaches(1, context));

    ASSERT_TRUE(player.RecreateEngine(0));
    const Calls recreated = Engine().Take();
    const Calls reattached = Attaches(2, context);
    EXPECT_NE(std::search(recreated.begin(), recreated.end(), reattached.begin(), reattached.end()),
              recreated.end());
}

TEST_F(LibVlcPlayerCallsTest, RecreateEngineBuildsWithTheVectorOfItsModeAndCarriesOver) {
    struct Case {
        int mode;
        bool attached;
        std::string vector;
    };
    for (const Case& c : {Case{1, true, kRotatedVector}, Case{0, true, kPlainVector},
                          Case{2, false, kPlainVector}}) {
        SCOPED_TRACE("mode " + std::to_string(c.mode));
        Engine().Reset();
        int context = 0;
        LibVlcPlayer player(TAVREL_FAKE_LIBVLC);
        player.SetVolume(40);
        if (c.attached) {
            player.AttachEvents(&NoCallback, &context);
        }
        player.OpenMedia("/card/FILE0001.AVI");
        Engine().Take();

        ASSERT_TRUE(player.RecreateEngine(c.mode));
        EXPECT_EQ(Engine().Take(),
                  Join({{"libvlc_media_release media1", "libvlc_media_player_release player1",
                         "libvlc_release instance1", c.vector, "libvlc_media_player_new instance2",
                         "libvlc_media_player_event_manager player2"},
                        c.attached ? Attaches(2, Hex(&context)) : Calls{},
                        {"libvlc_audio_set_volume player2 40"}}));
        EXPECT_TRUE(player.IsLoaded());
    }
}

// Then it reads back whether the engine shows it: libvlc drops the switch
// without a word while no picture is drawn.
TEST_F(LibVlcPlayerCallsTest, ShowMarqueeSetsTheTextThenItsOptionsInOrderAndChecksTheSwitch) {
    struct Case {
        const char* failAt;
        bool enable;
        bool shown;
    };
    for (const Case& c : {Case{"", true, true}, Case{"", false, true}, Case{"marquee", true, false},
                          Case{"marquee", false, true}}) {
        SCOPED_TRACE(std::string(c.failAt) + (c.enable ? " enable" : " disable"));
        Engine().Reset(c.failAt);
        LibVlcPlayer player(TAVREL_FAKE_LIBVLC);
        Engine().Take();
        EXPECT_EQ(player.ShowMarquee("2.0 X", 24, c.enable), c.shown);
        EXPECT_EQ(Engine().Take(), (Calls{"libvlc_video_set_marquee_string player1 1 2.0 X",
                                          "libvlc_video_set_marquee_int player1 6 24",
                                          "libvlc_video_set_marquee_int player1 3 255",
                                          "libvlc_video_set_marquee_int player1 2 -16711936",
                                          "libvlc_video_set_marquee_int player1 7 -1",
                                          "libvlc_video_set_marquee_int player1 8 0",
                                          "libvlc_video_set_marquee_int player1 9 0",
                                          std::string("libvlc_video_set_marquee_int player1 0 ") +
                                              (c.enable ? "1" : "0"),
                                          "libvlc_video_get_marquee_int player1 0"}));
    }
}

// A name resolved into the wrong slot of the table would call another entry point.
TEST_F(LibVlcPlayerCallsTest, EachOperationCallsItsEntryPoint) {
    LibVlcPlayer player(TAVREL_FAKE_LIBVLC);
    Engine().Take();
    struct Case {
        std::function<void()> operation;
        std::string call;
    };
    const Case cases[] = {
        {[&] { player.SetVideoWindow(0x2e00007); },
         "libvlc_media_player_set_xwindow player1 48234503"},
        {[&] { EXPECT_EQ(player.GetLength(), 6000); }, "libvlc_media_player_get_length player1"},
        {[&] { EXPECT_EQ(player.GetTime(), 1500); }, "libvlc_media_player_get_time player1"},
        {[&] { player.SetTime(4321); }, "libvlc_media_player_set_time player1 4321"},
        {[&] { player.SetRate(2.0f); }, "libvlc_media_player_set_rate player1 2.000000"},
        {[&] { player.SetVolume(130); }, "libvlc_audio_set_volume player1 130"},
        {[&] { player.SetMute(true); }, "libvlc_audio_set_mute player1 1"},
        {[&] { player.SetMute(false); }, "libvlc_audio_set_mute player1 0"},
    };
    for (const Case& c : cases) {
        c.operation();
        EXPECT_EQ(Engine().Take(), Calls{c.call});
    }
    // The engine's word alone is no snapshot: the stand-in writes no file.
    // The engine writes aside, so the chosen file is not named to it.
    EXPECT_FALSE(player.TakeSnapshot("/home/me/snap.png"));
    const Calls snapshot = Engine().Take();
    ASSERT_EQ(snapshot.size(), 1u);
    EXPECT_TRUE(snapshot[0].starts_with("libvlc_video_take_snapshot player1 0 /") &&
                snapshot[0].ends_with(".png 0 0"))
        << snapshot[0];
    EXPECT_EQ(player.Rate(), 2.0f);
    EXPECT_EQ(player.Volume(), 130);
}

TEST_F(LibVlcPlayerCallsTest, FlagsFollowWhatWasAskedAndEveryPauseReachesTheEngine) {
    LibVlcPlayer player(TAVREL_FAKE_LIBVLC);
    Engine().Take();
    struct Step {
        void (LibVlcPlayer::*operation)();
        std::string call;
        bool playing;
        bool paused;
    };
    const Step steps[] = {
        {&LibVlcPlayer::Play, "libvlc_media_player_play player1", true, false},
        {&LibVlcPlayer::Pause, "libvlc_media_player_pause player1", false, true},
        {&LibVlcPlayer::Pause, "libvlc_media_player_pause player1", false, true},
        {&LibVlcPlayer::Play, "libvlc_media_player_play player1", true, false},
        {&LibVlcPlayer::Stop, "libvlc_media_player_stop player1", false, false},
    };
    for (const Step& step : steps) {
        (player.*step.operation)();
        EXPECT_EQ(Engine().Take(), Calls{step.call}) << step.call;
        EXPECT_EQ(player.IsPlaying(), step.playing) << step.call;
        EXPECT_EQ(player.IsPaused(), step.paused) << step.call;
    }
}

// Not loaded, each operation does nothing and gives its documented result.
void ExpectInert(LibVlcPlayer& player) {
    int context = 0;
    std::atomic<std::int64_t> pendingSeekMs{0};
    player.SetVideoWindow(0x2e00007);
    player.AttachEvents(&NoCallback, &context);
    player.AttachEvents(pendingSeekMs);
    player.OpenMedia("/card/FILE0001.AVI");
    player.Play();
    player.SetTime(1000);
    player.SetRate(2.0f);
    player.SetVolume(50);
    player.SetMute(true);
    EXPECT_FALSE(player.TakeSnapshot("/tmp/never.png"));
    EXPECT_EQ(player.GetLength(), -1);
    EXPECT_EQ(player.GetTime(), -1);
    EXPECT_FALSE(player.ShowMarquee("2.0 X", 24, true));
    EXPECT_FALSE(player.RecreateEngine(1));
    player.Pause();
    player.Stop();
    EXPECT_FALSE(player.IsLoaded());
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_TRUE(player.IsPaused());
    EXPECT_EQ(player.Volume(), 200);
    EXPECT_EQ(player.Rate(), 1.0f);
    EXPECT_EQ(player.MediaTag(), 0);
}

TEST_F(LibVlcPlayerCallsTest, WithoutLibraryOrEntryPointsEveryOperationIsHarmless) {
    for (const char* library : {"libtavrel-no-such-engine.so.5", "libm.so.6"}) {
        SCOPED_TRACE(library);
        LibVlcPlayer player(library);
        ExpectInert(player);
    }
}

TEST_F(LibVlcPlayerCallsTest, ANullInstanceOrPlayerLeavesItNotLoadedWithNothingHeld) {
    struct Case {
        const char* failAt;
        Calls calls;
    };
    const Case cases[] = {
        {"instance", {kPlainVector}},
        {"player", {kPlainVector, "libvlc_media_player_new instance1", "libvlc_release instance1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failAt);
        Engine().Reset(c.failAt);
        {
            LibVlcPlayer player(TAVREL_FAKE_LIBVLC);
            ExpectInert(player);
        }
        EXPECT_EQ(Engine().Take(), c.calls);
    }
}

}  // namespace
}  // namespace tavrel
