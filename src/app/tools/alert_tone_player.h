#pragma once
// Plays the alert tones through the platform's default audio output. Where there is none (a
// server, a test machine, a build without Qt Multimedia) a request is noted and nothing else
// happens: a missing speaker is no error worth a message.
#include <QObject>
#include <memory>

namespace tarvex {

class AlertTonePlayer : public QObject {
    Q_OBJECT
  public:
    explicit AlertTonePlayer(QObject* parent = nullptr);
    ~AlertTonePlayer() override;

    // True when the tone started playing.
    bool play(int tone);
    static bool has_output();
    int last_requested() const { return last_requested_; }

  private:
    struct Output;
    std::unique_ptr<Output> output_;
    int last_requested_ = 0;
};

}  // namespace tarvex
