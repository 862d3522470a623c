// Writes the seed corpus of the reader's fuzzer: a few small generated
// recordings, with and without telemetry, audio and date.

#include <filesystem>
#include <iostream>

#include "samplegen.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_seeds OUTDIR\n";
        return 2;
    }
    namespace sg = tavrel::samplegen;
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);

    sg::RecordingSpec plain;
    plain.width = 32;
    plain.height = 24;
    plain.framesPerSecond = 2;
    plain.frameCount = 2;
    plain.iditText = "2012-05-01 10:20:30";
    sg::WriteFile(folder / "plain.avi", sg::BuildRecording(plain).Serialize());

    sg::RecordingSpec telemetry = plain;
    telemetry.iditText.reset();
    telemetry.withAudio = false;
    telemetry.gpsRateWord = 5;
    telemetry.gsensorRateWord = 0x20A;
    telemetry.gps.resize(3);
    telemetry.gps[2].clock = sg::WallClock{2012, 5, 1, 10, 0, 5};
    telemetry.gsensor.resize(5);
    sg::WriteFile(folder / "telemetry.avi", sg::BuildRecording(telemetry).Serialize());

    sg::RecordingSpec audioOnly = plain;
    audioOnly.withVideo = false;
    sg::WriteFile(folder / "audio-only.avi", sg::BuildRecording(audioOnly).Serialize());
    return 0;
}
