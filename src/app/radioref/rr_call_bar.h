#pragma once
// The bottom line the RadioReference windows share: what the window is fetching, how much of
// the answer has arrived, and Cancel (button and Esc) to end the wait.
//
// A service call waits in a local event loop, so clicks reach the window meanwhile. Each call
// runs between begin() and end(): the window's own controls named in guard() are disabled in
// between, which leaves Cancel as the only thing a click can start. A cancelled call reads as
// cancelled() until the next begin(), so a window that makes several calls in a row can stop
// at the cancelled one and leave what it showed before.
#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

class QCloseEvent;
class QLabel;
class QProgressBar;
class QPushButton;
class QHBoxLayout;

namespace tarvex {

class QtHttpClient;
class QtProgress;

class RrCallBar : public QWidget {
    Q_OBJECT
  public:
    explicit RrCallBar(QtHttpClient& http, QWidget* parent = nullptr);
    ~RrCallBar() override;

    // Controls disabled while a call waits; each gets back the state it had before.
    void guard(std::vector<QWidget*> widgets);
    // A button of the window, placed before Cancel.
    void addButton(QWidget* button);

    // Starts a call (false while another one waits); `doing` goes to the status line.
    bool begin(const QString& doing = {});
    void end();
    bool inCall() const { return in_call_; }
    bool cancelled() const { return cancelled_; }

    void setStatus(const QString& text);
    QString statusText() const;

    // A window closed while its call waits keeps its event loop on the stack: the call is
    // cancelled and the window closes once the loop has returned. True when the close was put
    // off that way.
    bool deferClose(QCloseEvent* event);

  public slots:
    void cancel();

  private:
    QPointer<QtHttpClient> http_;
    std::unique_ptr<QtProgress> progress_;
    QLabel* status_ = nullptr;
    QLabel* progress_label_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QHBoxLayout* row_ = nullptr;
    std::vector<QPointer<QWidget>> guarded_;
    std::vector<bool> were_enabled_;
    bool in_call_ = false;
    bool cancelled_ = false;
};

}  // namespace tarvex
