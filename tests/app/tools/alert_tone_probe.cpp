// Plays one alert tone through AlertTonePlayer, as the Tools window and the grids do, and
// quits when it has had time to sound. tests/scripts/alert_tones_heard.sh records what reaches
// the sound server and checks it.
#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/tools/alert_tone_player.h"
#include "core/editor/alert_tones.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int tone = argc > 1 ? std::atoi(argv[1]) : 0;
    tarvex::AlertTonePlayer player;
    if (!tarvex::AlertTonePlayer::has_output()) {
        std::fprintf(stderr, "no audio output\n");
        return 77;
    }
    if (!player.play(tone)) {
        std::fprintf(stderr, "tone %d did not start\n", tone);
        return 1;
    }
    const auto samples = tarvex::alert_tone_samples(tone);
    const int ms = static_cast<int>(samples.size() * 1000 / tarvex::k_alert_sample_rate);
    // The sound server may take a while to start a first stream on a busy machine. The probe
    // leaves without tearing the audio objects down: Qt 6.4's PulseAudio backend can abort in
    // libpulse while destroying a sink at exit, which says nothing about what was heard.
    QTimer::singleShot(ms + 2500, &app, [] { std::_Exit(0); });
    return app.exec();
}
