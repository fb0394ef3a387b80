#include "app/tools/alert_tone_player.h"

#include "core/editor/alert_tones.h"

#ifdef TARVEX_WITH_AUDIO
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#endif

namespace tarvex {

#ifdef TARVEX_WITH_AUDIO
struct AlertTonePlayer::Output {
    QByteArray pcm;
    QBuffer buffer;
    std::unique_ptr<QAudioSink> sink;
};
#else
struct AlertTonePlayer::Output {};
#endif

AlertTonePlayer::AlertTonePlayer(QObject* parent)
    : QObject(parent), output_(std::make_unique<Output>()) {}

AlertTonePlayer::~AlertTonePlayer() {
#ifdef TARVEX_WITH_AUDIO
    if (output_->sink) output_->sink->stop();
#endif
}

bool AlertTonePlayer::has_output() {
#ifdef TARVEX_WITH_AUDIO
    return !QMediaDevices::defaultAudioOutput().isNull();
#else
    return false;
#endif
}

bool AlertTonePlayer::play(int tone) {
    last_requested_ = tone;
    auto samples = alert_tone_samples(tone);
    if (samples.empty() || !has_output()) return false;
#ifdef TARVEX_WITH_AUDIO
    QAudioFormat format;
    format.setSampleRate(k_alert_sample_rate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (!device.isFormatSupported(format)) return false;
    // A new tone cuts the one still playing, as clicking through a list should.
    if (output_->sink) output_->sink->stop();
    output_->buffer.close();
    output_->pcm = QByteArray(reinterpret_cast<const char*>(samples.data()),
                              static_cast<qsizetype>(samples.size() * sizeof(int16_t)));
    output_->buffer.setData(output_->pcm);
    output_->buffer.open(QIODevice::ReadOnly);
    output_->sink = std::make_unique<QAudioSink>(device, format);
    // A quarter of a second queued ahead rides out a busy machine's scheduling hiccups,
    // where the backend's small default buffer can underrun in the middle of a beep.
    output_->sink->setBufferSize(k_alert_sample_rate / 4 * static_cast<int>(sizeof(int16_t)));
    output_->sink->start(&output_->buffer);
    return true;
#else
    return false;
#endif
}

}  // namespace tarvex
