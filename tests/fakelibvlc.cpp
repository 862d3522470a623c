// A stand-in for the engine library that writes down every call made to it,
// one line each, so that tests can check which entry points the binding calls,
// in which order and with which arguments. Handles print as kind and number
// (instance1, player2, media3, events2).

#include <vlc/vlc.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

struct libvlc_instance_t {
    int id;
};
struct libvlc_event_manager_t {
    int id;
};
struct libvlc_media_player_t {
    int id;
    libvlc_event_manager_t events;
};
struct libvlc_media_t {
    int id;
};

namespace {

std::vector<std::string> g_calls;
std::string g_failure;
int g_instances = 0;
int g_players = 0;
int g_media = 0;
int g_marqueeEnabled = 0;

void Log(std::string line) {
    g_calls.push_back(std::move(line));
}

std::string Name(const libvlc_instance_t* instance) {
    return "instance" + std::to_string(instance->id);
}
std::string Name(const libvlc_media_player_t* player) {
    return "player" + std::to_string(player->id);
}
std::string Name(const libvlc_media_t* media) {
    return "media" + std::to_string(media->id);
}

}  // namespace

extern "C" {

// The calls so far; tests take them out step by step.
std::vector<std::string>* fake_libvlc_calls() {
    return &g_calls;
}

// Starts afresh: no calls, handles numbered from 1 again, and failing at
// failAt: creating the "instance" or the "player", or taking the "marquee"
// (as libvlc does while no picture is drawn); "" for none.
void fake_libvlc_reset(const char* failAt) {
    g_calls.clear();
    g_failure = failAt;
    g_instances = 0;
    g_players = 0;
    g_media = 0;
    g_marqueeEnabled = 0;
}

libvlc_instance_t* libvlc_new(int argc, const char* const* argv) {
    std::string line = "libvlc_new";
    for (int i = 0; i < argc; ++i) {
        line += ' ';
        line += argv[i];
    }
    Log(line);
    return g_failure == "instance" ? nullptr : new libvlc_instance_t{++g_instances};
}

void libvlc_release(libvlc_instance_t* instance) {
    Log("libvlc_release " + Name(instance));
    delete instance;
}

libvlc_media_player_t* libvlc_media_player_new(libvlc_instance_t* instance) {
    Log("libvlc_media_player_new " + Name(instance));
    if (g_failure == "player") {
        return nullptr;
    }
    ++g_players;
    return new libvlc_media_player_t{g_players, {g_players}};
}

void libvlc_media_player_release(libvlc_media_player_t* player) {
    Log("libvlc_media_player_release " + Name(player));
    delete player;
}

libvlc_event_manager_t* libvlc_media_player_event_manager(libvlc_media_player_t* player) {
    Log("libvlc_media_player_event_manager " + Name(player));
    return &player->events;
}

int libvlc_event_attach(libvlc_event_manager_t* events, libvlc_event_type_t type, libvlc_callback_t,
                        void* context) {
    char line[96];
    std::snprintf(line, sizeof line, "libvlc_event_attach events%d %d %p", events->id, type,
                  context);
    Log(line);
    return 0;
}

int libvlc_audio_set_volume(libvlc_media_player_t* player, int volume) {
    Log("libvlc_audio_set_volume " + Name(player) + ' ' + std::to_string(volume));
    return 0;
}

void libvlc_audio_set_mute(libvlc_media_player_t* player, int on) {
    Log("libvlc_audio_set_mute " + Name(player) + ' ' + std::to_string(on));
}

void libvlc_media_player_set_xwindow(libvlc_media_player_t* player, uint32_t drawable) {
    Log("libvlc_media_player_set_xwindow " + Name(player) + ' ' + std::to_string(drawable));
}

libvlc_media_t* libvlc_media_new_path(libvlc_instance_t* instance, const char* path) {
    Log("libvlc_media_new_path " + Name(instance) + ' ' + path);
    return new libvlc_media_t{++g_media};
}

void libvlc_media_add_option(libvlc_media_t* media, const char* option) {
    Log("libvlc_media_add_option " + Name(media) + ' ' + option);
}

void libvlc_media_release(libvlc_media_t* media) {
    Log("libvlc_media_release " + Name(media));
    delete media;
}

void libvlc_media_player_set_media(libvlc_media_player_t* player, libvlc_media_t* media) {
    Log("libvlc_media_player_set_media " + Name(player) + ' ' + Name(media));
}

void libvlc_video_set_key_input(libvlc_media_player_t* player, unsigned on) {
    Log("libvlc_video_set_key_input " + Name(player) + ' ' + std::to_string(on));
}

void libvlc_video_set_mouse_input(libvlc_media_player_t* player, unsigned on) {
    Log("libvlc_video_set_mouse_input " + Name(player) + ' ' + std::to_string(on));
}

int libvlc_media_player_play(libvlc_media_player_t* player) {
    Log("libvlc_media_player_play " + Name(player));
    return 0;
}

void libvlc_media_player_pause(libvlc_media_player_t* player) {
    Log("libvlc_media_player_pause " + Name(player));
}

void libvlc_media_player_stop(libvlc_media_player_t* player) {
    Log("libvlc_media_player_stop " + Name(player));
}

libvlc_time_t libvlc_media_player_get_length(libvlc_media_player_t* player) {
    Log("libvlc_media_player_get_length " + Name(player));
    return 6000;
}

libvlc_time_t libvlc_media_player_get_time(libvlc_media_player_t* player) {
    Log("libvlc_media_player_get_time " + Name(player));
    return 1500;
}

void libvlc_media_player_set_time(libvlc_media_player_t* player, libvlc_time_t time) {
    Log("libvlc_media_player_set_time " + Name(player) + ' ' + std::to_string(time));
}

int libvlc_media_player_set_rate(libvlc_media_player_t* player, float rate) {
    Log("libvlc_media_player_set_rate " + Name(player) + ' ' + std::to_string(rate));
    return 0;
}

// Writes no file, as libvlc 3 when it has no picture, and says it did.
int libvlc_video_take_snapshot(libvlc_media_player_t* player, unsigned output, const char* path,
                               unsigned width, unsigned height) {
    Log("libvlc_video_take_snapshot " + Name(player) + ' ' + std::to_string(output) + ' ' + path +
        ' ' + std::to_string(width) + ' ' + std::to_string(height));
    return 0;
}

void libvlc_video_set_marquee_string(libvlc_media_player_t* player, unsigned option,
                                     const char* text) {
    Log("libvlc_video_set_marquee_string " + Name(player) + ' ' + std::to_string(option) + ' ' +
        text);
}

void libvlc_video_set_marquee_int(libvlc_media_player_t* player, unsigned option, int value) {
    Log("libvlc_video_set_marquee_int " + Name(player) + ' ' + std::to_string(option) + ' ' +
        std::to_string(value));
    if (option == libvlc_marquee_Enable && g_failure != "marquee") {
        g_marqueeEnabled = value;
    }
}

int libvlc_video_get_marquee_int(libvlc_media_player_t* player, unsigned option) {
    Log("libvlc_video_get_marquee_int " + Name(player) + ' ' + std::to_string(option));
    return option == libvlc_marquee_Enable ? g_marqueeEnabled : 0;
}

}  // extern "C"
