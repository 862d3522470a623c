#include "trackscriptwriter.h"

#include <gtest/gtest.h>

#include <clocale>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tavrel {
namespace {

class ScriptList : public TrackScriptWriter {
public:
    std::vector<std::string> scripts;

protected:
    void WriteScript(std::string script) override { scripts.push_back(std::move(script)); }
};

TEST(TrackScriptWriterTest, EachCallIsThePagesFunctionWithSixDecimals) {
    const struct {
        std::function<void(TrackMap&)> call;
        const char* script;
    } cases[] = {
        {[](TrackMap& m) { m.ClearRecordingTrack(); }, "path_delete()"},
        {[](TrackMap& m) {
             m.PlotPoint({25.0583333333, 121.5041666666});
         },
         "path_plot(25.058333,121.504167)"},
        {[](TrackMap& m) { m.ClearDrivenPath(); }, "pathdrived_delete()"},
        {[](TrackMap& m) {
             m.PlotDrivenPoint({-25.5, -121.5});
         },
         "pathdrived_plot(-25.500000,-121.500000)"},
        {[](TrackMap& m) { m.BeginRunTrack(); }, "draw_file_path_begin()"},
        {[](TrackMap& m) {
             m.PlotRunTrackPoint({0, 199.9999995});
         },
         "draw_file_path_plot(0.000000,200.000000)"},
        {[](TrackMap& m) { m.EndRunTrack(); }, "draw_file_path_end()"},
        {[](TrackMap& m) { m.ClearRunTracks(); }, "draw_file_path_clear_all()"},
        // The one call with a space after the comma.
        {[](TrackMap& m) {
             m.MoveMarker({25.5, 121.5});
         },
         "movpos(25.500000, 121.500000)"},
        {[](TrackMap& m) {
             m.MoveMarker({-25.5, -121.5});
         },
         "movpos(-25.500000, -121.500000)"},
    };
    for (const auto& c : cases) {
        ScriptList map;
        c.call(map);
        EXPECT_EQ(map.scripts, std::vector<std::string>{c.script});
    }
}

TEST(TrackScriptWriterTest, TheUsersLocaleDoesNotChangeTheNumbers) {
    // A locale that writes decimal commas, where the machine has one.
    const std::string before = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr &&
        std::setlocale(LC_ALL, "fr_FR.UTF-8") == nullptr) {
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    ScriptList map;
    map.PlotPoint({25.5, 121.5});
    map.MoveMarker({25.5, 121.5});
    std::setlocale(LC_ALL, before.c_str());
    EXPECT_EQ(map.scripts, (std::vector<std::string>{"path_plot(25.500000,121.500000)",
                                                     "movpos(25.500000, 121.500000)"}));
}

}  // namespace
}  // namespace tavrel
